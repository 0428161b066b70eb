// Each primitive works on a 2048 x 2048 24-bit image (12 MiB); BM_Memcpy copies the same bytes, so
// the bytes-per-second columns compare directly.

#include <benchmark/benchmark.h>

#include <cstring>

#include "skin/pixels/Blending.h"

namespace {

constexpr int Side = 2048;

Image24 Pattern(int seed, RowOrder order = RowOrder::TopDown) {
  Image24 image(Side, Side, order);
  for (int y = 0; y < Side; ++y) {
    uint8_t *row = image.ScanLine(y);
    for (int i = 0; i < Side * 3; ++i)
      row[i] = static_cast<uint8_t>(i * 7 + y * 13 + seed);
  }
  return image;
}

// Times one pass of `pass` over the images and reports the image's bytes per second.
template <class Pass> void Measure(benchmark::State &state, Pass pass) {
  for (auto _ : state) {
    pass();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * Side * Side * 3);
}

void BM_Memcpy(benchmark::State &state) {
  Image24 source = Pattern(1), target = Pattern(2);
  Measure(state, [&] { std::memcpy(target.ScanLine(0), source.ScanLine(0), size_t(target.Stride()) * Side); });
}

void BM_BlendImage(benchmark::State &state) {
  Image24 source = Pattern(1), target = Pattern(2, RowOrder::BottomUp);
  Measure(state, [&] { BlendImage(target, source, 128); });
}

void BM_BlendImageAt(benchmark::State &state) {
  Image24 source = Pattern(1), target = Pattern(2);
  Measure(state, [&] { BlendImageAt(target, source, 100, TPoint{0, 0}, TRect{0, 0, Side, Side}); });
}

void BM_TintByMask(benchmark::State &state) {
  Image24 mask = Pattern(1), target = Pattern(2);
  Measure(state, [&] { TintByMask(target, mask, 0x336699); });
}

void BM_CopyKeyed(benchmark::State &state) {
  Image24 source = Pattern(1), target = Pattern(2);
  Measure(state, [&] { CopyKeyed(target, source, 0, 0, KeyColor); });
}

void BM_MakeGray(benchmark::State &state) {
  Image24 image = Pattern(1);
  Measure(state, [&] { MakeGray(image); });
}

void BM_CrossFade32(benchmark::State &state) {
  Image24 a = Pattern(1), b = Pattern(2);
  Image32 target(Side, Side);
  Measure(state, [&] { CrossFade32(target, a, b, 90, nullptr); });
}

void BM_BlendRectColor(benchmark::State &state) {
  Image24 image = Pattern(1);
  Measure(state, [&] { BlendRectColor(image, TRect{0, 0, Side - 1, Side - 1}, 60, 0x336699); });
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlendImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlendImageAt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TintByMask)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyKeyed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeGray)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossFade32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlendRectColor)->Unit(benchmark::kMillisecond);
