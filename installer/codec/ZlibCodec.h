#pragma once
// In-memory zlib streams (RFC 1950): inflating a payload stream and producing one at level 9.
// Each call runs its own zlib stream from start to end; nothing is kept between calls.

#include <cstddef>
#include <cstdint>
#include <span>

#include "installer/codec/ByteBlock.h"
#include "toolkit/base/Exceptions.h"

class EZlibError : public Exception {
public:
  EZlibError() : Exception("Error") {}
};

class ECompressionError : public EZlibError {};

class EDecompressionError : public EZlibError {};

// Inflates the one zlib stream at the start of input; bytes after the stream's end are ignored.
// estimate is the initial output capacity in bytes, 0 for none. A damaged, cut-short or empty input raises
// EDecompressionError and returns nothing; a heap that cannot hold the output raises EOutOfMemory.
TByteBlock DecompressBuffer(std::span<const uint8_t> input, size_t estimate = 0);

// One zlib stream of input at level 9 with the default window and memory settings (it begins 0x78 0xDA).
// A zlib failure raises ECompressionError; a heap that cannot hold the output raises EOutOfMemory.
TByteBlock CompressBuffer(std::span<const uint8_t> input);
