#pragma once
// The manager's settings for skinned menus: the section of the icon line and the extra line's text
// and font. The skinned menus read them; the manager only keeps them.

#include <string>

#include "skin/pixels/TextCanvas.h"
#include "toolkit/base/Component.h"

// A font as layouts store it, without a platform font behind it.
class TacFontSettings : public TPersistent {
  TK_CLASS(TacFontSettings)
public:
  TsFont Font;
};

class TacMenuSupport : public TPersistent {
  TK_CLASS(TacMenuSupport)
public:
  static constexpr const char *DefaultIcoLineSkin = "ICOLINE";
  std::string IcoLineSkin;
  bool UseExtraLine = false;
  std::string ExtraLineCaption;
  TacFontSettings ExtraLineFont;
};
