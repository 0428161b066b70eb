#include "skin/model/StoredSkin.h"

#include <vector>

#include "skin/model/GeneralDataReader.h"
#include "skin/model/PictureReference.h"
#include "skin/model/Skin.h"
#include "toolkit/base/Text.h"

namespace {

// Five blank-separated integers: colour, then the left, top, right and bottom contours. Anything else
// gives colour 0 and no contours.
std::array<TColor, 5> FiveColors(std::string_view text) {
  std::array<TColor, 5> colors{0, NoColor, NoColor, NoColor, NoColor};
  std::vector<int> numbers;
  size_t i = 0;
  while ((i = text.find_first_not_of(' ', i)) != std::string_view::npos) {
    size_t end = std::min(text.find(' ', i), text.size());
    auto n = ReadOptionInteger(text.substr(i, end - i));
    if (!n) return colors;
    numbers.push_back(*n);
    i = end;
  }
  if (numbers.size() != colors.size()) return colors;
  for (size_t k = 0; k < colors.size(); ++k)
    colors[k] = static_cast<TColor>(numbers[k]);
  return colors;
}

TsGeneralData GeneralFromStored(const TsSkinGeneral &g, const SkinProblemHandler &problems) {
  TsGeneralData d;
  d.ParentClass = g.ParentClass;
  d.SectionName = g.SectionName;
  d.Color = g.Color;
  d.Bevel = BevelFromNumber(g.Bevel);
  d.FontColor = FiveColors(g.FontColor);
  d.HotFontColor = FiveColors(g.HotFontColor);
  d.ReservedBoolean = g.ReservedBoolean;
  d.ShadowBlur = g.ShadowBlur;
  d.ShadowColor = g.ShadowColor;
  d.ShadowEnabled = g.ShadowEnabled;
  d.ShadowOffset = g.ShadowOffset;
  d.ShadowTransparency = g.ShadowTransparency;
  d.Transparency = g.Transparency;
  d.GradientPercent = g.GradientPercent;
  d.GradientData = g.GradientData;
  ParseSectionGradient(g.SectionName, "GRADIENTDATA", d.GradientData, d.GradientArray, problems);
  d.ImagePercent = g.ImagePercent;
  d.ShowFocus = g.ShowFocus;
  d.FadingEnabled = g.FadingEnabled;
  d.FadingIntervalIn = g.FadingIntervalIn;
  d.FadingIntervalOut = g.FadingIntervalOut;
  d.FadingIterations = g.FadingIterations;
  d.HotColor = g.HotColor;
  d.HotTransparency = g.HotTransparency;
  d.HotBevel = BevelFromNumber(g.HotBevel);
  d.HotGradientPercent = g.HotGradientPercent;
  d.HotGradientData = g.HotGradientData;
  ParseSectionGradient(g.SectionName, "HOTGRADIENTDATA", d.HotGradientData, d.HotGradientArray, problems);
  d.HotImagePercent = g.HotImagePercent;
  d.BorderColor1 = g.BorderColor1;
  d.BorderColor2 = g.BorderColor2;
  return d;
}

TsMaskData MaskFromStored(const TsSkinImage &item) {
  TsMaskData m;
  m.SectionName = text::UpperCase(item.SectionName);
  m.PropertyName = text::UpperCase(item.PropertyName);
  if (item.Image && !item.Name.empty()) {
    m.Image = std::make_unique<Image24>(item.Image->Clone());
    m.R = TRect{0, 0, item.Image->Width(), item.Image->Height()};
  } else {
    m.R = TRect{item.Left, item.Top, item.Right, item.Bottom};
  }
  m.ImageCount = item.ImageCount;
  m.MaskType = item.MaskType;
  if (m.ImageCount == 0) {
    m.ImageCount = 3;
    m.MaskType = 1;
  }
  NormaliseFrameCounts(m);
  m.BorderWidth = item.BorderWidth;
  if (m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN") {
    m.ImgType = TacImgType::itisaTexture;
    m.StretchMode = item.ImgType == TacImgType::itisaTexture ? item.StretchMode : 0;
  } else {
    m.ImgType = item.ImgType;
    m.StretchMode = item.StretchMode;
  }
  m.WL = item.WL;
  m.WT = item.WT;
  m.WR = item.WR;
  m.WB = item.WB;
  SettleBorderWidths(m);
  return m;
}

// An item without a picture borrows the one of the first other item of the same name.
const Image24 *PatternPicture(const std::vector<TsSkinPattern> &items, const TsSkinPattern &item) {
  if (item.Image) return item.Image.get();
  for (const auto &other : items)
    if (&other != &item && other.Name == item.Name && other.Image) return other.Image.get();
  return nullptr;
}

} // namespace

void ReadStoredCollections(const TsStoredSkin &stored, TsSkin &skin, const SkinProblemHandler &problems) {
  skin.MasterBitmap = stored.MasterBitmap ? stored.MasterBitmap->Clone() : Image24();
  skin.Masks.clear();
  for (const auto &item : stored.Images)
    skin.Masks.push_back(MaskFromStored(item));

  skin.Patterns.clear();
  for (const auto &item : stored.Patterns) {
    const Image24 *picture = PatternPicture(stored.Patterns, item);
    if (!picture) {
      problems.Missing(item.SectionName, item.PropertyName, "pattern \"" + item.Name + "\" has no picture");
      continue;
    }
    skin.Patterns.push_back(TsPatternData{std::make_unique<Image24>(picture->Clone()),
                                          text::UpperCase(item.SectionName), text::UpperCase(item.PropertyName)});
  }

  TsSkinData &data = skin.SkinData;
  data.Version = stored.Version;
  data.Author = stored.Author;
  data.Description = stored.Description;
  data.Shadow1Color = stored.Shadow1Color;
  data.Shadow1Offset = stored.Shadow1Offset;
  data.Shadow1Blur = stored.Shadow1Blur;
  data.Shadow1Transparency = stored.Shadow1Transparency;
  data.BorderColor = stored.BorderColor;
  skin.GeneralData.clear();
  for (const auto &g : stored.GeneralData)
    skin.GeneralData.push_back(GeneralFromStored(g, problems));
}
