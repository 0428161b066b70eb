#include "skin/controls/GlyphFace.h"

#include <algorithm>
#include <cmath>

#include "skin/model/SkinRecords.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/render/MaskPainting.h"

namespace {

constexpr int FramesPerGlyph = 3;

// The picture as a masked record of three frames, so the skin's masked copy draws it.
TsMaskData GlyphRecord(const Image24 &picture) {
  TsMaskData rec;
  rec.R = TRect{0, 0, picture.Width(), picture.Height()};
  rec.ImageCount = FramesPerGlyph;
  rec.MaskType = 1;
  return rec;
}

Image24 CopyOf(const Image24 &source, int width, int height) {
  Image24 copy(width, height);
  CopyRect(copy, 0, 0, source, TRect{0, 0, source.Width(), source.Height()});
  return copy;
}

} // namespace

TsGlyphFrame GlyphFrameOf(const Image24 *picture) {
  if (!picture || picture->Empty()) return {};
  return {picture->Width() / FramesPerGlyph, picture->Height() / 2};
}

int GlyphButtonWidth(const TsGlyphFrame &frame) { return frame.Width < 1 ? 0 : frame.Width + 2; }

TRect GlyphTarget(TSize button, const TsGlyphFrame &frame) {
  const int left = (button.Width - frame.Width) / 2, top = (button.Height - frame.Height) / 2;
  return TRect{left, top, left + frame.Width, top + frame.Height};
}

int GlyphFrameIndex(bool pressed, bool mouseOver) { return pressed ? 2 : mouseOver ? 1 : 0; }

int GlyphBlendShare(int blend) {
  return std::min(255, static_cast<int>(std::lround(std::clamp(blend, 0, 100) * 2.56)));
}

void PaintGlyphFace(Image24 &buttonCache, const Image24 &picture, const TsGlyphLook &look) {
  const TsGlyphFrame frame = GlyphFrameOf(&picture);
  if (buttonCache.Empty() || frame.Width < 1 || frame.Height < 1) return;
  // A full fade leaves the background exact; an 8-bit blend weight would keep a trace of the glyph.
  if (look.Idle && GlyphBlendShare(look.Blend) >= 255) return;
  const int width = std::max(buttonCache.Width(), picture.Width());
  const int height = std::max(buttonCache.Height(), picture.Height());
  Image24 face = CopyOf(buttonCache, width, height);
  const TRect target = GlyphTarget(TSize{buttonCache.Width(), buttonCache.Height()}, frame);
  const int left = std::clamp(look.Frame, 0, FramesPerGlyph - 1) * frame.Width;
  CopyStateImageMasked(target, TRect{left, 0, left + frame.Width, frame.Height}, face, GlyphRecord(picture), 1,
                       picture);
  if (look.Idle) {
    if (look.Grayed) MakeGray(face);
    if (look.Blend > 0) {
      const Image24 background = CopyOf(buttonCache, width, height);
      BlendImage(face, background, static_cast<uint8_t>(255 - GlyphBlendShare(look.Blend)));
    }
  }
  CopyRect(buttonCache, 0, 0, face, TRect{0, 0, buttonCache.Width(), buttonCache.Height()});
}
