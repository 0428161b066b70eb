#pragma once
// A picture that skin items are painted onto the way controls paint onto their parent: each item is
// painted into a cache image of its own, seeing the picture painted so far as its parent's background,
// and then copied onto the picture.

#include <string_view>

#include "skin/model/Skin.h"
#include "skin/pixels/TextCanvas.h"

class ItemPicture {
public:
  // The picture as the parent of the items: its colour, and whether it paints a gradient or picture
  // background of its own (then see-through items show its pixels, else its colour).
  ItemPicture(const TsSkin &skin, Image24 picture, TColor parentColor, bool parentPaintsOwnBackground);

  // Paints section in state over rect, with its "GLYPHMASK" picture centred when it has one and the caption
  // in the section's colours where text can be drawn, indent pixels in from the left and right. False when
  // the skin has no such section.
  bool Paint(std::string_view section, const TRect &rect, int state, std::string_view caption = {},
             uint32_t flags = TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine, int indent = 0);
  // Text in the colours of a section, straight onto the picture (nothing where text cannot be drawn).
  void Label(std::string_view text, const TRect &rect, std::string_view section, uint32_t flags);

  const Image24 &Picture() const { return picture_; }
  Image24 TakePicture() { return std::move(picture_); }

  TsFont Font;

private:
  const TsSkin &skin_;
  Image24 picture_;
  TColor parentColor_;
  bool parentPaintsOwnBackground_;
};
