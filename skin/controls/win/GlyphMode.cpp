#include "skin/controls/win/GlyphMode.h"

#include <algorithm>

#include "skin/controls/win/DefaultGlyphs.h"
#include "skin/pixels/PictureReader.h"
#include "toolkit/base/MetaClass.h"

const TMetaClass &TsGlyphMode::StaticMetaClass() {
  return DefineClass<TsGlyphMode, TPersistent>("TsGlyphMode", [](TClassBuilder<TsGlyphMode> &c) {
    c.Bool("UseDefaultGlyph", &TsGlyphMode::SetUseDefaultGlyph);
    c.Int("Blend", &TsGlyphMode::SetBlend);
    c.Binary("Glyph", &TsGlyphMode::LoadGlyph);
    c.Bool("Grayed", &TsGlyphMode::SetGrayed);
    c.String("Hint", [](TsGlyphMode &g, const std::string &hint) { g.Hint = hint; });
  });
}

void TsGlyphMode::SetUseDefaultGlyph(bool use) {
  useDefaultGlyph_ = use;
  changed_(true);
}

void TsGlyphMode::SetBlend(int blend) {
  blend_ = std::clamp(blend, 0, 100);
  changed_(true);
}

void TsGlyphMode::SetGlyph(Image24 glyph) {
  glyph_ = std::move(glyph);
  useDefaultGlyph_ = false;
  changed_(true);
}

void TsGlyphMode::LoadGlyph(const std::vector<uint8_t> &bitmapFile) { SetGlyph(ReadBitmap(bitmapFile)); }

void TsGlyphMode::SetGrayed(bool grayed) {
  grayed_ = grayed;
  changed_(false);
}

const Image24 *TsGlyphMode::Current(const std::string &glyphKind) const {
  if (useDefaultGlyph_ || glyph_.Empty()) return DefaultGlyph(glyphKind);
  return &glyph_;
}
