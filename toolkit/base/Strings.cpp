#include "toolkit/base/Strings.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Text.h"

const TMetaClass &TStrings::StaticMetaClass() { return DefineClass<TStrings, TPersistent>("TStrings"); }

void TStrings::Put(int index, const std::string &s) {
  BeginUpdate();
  Delete(index);
  Insert(index, s);
  EndUpdate();
}

int TStrings::Add(const std::string &s) {
  int index = Count();
  Insert(index, s);
  return index;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0, n = Count(); i < n; ++i)
    out += Get(i) + "\r\n";
  return out;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t begin = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    Add(std::string(text.substr(begin, i - begin)));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size()) Add(std::string(text.substr(begin)));
  EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (text::SameText(Get(i), s)) return i;
  return -1;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> out;
  for (int i = 0, n = Count(); i < n; ++i)
    out.push_back(Get(i));
  return out;
}

void TStrings::AddStrings(const std::vector<std::string> &lines) {
  BeginUpdate();
  for (const std::string &line : lines)
    Add(line);
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TStrings *>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  std::vector<std::string> lines = other->ToVector();
  BeginUpdate();
  Clear();
  AddStrings(lines);
  EndUpdate();
}

const TMetaClass &TStringList::StaticMetaClass() { return DefineClass<TStringList, TStrings>("TStringList"); }

void TStringList::CheckIndex(int index, bool allowEnd) const {
  if (index < 0 || index > Count() || (index == Count() && !allowEnd))
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Get(int index) const {
  CheckIndex(index, false);
  return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string &s) {
  CheckIndex(index, false);
  lines_[static_cast<size_t>(index)] = s;
}

void TStringList::Insert(int index, const std::string &s) {
  CheckIndex(index, true);
  lines_.insert(lines_.begin() + index, s);
}

void TStringList::Delete(int index) {
  CheckIndex(index, false);
  lines_.erase(lines_.begin() + index);
}

void TStringList::Sort() {
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const std::string &a, const std::string &b) { return text::CompareText(a, b) < 0; });
}
