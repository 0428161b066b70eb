#include "skin/pixels/PixelAccess.h"

#include <algorithm>
#include <cmath>

uint8_t NearestByte(double v) {
  const double r = std::nearbyint(v); // the default rounding mode: ties to even
  return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

namespace {

// target * a + source * (255 - a) is rewritten as (target - source) * a + source * 255: one multiplication
// per byte instead of two. The sum lies within 0..255 * 255 + 127, so 16-bit lanes that wrap on the way
// still end with the exact value. Where the loader picks a version at run time (ELF with GCC), an AVX2
// version doubles the lanes.
#if defined(__ELF__) && defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void BlendRow(uint8_t *__restrict t, const uint8_t *__restrict s, size_t bytes, uint16_t a) {
  for (size_t i = 0; i < bytes; ++i) {
    const uint16_t source = s[i];
    const uint16_t sum = static_cast<uint16_t>(static_cast<uint16_t>(t[i] - source) * a) +
                         static_cast<uint16_t>((source << 8) - source + 127);
    t[i] = static_cast<uint8_t>(sum >> 8);
  }
}

} // namespace

bool TacFastSum24::Attach(const Image24 &source, const Image24 &target) {
  if (source.Width() < 2 || source.Height() < 2 || target.Width() < 2 || target.Height() < 2) return false;
  Source = &source;
  Target = &target;
  Width = std::min(source.Width(), target.Width());
  Height = std::min(source.Height(), target.Height());
  SourceRow0 = source.Row0();
  TargetRow0 = target.Row0();
  SourceStride = source.Stride();
  TargetStride = target.Stride();
  return true;
}

void TacFastSum24::Blend() {
  if (!Source || !Target) return;
  const int dx = SourceLeft - TargetLeft;
  const int dy = SourceBottom - TargetBottom;
  // Limit the target rectangle so that it and its source counterpart lie inside both images.
  const int left = std::max({TargetLeft, 0, -dx});
  const int right = std::min({TargetRight, Target->Width(), Source->Width() - dx});
  const int top = std::max({TargetTop, 0, -dy});
  const int bottom = std::min({TargetBottom, Target->Height(), Source->Height() - dy});
  if (left >= right || top >= bottom) return;

  const size_t bytes = static_cast<size_t>(right - left) * 3;
  auto targetRow = [&](int y) { return TargetRow0 + y * TargetStride + 3 * left; };
  auto sourceRow = [&](int y) { return SourceRow0 + (y + dy) * SourceStride + 3 * (left + dx); };
  // Rows run upwards: in an image stored top-down that is backwards through memory, where the processor's own
  // read-ahead starts late on every row. Each stretch of a row therefore asks for the same stretch of the
  // next row to be fetched meanwhile.
  constexpr size_t kStretch = 512, kLine = 64;
  for (int y = bottom - 1; y >= top; --y) {
    uint8_t *t = targetRow(y);
    const uint8_t *s = sourceRow(y);
    const int next = y > top ? y - 1 : y;
    const uint8_t *nextTarget = targetRow(next), *nextSource = sourceRow(next);
    for (size_t done = 0; done < bytes; done += kStretch) {
      const size_t length = std::min(kStretch, bytes - done);
      for (size_t line = 0; line < length; line += kLine) {
        __builtin_prefetch(nextTarget + done + line, 1);
        __builtin_prefetch(nextSource + done + line, 0);
      }
      BlendRow(t + done, s + done, length, Weight);
    }
  }
}
