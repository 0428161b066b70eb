#include "installer/codec/ByteBlock.h"

#include "toolkit/base/Exceptions.h"

TByteBlock::TByteBlock(size_t size) { Resize(size); }

bool TByteBlock::TryResize(size_t size) {
  if (size == 0) { // realloc(p, 0) is implementation-defined; an empty block holds no memory
    data_.reset();
    size_ = 0;
    return true;
  }
  void *moved = std::realloc(data_.get(), size);
  if (!moved) return false;
  (void)data_.release(); // realloc has taken over (or freed) the old address
  data_.reset(static_cast<uint8_t *>(moved));
  size_ = size;
  return true;
}

void TByteBlock::Resize(size_t size) {
  if (!TryResize(size)) throw EOutOfMemory();
}
