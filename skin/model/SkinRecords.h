#pragma once
// The records of a loaded skin: one general data record per options section, one image record per picture
// reference, one pattern record per large JPEG pattern and one record for the skin as a whole.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/pixels/Color.h"
#include "skin/pixels/Geometry.h"
#include "skin/pixels/Gradient.h"
#include "skin/pixels/Image24.h"

enum class TsControlBevel : uint8_t { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };

enum class TacImgType : uint8_t { itisaBorder, itisaTexture, itisaGlyph };

// "None" in colour fields of the records (contour colours, for example).
constexpr TColor NoColor = static_cast<TColor>(-1);

struct TsGeneralData {
  std::string ParentClass;
  std::string SectionName;
  TColor Color = 0xFFFFFF;
  TsControlBevel Bevel = TsControlBevel::cbNone;
  // [0] text colour, [1] to [4] contour colours left, top, right, bottom (NoColor draws none).
  std::array<TColor, 5> FontColor{0, NoColor, NoColor, NoColor, NoColor};
  std::array<TColor, 5> HotFontColor{0, NoColor, NoColor, NoColor, NoColor};
  bool ReservedBoolean = false;
  int32_t ShadowBlur = 6;
  TColor ShadowColor = 0;
  bool ShadowEnabled = false;
  int32_t ShadowOffset = 3;
  int32_t ShadowTransparency = 50;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  std::string GradientData = " ";
  TsGradArray GradientArray;
  int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int32_t FadingIntervalIn = 5;
  int32_t FadingIntervalOut = 5;
  int32_t FadingIterations = 5;
  TColor HotColor = 0xFFFFFF;
  int32_t HotTransparency = 0;
  TsControlBevel HotBevel = TsControlBevel::cbNone;
  int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  TsGradArray HotGradientArray;
  int32_t HotImagePercent = 0;
  TColor BorderColor1 = 0;
  TColor BorderColor2 = 0;
};

struct TsMaskData {
  // The record's own picture, or none: then R lies in the skin's master bitmap.
  std::unique_ptr<Image24> Image;
  std::string SectionName;
  std::string PropertyName;
  TRect R;
  // Never below 1 and 0, so frame sizes can always be divided out.
  int16_t ImageCount = 1;
  int16_t MaskType = 0;
  int16_t BorderWidth = 0;
  int16_t StretchMode = 0;
  TacImgType ImgType = TacImgType::itisaBorder;
  int16_t WL = 0;
  int16_t WT = 0;
  int16_t WR = 0;
  int16_t WB = 0;
};

struct TsPatternData {
  std::unique_ptr<Image24> Image; // the decoded JPEG picture
  std::string SectionName;
  std::string PropertyName;
};

struct TsSkinData {
  std::string SkinPath; // prefix of relative picture names; ends in a backslash, empty for an internal skin
  bool Loaded = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color = 0;
  int32_t Shadow1Offset = 0;
  int32_t Shadow1Blur = -1;
  int32_t Shadow1Transparency = 0;
  TColor BorderColor = 0;
  int32_t BISpace = 0;
};

using TsGeneralDataArray = std::vector<TsGeneralData>;
using TsMaskArray = std::vector<TsMaskData>;
using TsPatternArray = std::vector<TsPatternData>;
