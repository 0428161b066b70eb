#pragma once
// Byte streams: the abstract stream and the growable memory stream.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/Exceptions.h"

enum class SeekOrigin { Begin, Current, End };

class TStream {
public:
  virtual ~TStream() = default;
  // Reads or writes up to count bytes and returns how many were moved.
  virtual size_t Read(void *buffer, size_t count) = 0;
  virtual size_t Write(const void *buffer, size_t count) = 0;
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t Size() const = 0;

  // Raise EReadError / EWriteError on a short transfer.
  void ReadBuffer(void *buffer, size_t count);
  void WriteBuffer(const void *buffer, size_t count);
  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Begin); }
  // Copies count bytes from source's position (the whole source from its start when count is 0).
  int64_t CopyFrom(TStream &source, int64_t count);
};

class TMemoryStream : public TStream {
public:
  size_t Read(void *buffer, size_t count) override;
  size_t Write(const void *buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }

  void Clear();
  void SetSize(size_t size);
  uint8_t *Memory() { return data_.data(); }
  const uint8_t *Memory() const { return data_.data(); }
  const std::vector<uint8_t> &Bytes() const { return data_; }

  void LoadFromStream(TStream &source);
  // Replaces the contents with the whole file; raises EFOpenError when it cannot be read.
  void LoadFromFile(const std::string &path);

private:
  std::vector<uint8_t> data_;
  size_t position_ = 0;
};

// A read-only stream over bytes that someone else owns (a resource, a layout blob).
class TBytesStream : public TStream {
public:
  TBytesStream(const void *data, size_t size) : data_(static_cast<const uint8_t *>(data)), size_(size) {}
  size_t Read(void *buffer, size_t count) override;
  size_t Write(const void *, size_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() const override { return static_cast<int64_t>(size_); }

private:
  const uint8_t *data_;
  size_t size_;
  size_t position_ = 0;
};

// Whole-file reading for paths in UTF-8; raises EFOpenError (an Exception) on failure.
std::vector<uint8_t> ReadFileBytes(const std::string &path);
