#include "skin/model/ColorTransforms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "skin/model/SystemColors.h"
#include "skin/pixels/PixelAccess.h"

namespace {

bool IsGray(TColor rgb) { return RedOf(rgb) == GreenOf(rgb) && GreenOf(rgb) == BlueOf(rgb); }

bool KeepsItsColor(TColor rgb) { return rgb == KeyColor || IsGray(rgb); }

// A recoloured colour that came out as the key colour would turn into a hole (in a picture) or into
// "not set" (in a record); the nearest other colour takes its place.
TColor NotKey(TColor rgb) { return rgb == KeyColor ? RgbColor(255, 1, 255) : rgb; }

TColor Recolored(TColor rgb, const TsColorTransform &t) {
  if (t.HueOffset != 0 && !KeepsItsColor(rgb)) rgb = NotKey(RotateHue(rgb, t.HueOffset));
  if (t.Saturation != 0 && !KeepsItsColor(rgb)) rgb = NotKey(ChangeSaturation(rgb, t.Saturation));
  return rgb;
}

void RecolorRecordColor(TColor &color, const TsColorTransform &t) {
  if (color == NoColor) return;
  // The key colour ("not set") is kept like a key-coloured pixel.
  const TColor rgb = ResolveSystemColor(color);
  const TColor changed = Recolored(rgb, t);
  // A system colour that the transform leaves alone stays a system colour and so follows the system.
  if (changed != rgb) color = changed;
}

void RecolorGradient(TsGradArray &steps, const TsColorTransform &t) {
  for (TsGradStep &step : steps) {
    RecolorRecordColor(step.StartColor, t);
    RecolorRecordColor(step.EndColor, t);
  }
}

void RecolorGeneralData(TsGeneralData &gd, const TsColorTransform &t) {
  RecolorRecordColor(gd.Color, t);
  RecolorRecordColor(gd.HotColor, t);
  for (TColor &c : gd.FontColor)
    RecolorRecordColor(c, t);
  for (TColor &c : gd.HotFontColor)
    RecolorRecordColor(c, t);
  RecolorGradient(gd.GradientArray, t);
  RecolorGradient(gd.HotGradientArray, t);
}

} // namespace

TColor RotateHue(TColor rgb, int hueOffset) {
  const double r = RedOf(rgb), g = GreenOf(rgb), b = BlueOf(rgb);
  const double v = std::max({r, g, b});
  const double delta = v - std::min({r, g, b});
  const double s = v == 0 ? 0 : delta / v;
  if (s == 0) return rgb;

  const double k = 60 / delta;
  const double cr = v - r * k, cg = v - g * k, cb = v - b * k;
  double hue = v == r ? cb - cg : v == g ? 120 + cr - cb : 240 + cg - cr;
  if (hue < 0) hue += 360;
  // In real numbers throughout, so no offset, however large, overflows.
  double turned = std::fmod(std::nearbyint(hueOffset + hue), 360.0);
  if (turned < 0) turned += 360;

  const double sector = turned / 60;
  const int i = static_cast<int>(sector);
  const double f = sector - i;
  const double p = std::clamp((1 - s) * v, 0.0, 255.0);
  const double q = std::clamp((1 - s * f) * v, 0.0, 255.0);
  const double t = std::clamp((1 - (1 - f) * s) * v, 0.0, 255.0);
  auto color = [](double red, double green, double blue) {
    return RgbColor(NearestByte(red), NearestByte(green), NearestByte(blue));
  };
  switch (i) {
  case 0: return color(v, t, p);
  case 1: return color(q, v, p);
  case 2: return color(p, v, t);
  case 3: return color(p, q, v);
  case 4: return color(t, p, v);
  default: return color(v, p, q);
  }
}

TColor ChangeSaturation(TColor rgb, int saturation) {
  // The remainder keeps the sign of the dividend; 64 bits, as the lowest int has no negative.
  const int s = static_cast<int>(-static_cast<int64_t>(saturation) % 101);
  if (s == 0) return rgb;
  const double r = RedOf(rgb), g = GreenOf(rgb), b = BlueOf(rgb);
  const double m = (r + g + b) / 3;
  auto channel = [&](double x) { return NearestByte(x + s * (m - x) / 100); };
  return RgbColor(channel(r), channel(g), channel(b));
}

void RecolorImage(Image24 &image, const TsColorTransform &transform) {
  if (transform.Empty()) return;
  // Pictures repeat a few hundred colours over and over: each is worked out once per slot of a table
  // that the colour's multiplicative hash indexes.
  constexpr int SlotBits = 12;
  std::vector<std::pair<TColor, TColor>> known(size_t{1} << SlotBits, {NoColor, NoColor}); // no pixel is NoColor
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t *p = image.ScanLine(y); // rows are padded and may run bottom-up
    for (int x = 0; x < image.Width(); ++x, p += 3) {
      const TColor old = RgbColor(p[2], p[1], p[0]);
      auto &[from, to] = known[(static_cast<uint32_t>(old) * 2654435761u) >> (32 - SlotBits)];
      if (from != old) {
        from = old;
        to = Recolored(old, transform);
      }
      p[0] = BlueOf(to);
      p[1] = GreenOf(to);
      p[2] = RedOf(to);
    }
  }
}

void RecolorSkin(TsSkin &skin, const TsColorTransform &transform) {
  if (transform.Empty()) return;
  RecolorImage(skin.MasterBitmap, transform);
  for (TsMaskData &mask : skin.Masks)
    if (mask.Image) RecolorImage(*mask.Image, transform);
  for (TsGeneralData &gd : skin.GeneralData)
    RecolorGeneralData(gd, transform);
  RecolorRecordColor(skin.SkinData.Shadow1Color, transform);
  RecolorRecordColor(skin.SkinData.BorderColor, transform);
}
