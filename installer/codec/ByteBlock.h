#pragma once
// An owned block of bytes on the general heap, as the codec hands it out. Resizing goes through realloc so
// that a block that keeps growing can often be extended in place instead of copied.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

class TByteBlock {
public:
  TByteBlock() = default;
  // Raises EOutOfMemory when the heap cannot supply size bytes.
  explicit TByteBlock(size_t size);

  uint8_t *Data() { return data_.get(); }
  const uint8_t *Data() const { return data_.get(); }
  size_t Size() const { return size_; }
  std::span<const uint8_t> Bytes() const { return {data_.get(), size_}; }

  // Changes the size, keeping the bytes below the smaller of the two sizes (the block may move).
  // TryResize leaves the block as it was and returns false when memory is short; Resize raises EOutOfMemory.
  bool TryResize(size_t size);
  void Resize(size_t size);

private:
  struct FreeBytes {
    void operator()(uint8_t *bytes) const { std::free(bytes); }
  };
  std::unique_ptr<uint8_t, FreeBytes> data_;
  size_t size_ = 0;
};
