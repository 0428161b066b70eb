#pragma once
// The picture of an edit's built-in button: the default glyph of the edit's kind or a picture of its own,
// greyed or faded into the background while the edit is idle. Each change tells the edit.

#include <functional>
#include <string>

#include "skin/pixels/Image24.h"
#include "toolkit/base/Component.h"

class TsGlyphMode : public TPersistent {
  TK_CLASS(TsGlyphMode)
public:
  // changed(resize): the edit shows the new look; with resize the button takes the picture's width first.
  explicit TsGlyphMode(std::function<void(bool resize)> changed) : changed_(std::move(changed)) {}

  bool UseDefaultGlyph() const { return useDefaultGlyph_; }
  void SetUseDefaultGlyph(bool use);
  // 0 to 100 (clamped): how far an idle glyph fades into the background.
  int Blend() const { return blend_; }
  void SetBlend(int blend);
  const Image24 &Glyph() const { return glyph_; }
  // A picture of its own, which turns UseDefaultGlyph off.
  void SetGlyph(Image24 glyph);
  // The bytes of a bitmap file; bad bytes raise EPictureError and change nothing.
  void LoadGlyph(const std::vector<uint8_t> &bitmapFile);
  bool Grayed() const { return grayed_; }
  void SetGrayed(bool grayed);
  std::string Hint;

  // The picture drawn now: the default one for the kind, or the own one; null when there is none.
  const Image24 *Current(const std::string &glyphKind) const;

private:
  std::function<void(bool)> changed_;
  bool useDefaultGlyph_ = true;
  int blend_ = 0;
  Image24 glyph_;
  bool grayed_ = false;
};
