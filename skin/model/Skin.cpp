#include "skin/model/Skin.h"

#include "skin/model/GeneralDataReader.h"
#include "skin/model/SystemColors.h"

namespace {

template <typename Records, typename Accept>
int FirstIndex(const Records &records, std::string_view sectionName, std::string_view key, Accept accept) {
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].SectionName == sectionName && records[i].PropertyName == key && accept(records[i]))
      return static_cast<int>(i);
  return -1;
}

constexpr int ButtonFaceColorIndex = 15;
constexpr int WindowColorIndex = 5;

constexpr auto AnyRecord = [](const auto &) { return true; };

} // namespace

int TsSkin::SectionIndex(std::string_view name) const {
  for (size_t i = 0; i < GeneralData.size(); ++i)
    if (GeneralData[i].SectionName == name) return static_cast<int>(i);
  return -1;
}

template <typename Find>
int TsSkin::WithParentFallback(int sectionIndex, std::string_view sectionName, Find find) const {
  // Parent chains may loop or run absurdly deep; they are followed as far as when the skin was read.
  for (size_t step = 0; step < MaxParentChain; ++step) {
    if (sectionIndex < 0 || sectionName.empty()) return -1;
    if (int found = find(sectionName); found >= 0) return found;
    if (!IsValidSectionIndex(sectionIndex)) return -1;
    const std::string &parent = GeneralData[sectionIndex].ParentClass;
    if (parent.empty() || parent == sectionName) return -1;
    sectionIndex = SectionIndex(parent);
    sectionName = parent;
  }
  return -1;
}

int TsSkin::ImageIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
  return WithParentFallback(sectionIndex, sectionName,
                            [&](std::string_view name) { return FirstIndex(Masks, name, key, AnyRecord); });
}

int TsSkin::TextureIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
  return WithParentFallback(sectionIndex, sectionName, [&](std::string_view name) {
    return FirstIndex(Masks, name, key, [](const TsMaskData &m) { return m.ImgType == TacImgType::itisaTexture; });
  });
}

int TsSkin::PatternIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
  return WithParentFallback(sectionIndex, sectionName,
                            [&](std::string_view name) { return FirstIndex(Patterns, name, key, AnyRecord); });
}

int TsSkin::ImageIndexByName(std::string_view sectionName, std::string_view key) const {
  return FirstIndex(Masks, sectionName, key, AnyRecord);
}

int TsSkin::FrameWidthBorder(int index) const {
  const TsMaskData &m = Masks[index];
  if (m.BorderWidth > 0) return m.BorderWidth;
  return m.R.Width() / (std::max<int>(m.ImageCount, 1) * 3);
}

int TsSkin::FrameHeightBorder(int index) const {
  const TsMaskData &m = Masks[index];
  if (m.BorderWidth > 0) return m.BorderWidth;
  return m.R.Height() / ((std::max<int>(m.MaskType, 0) + 1) * 3);
}

int TsSkin::BorderLeftWidth(int index) const {
  if (!IsValidImageIndex(index)) return 0;
  return Masks[index].WL > 0 ? Masks[index].WL : FrameWidthBorder(index);
}

int TsSkin::BorderRightWidth(int index) const {
  if (!IsValidImageIndex(index)) return 0;
  return Masks[index].WR > 0 ? Masks[index].WR : FrameWidthBorder(index);
}

int TsSkin::BorderTopWidth(int index) const {
  if (!IsValidImageIndex(index)) return 0;
  return Masks[index].WT > 0 ? Masks[index].WT : FrameHeightBorder(index);
}

int TsSkin::BorderBottomWidth(int index) const {
  if (!IsValidImageIndex(index)) return 0;
  return Masks[index].WB > 0 ? Masks[index].WB : FrameHeightBorder(index);
}

TPoint TsSkin::ImageFrameSize(int index) const {
  if (!IsValidImageIndex(index)) return {};
  const TsMaskData &m = Masks[index];
  if (m.Image) return TPoint{m.Image->Width() / 3, m.Image->Height() / 2};
  return TPoint{m.R.Width() / std::max<int>(m.ImageCount, 1), m.R.Height() / (std::max<int>(m.MaskType, 0) + 1)};
}

const TsGeneralData *TsSkin::GlobalInfo() const {
  int index = SectionIndex(GlobalInfoSection);
  return index >= 0 ? &GeneralData[index] : nullptr;
}

TColor TsSkin::GlobalColor() const {
  const TsGeneralData *g = GlobalInfo();
  return ResolveSystemColor(g ? g->Color : SystemColorValue(ButtonFaceColorIndex));
}

TColor TsSkin::GlobalFontColor() const {
  const TsGeneralData *g = GlobalInfo();
  return ResolveSystemColor(g ? g->FontColor[0] : KeyColor);
}

TColor TsSkin::GlobalHotColor() const {
  const TsGeneralData *g = GlobalInfo();
  return ResolveSystemColor(g ? g->HotColor : SystemColorValue(WindowColorIndex));
}
