// Arbitrary bytes into DecompressBuffer: it either raises a codec error or returns what zlib's own inflate
// makes of the same stream, and that output survives a round trip through CompressBuffer.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include <zlib.h>

#include "installer/codec/ZlibCodec.h"

namespace {

// zlib's inflate over the first stream in data; false when zlib rejects it.
bool ReferenceInflate(std::span<const uint8_t> data, std::vector<uint8_t> &out) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = const_cast<Bytef *>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  uint8_t chunk[16384];
  int result;
  do {
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    result = inflate(&stream, Z_NO_FLUSH);
    out.insert(out.end(), chunk, chunk + (sizeof chunk - stream.avail_out));
  } while (result == Z_OK);
  inflateEnd(&stream);
  return result == Z_STREAM_END;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  std::vector<uint8_t> expected;
  const bool valid = ReferenceInflate(input, expected);
  try {
    TByteBlock inflated = DecompressBuffer(input);
    if (!valid || inflated.Size() != expected.size() ||
        (inflated.Size() != 0 && std::memcmp(inflated.Data(), expected.data(), expected.size()) != 0))
      std::abort();
    TByteBlock again = DecompressBuffer(CompressBuffer(inflated.Bytes()).Bytes());
    if (again.Size() != inflated.Size() ||
        (again.Size() != 0 && std::memcmp(again.Data(), inflated.Data(), inflated.Size()) != 0))
      std::abort();
  } catch (const EDecompressionError &) {
    if (valid) std::abort();
  }
  return 0;
}
