#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include <zlib.h>

#include "installer/codec/ZlibCodec.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToVector(const TByteBlock &block) { return Bytes(block.Data(), block.Data() + block.Size()); }

Bytes RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  Bytes bytes(count);
  for (uint8_t &b : bytes)
    b = static_cast<uint8_t>(random());
  return bytes;
}

// zlib's own one-shot deflate, independent of the code under test.
Bytes ReferenceCompress(const Bytes &data, int level = 9) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), level), Z_OK);
  out.resize(size);
  return out;
}

size_t StepFor(size_t compressedSize) { return (compressedSize + 255) & ~size_t{255}; }

template <class Error> void ExpectCodecError(const std::function<void()> &call) {
  try {
    call();
    ADD_FAILURE() << "no error raised";
  } catch (const Error &error) {
    const EZlibError &asZlib = error; // the codec's errors are zlib errors and general errors
    const Exception &asGeneral = asZlib;
    EXPECT_EQ(asGeneral.Message(), "Error");
  }
}

void ExpectInflateFails(const Bytes &input) {
  ExpectCodecError<EDecompressionError>([&] { DecompressBuffer(input); });
}

} // namespace

TEST(CompressBuffer, EmptyInputGivesTheEightByteStreamOfNothing) {
  TByteBlock stream = CompressBuffer({});
  EXPECT_EQ(ToVector(stream), (Bytes{0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_EQ(DecompressBuffer(stream.Bytes()).Size(), 0u);
}

TEST(CompressBuffer, ProducesTheLevelNineStreamWithDefaultSettings) {
  for (const Bytes &data : {RandomBytes(1, 1), RandomBytes(70000, 2), Bytes(300000, 'A'), Bytes(256, 0)}) {
    TByteBlock stream = CompressBuffer(data);
    ASSERT_GE(stream.Size(), 2u);
    EXPECT_EQ(stream.Data()[0], 0x78);
    EXPECT_EQ(stream.Data()[1], 0xDA);
    EXPECT_EQ(ToVector(stream), ReferenceCompress(data)) << "size " << data.size();
  }
}

TEST(DecompressBuffer, RoundTripsRandomAndHighlyCompressibleData) {
  Bytes mixed = RandomBytes(200000, 3);
  mixed.resize(mixed.size() + 3000000, 0x90); // many growth steps: the stream is tiny next to its output
  for (const Bytes &data : {RandomBytes(1, 4), RandomBytes(123457, 5), Bytes(8u << 20, 0), mixed}) {
    TByteBlock stream = CompressBuffer(data);
    TByteBlock inflated = DecompressBuffer(stream.Bytes());
    ASSERT_EQ(inflated.Size(), data.size());
    EXPECT_TRUE(ToVector(inflated) == data) << "size " << data.size();
  }
}

TEST(DecompressBuffer, InflatesStreamsOfOtherLevels) {
  Bytes data = RandomBytes(5000, 6);
  data.resize(90000, 'x');
  for (int level : {0, 1, 6})
    EXPECT_TRUE(ToVector(DecompressBuffer(ReferenceCompress(data, level))) == data);
}

TEST(DecompressBuffer, OutputSmallerThanTheStepIsCutToSize) {
  const Bytes data = RandomBytes(100, 7);
  const Bytes stream = ReferenceCompress(data);
  ASSERT_LT(data.size(), StepFor(stream.size()));
  TByteBlock inflated = DecompressBuffer(stream);
  EXPECT_EQ(inflated.Size(), data.size());
  EXPECT_TRUE(ToVector(inflated) == data);
}

TEST(DecompressBuffer, OutputThatIsAnExactMultipleOfTheStepHasTheExactSize) {
  // A random head fixes the stream's size (and so the step); a run of zeros pads the output to whole steps
  // while adding almost nothing to the stream.
  for (size_t headSize : {0, 1000, 5000}) {
    for (size_t steps : {1, 2, 7}) {
      Bytes data = RandomBytes(headSize, 8);
      for (int tries = 0; tries < 10; ++tries) {
        const size_t step = StepFor(ReferenceCompress(data).size());
        if (data.size() == steps * step) break;
        data.resize(std::max(headSize, steps * step), 0);
      }
      const Bytes stream = ReferenceCompress(data);
      ASSERT_EQ(data.size(), steps * StepFor(stream.size())) << "head " << headSize << ", steps " << steps;
      EXPECT_TRUE(ToVector(DecompressBuffer(stream)) == data);
      // The same with a first block that the output fills exactly, and with one that is far too small.
      EXPECT_TRUE(ToVector(DecompressBuffer(stream, data.size())) == data);
      EXPECT_TRUE(ToVector(DecompressBuffer(stream, 1)) == data);
    }
  }
}

TEST(DecompressBuffer, StopsAtTheStreamsEndAndIgnoresTrailingBytes) {
  const Bytes data = RandomBytes(3000, 9);
  Bytes input = ReferenceCompress(data);
  const Bytes secondStream = ReferenceCompress(RandomBytes(500, 10));
  input.insert(input.end(), secondStream.begin(), secondStream.end());
  input.insert(input.end(), {0xFF, 0x00, 0x13});
  EXPECT_TRUE(ToVector(DecompressBuffer(input)) == data);
}

TEST(DecompressBuffer, EveryCutShortStreamFails) {
  Bytes data = RandomBytes(700, 11);
  data.resize(5000, 'z');
  const Bytes stream = ReferenceCompress(data);
  for (size_t length = 1; length < stream.size(); ++length)
    ExpectInflateFails(Bytes(stream.begin(), stream.begin() + static_cast<ptrdiff_t>(length)));
}

TEST(DecompressBuffer, WrongCheckValueFails) {
  const Bytes data = RandomBytes(4000, 12);
  for (size_t fromEnd = 1; fromEnd <= 4; ++fromEnd) {
    Bytes stream = ReferenceCompress(data);
    stream[stream.size() - fromEnd] ^= 0x01;
    ExpectInflateFails(stream);
  }
}

TEST(DecompressBuffer, CorruptDataFails) {
  const Bytes data = RandomBytes(4000, 13);
  const Bytes good = ReferenceCompress(Bytes(data.begin(), data.end()));
  for (size_t at : {size_t{2}, size_t{3}, good.size() / 2, good.size() - 6}) {
    Bytes stream = good;
    stream[at] ^= 0x5A;
    ExpectInflateFails(stream);
  }
}

TEST(DecompressBuffer, BadHeaderFails) {
  const Bytes good = ReferenceCompress(RandomBytes(100, 14));
  Bytes badCheckBits = good;
  badCheckBits[1] ^= 0x01; // header check (FCHECK) no longer divides
  ExpectInflateFails(badCheckBits);
  Bytes notDeflate = good;
  notDeflate[0] = 0x79; // compression method 9
  ExpectInflateFails(notDeflate);
  ExpectInflateFails(Bytes{'P', 'K', 0x03, 0x04, 0x14, 0x00, 0x00, 0x00}); // a ZIP archive is no zlib stream
  ExpectInflateFails(Bytes{0x78});
}

TEST(DecompressBuffer, StreamNeedingAPresetDictionaryFails) {
  z_stream deflater{};
  ASSERT_EQ(deflateInit(&deflater, 9), Z_OK);
  const Bytes dictionary(64, 'd');
  ASSERT_EQ(deflateSetDictionary(&deflater, dictionary.data(), static_cast<uInt>(dictionary.size())), Z_OK);
  Bytes data(1000, 'd');
  Bytes stream(2000);
  deflater.next_in = data.data();
  deflater.avail_in = static_cast<uInt>(data.size());
  deflater.next_out = stream.data();
  deflater.avail_out = static_cast<uInt>(stream.size());
  ASSERT_EQ(deflate(&deflater, Z_FINISH), Z_STREAM_END);
  stream.resize(deflater.total_out);
  deflateEnd(&deflater);
  ExpectInflateFails(stream);
}

TEST(DecompressBuffer, EmptyInputFails) { ExpectInflateFails({}); }

TEST(DecompressBuffer, EstimateBeyondTheHeapRaisesOutOfMemory) {
  const Bytes stream = ReferenceCompress(Bytes(10, 1));
  try {
    DecompressBuffer(stream, SIZE_MAX / 2);
    ADD_FAILURE() << "no error raised";
  } catch (const EOutOfMemory &error) {
    EXPECT_EQ(error.Message(), "Out of memory");
  }
}
