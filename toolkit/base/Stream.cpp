#include "toolkit/base/Stream.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "toolkit/base/FileSystem.h"

void TStream::ReadBuffer(void *buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void *buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError();
}

int64_t TStream::CopyFrom(TStream &source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  uint8_t chunk[64 * 1024];
  for (int64_t left = count; left > 0;) {
    size_t n = static_cast<size_t>(std::min<int64_t>(left, sizeof chunk));
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    left -= static_cast<int64_t>(n);
  }
  return count;
}

namespace {
int64_t ResolveSeek(int64_t offset, SeekOrigin origin, size_t position, size_t size) {
  int64_t base = origin == SeekOrigin::Begin     ? 0
                 : origin == SeekOrigin::Current ? static_cast<int64_t>(position)
                                                 : static_cast<int64_t>(size);
  return std::max<int64_t>(0, base + offset);
}
} // namespace

size_t TMemoryStream::Read(void *buffer, size_t count) {
  if (position_ >= data_.size()) return 0;
  size_t n = std::min(count, data_.size() - position_);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void *buffer, size_t count) {
  if (count == 0) return 0;
  if (position_ + count > data_.size()) data_.resize(position_ + count);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  position_ = static_cast<size_t>(ResolveSeek(offset, origin, position_, data_.size()));
  return static_cast<int64_t>(position_);
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::SetSize(size_t size) {
  data_.resize(size);
  position_ = std::min(position_, size);
}

void TMemoryStream::LoadFromStream(TStream &source) {
  source.SetPosition(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(source.Size()));
  source.ReadBuffer(bytes.data(), bytes.size());
  data_ = std::move(bytes);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string &path) {
  data_ = ReadFileBytes(path);
  position_ = 0;
}

size_t TBytesStream::Read(void *buffer, size_t count) {
  if (position_ >= size_) return 0;
  size_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, n);
  position_ += n;
  return n;
}

int64_t TBytesStream::Seek(int64_t offset, SeekOrigin origin) {
  position_ = static_cast<size_t>(ResolveSeek(offset, origin, position_, size_));
  return static_cast<int64_t>(position_);
}

std::vector<uint8_t> ReadFileBytes(const std::string &path) {
  FileHandle file = OpenFile(path, "rb");
  if (!file) throw EFOpenError(path, std::strerror(errno));
  std::vector<uint8_t> bytes;
  uint8_t chunk[64 * 1024];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;)
    bytes.insert(bytes.end(), chunk, chunk + n);
  if (std::ferror(file.get())) throw EFOpenError(path, std::strerror(errno));
  return bytes;
}
