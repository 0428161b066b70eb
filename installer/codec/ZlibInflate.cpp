#include "installer/codec/ZlibCodec.h"

#include "installer/codec/ZlibStream.h"

using namespace zlib_stream;

TByteBlock DecompressBuffer(std::span<const uint8_t> input, size_t estimate) {
  // An empty input holds no stream; it would also make the growth step zero.
  if (input.empty()) throw EDecompressionError();
  const size_t step = RoundUpTo256(input.size());
  TByteBlock block(estimate != 0 ? estimate : step);
  ZStream<EDecompressionError> stream(inflateEnd);
  stream.Started(inflateInit(stream.Get()));
  const size_t produced = RunToStreamEnd<EDecompressionError>(*stream.Get(), input, block, step, inflate);
  stream.End();
  block.Resize(produced);
  return block;
}
