#pragma once
// Internal skins, kept in the stored layout of the form that owns the skin manager. Normally Data holds a
// skin pack; an internal skin with empty Data carries its records as collections instead.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/model/SkinProblems.h"
#include "skin/model/SkinRecords.h"

// One section's values, as TsGeneralData but with the five text colours as one text of five
// blank-separated integers, and no inheritance.
struct TsSkinGeneral {
  std::string SectionName;
  std::string ParentClass;
  TColor Color = 0xFFFFFF;
  int32_t Bevel = 0;
  std::string FontColor;
  std::string HotFontColor;
  bool ReservedBoolean = false;
  int32_t ShadowBlur = 6;
  TColor ShadowColor = 0;
  bool ShadowEnabled = false;
  int32_t ShadowOffset = 3;
  int32_t ShadowTransparency = 50;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  std::string GradientData;
  int32_t ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int32_t FadingIntervalIn = 5;
  int32_t FadingIntervalOut = 5;
  int32_t FadingIterations = 5;
  TColor HotColor = 0xFFFFFF;
  int32_t HotTransparency = 0;
  int32_t HotBevel = 0;
  int32_t HotGradientPercent = 0;
  std::string HotGradientData;
  int32_t HotImagePercent = 0;
  TColor BorderColor1 = 0;
  TColor BorderColor2 = 0;
};

struct TsSkinImage {
  std::string Name; // a picture of its own counts only with a name
  std::string SectionName;
  std::string PropertyName;
  std::shared_ptr<const Image24> Image;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int16_t ImageCount = 0;
  int16_t MaskType = 0;
  int16_t BorderWidth = 0;
  int16_t StretchMode = 0;
  TacImgType ImgType = TacImgType::itisaBorder;
  int16_t WL = 0;
  int16_t WT = 0;
  int16_t WR = 0;
  int16_t WB = 0;
};

struct TsSkinPattern {
  std::string Name;
  std::string SectionName;
  std::string PropertyName;
  std::shared_ptr<const Image24> Image;
};

struct TsStoredSkin {
  std::string Name;
  std::vector<uint8_t> Data; // a skin pack, or empty
  std::vector<TsSkinGeneral> GeneralData;
  std::vector<TsSkinImage> Images;
  std::vector<TsSkinPattern> Patterns;
  std::shared_ptr<const Image24> MasterBitmap;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color = 0;
  int32_t Shadow1Offset = 0;
  int32_t Shadow1Blur = -1;
  int32_t Shadow1Transparency = 0;
  TColor BorderColor = 0xFF00FF;
};

class TsSkin;

// Builds the records of an internal skin without Data from its collections (BISpace is left as it is).
void ReadStoredCollections(const TsStoredSkin &stored, TsSkin &skin, const SkinProblemHandler &problems);
