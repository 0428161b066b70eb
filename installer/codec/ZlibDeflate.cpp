#include "installer/codec/ZlibCodec.h"

#include <cstdint>

#include "installer/codec/ZlibStream.h"

using namespace zlib_stream;

TByteBlock CompressBuffer(std::span<const uint8_t> input) {
  const size_t n = input.size();
  if (n > (SIZE_MAX - 12) / 11 * 10) throw EOutOfMemory();
  TByteBlock block(RoundUpTo256(n + n / 10 + 12));
  ZStream<ECompressionError> stream(deflateEnd);
  stream.Started(deflateInit(stream.Get(), Z_BEST_COMPRESSION));
  const size_t produced = RunToStreamEnd<ECompressionError>(*stream.Get(), input, block, 256, deflate);
  stream.End();
  block.Resize(produced);
  return block;
}
