#pragma once
// What inflating and deflating share: a zlib stream that is ended exactly once, with zlib's memory handed out
// zero-filled, and the loop that runs one over a whole input into a growing block. Inflating and deflating
// live in files of their own, so a program that only inflates carries no compressor.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <span>

#include <zlib.h>

#include "installer/codec/ZlibCodec.h"

namespace zlib_stream {

// zlib's own memory is handed out zero-filled.
inline voidpf ZeroFilledAlloc(voidpf, uInt items, uInt size) { return std::calloc(items, size); }
inline void ReleaseAlloc(voidpf, voidpf address) { std::free(address); }

inline size_t RoundUpTo256(size_t n) {
  if (n > SIZE_MAX - 255) throw EOutOfMemory();
  return (n + 255) & ~size_t{255};
}

inline uInt ClampToUInt(size_t n) { return static_cast<uInt>(std::min<size_t>(n, UINT_MAX)); }

// Makes the block at least step bytes larger. Growing by the block's own size when that is more keeps a long
// inflate linear in its output rather than copying the whole block on every step; when memory is too short
// for that, the block grows by exactly step.
inline void GrowBlock(TByteBlock &block, size_t step) {
  size_t size = block.Size();
  if (step > SIZE_MAX - size) throw EOutOfMemory();
  size_t generous = std::max(step, std::min(size, SIZE_MAX - size));
  if (!block.TryResize(size + generous)) block.Resize(size + step);
}

// An initialised zlib stream, ended exactly once: by End, which reports a failure to end, or on unwinding.
template <class Error> class ZStream {
public:
  using EndFunction = int (*)(z_streamp);

  explicit ZStream(EndFunction end) : end_(end) {
    stream_.zalloc = ZeroFilledAlloc;
    stream_.zfree = ReleaseAlloc;
    stream_.opaque = Z_NULL;
  }
  ZStream(const ZStream &) = delete;
  ZStream &operator=(const ZStream &) = delete;
  ~ZStream() {
    if (started_) end_(&stream_);
  }

  z_stream *Get() { return &stream_; }
  void Started(int initResult) {
    if (initResult != Z_OK) throw Error();
    started_ = true;
  }
  void End() {
    started_ = false;
    if (end_(&stream_) != Z_OK) throw Error();
  }

private:
  z_stream stream_{};
  EndFunction end_;
  bool started_ = false;
};

// Runs process (inflate or deflate) over the whole input into block until the stream's end, growing the block
// by at least step whenever it is full. Returns the number of bytes produced. A zlib failure, or a pass that
// can neither read nor write while the block has room, raises Error.
template <class Error>
size_t RunToStreamEnd(z_stream &stream, std::span<const uint8_t> input, TByteBlock &block, size_t step,
                      int (*process)(z_streamp, int)) {
  size_t consumed = 0;
  size_t produced = 0;
  for (;;) {
    // zlib counts in 32 bits; larger buffers are offered in windows, with finish mode for the last one.
    const uInt offeredIn = ClampToUInt(input.size() - consumed);
    const uInt offeredOut = ClampToUInt(block.Size() - produced);
    stream.next_in = const_cast<Bytef *>(input.data() + consumed);
    stream.avail_in = offeredIn;
    stream.next_out = block.Data() + produced;
    stream.avail_out = offeredOut;
    const int flush = consumed + offeredIn == input.size() ? Z_FINISH : Z_NO_FLUSH;
    const int result = process(&stream, flush);
    consumed += offeredIn - stream.avail_in;
    produced += offeredOut - stream.avail_out;
    if (result == Z_STREAM_END) return produced;
    if (result != Z_OK && result != Z_BUF_ERROR) throw Error();
    if (produced == block.Size()) {
      GrowBlock(block, step);
    } else if (stream.avail_in == offeredIn && stream.avail_out == offeredOut) {
      throw Error(); // the input is used up before the stream's end
    }
  }
}

} // namespace zlib_stream
