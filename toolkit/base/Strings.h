#pragma once
// Lists of strings: the abstract list (TStrings) that a memo's lines implement over its window, and the
// plain list in memory (TStringList).

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/base/Component.h"

class TStrings : public TPersistent {
  TK_CLASS(TStrings)
public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string &s);
  virtual void Insert(int index, const std::string &s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string &s);

  std::string Strings(int index) const { return Get(index); }
  std::string operator[](int index) const { return Get(index); }
  // Lines joined with "\r\n", each line terminated.
  virtual std::string Text() const;
  // Splits at "\r\n", "\n" or a lone "\r".
  virtual void SetText(std::string_view text);
  // Case-insensitive (ASCII) search; -1 when absent.
  int IndexOf(std::string_view s) const;
  std::vector<std::string> ToVector() const;
  void AddStrings(const std::vector<std::string> &lines);

  // Batches changes; implementations that redraw may defer it until the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

  void Assign(const TPersistent &source) override;

protected:
  virtual void SetUpdateState(bool /*updating*/) {}

private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
  TK_CLASS(TStringList)
public:
  TStringList() = default;
  explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string &s) override;
  void Insert(int index, const std::string &s) override;
  void Delete(int index) override;
  void Clear() override { lines_.clear(); }

  // Sorts without regard to ASCII case; equal strings keep their order.
  void Sort();

private:
  void CheckIndex(int index, bool allowEnd) const;
  std::vector<std::string> lines_;
};
