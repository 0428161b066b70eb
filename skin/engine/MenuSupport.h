#pragma once
// The manager's settings for skinned menus: the section of the icon line and the extra line's text
// and font. The skinned menus read them; the manager only keeps them.

#include <functional>
#include <string>

#include "skin/pixels/Image24.h"
#include "skin/pixels/TextCanvas.h"
#include "toolkit/base/Component.h"

// Asked once per popup menu, with the menu's first item, for the extra line beside it: the handler may
// change its skin section, whether it shows, its picture and its text.
using TacGetExtraLineData = std::function<void(TComponent *firstItem, std::string &skinSection, bool &show,
                                               Image24 &picture, std::string &text)>;

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
  int ExtraLineWidth = 32;
  std::string ExtraLineCaption;
  TacFontSettings ExtraLineFont;
};
