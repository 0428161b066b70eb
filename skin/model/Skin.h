#pragma once
// A loaded skin: its records, its master bitmap and the look-ups through which controls and painters find
// their section, their pictures and the global colours. Names are compared exactly, case included; every
// look-up answers -1 when nothing is found. A default-constructed skin is "no skin".

#include <string_view>

#include "skin/model/SkinRecords.h"

class TsSkin {
public:
  TsSkinData SkinData;
  TsGeneralDataArray GeneralData;
  TsMaskArray Masks;
  TsPatternArray Patterns;
  // Records without a picture of their own point into it; 0 x 0 when the skin has none.
  Image24 MasterBitmap;
  // True when the pictures came from a pack (a pack file or an internal skin's data).
  bool FromPack = false;

  int SectionIndex(std::string_view name) const;
  // The image record of key in the section; without one, the record of the section's parent
  // ("PARENTCLASS"), and so on up the chain.
  int ImageIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  // As ImageIndex, counting texture records only.
  int TextureIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  // As ImageIndex, over the pattern records.
  int PatternIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  // The image record of exactly that section and key, without looking at parents.
  int ImageIndexByName(std::string_view sectionName, std::string_view key) const;

  bool IsValidImageIndex(int index) const { return index >= 0 && index < static_cast<int>(Masks.size()); }
  bool IsValidSectionIndex(int index) const { return index >= 0 && index < static_cast<int>(GeneralData.size()); }

  // Widths of the borders of a border mask that stay unstretched: the record's own width, else its
  // BorderWidth, else one third of a frame. 0 for an invalid index.
  int BorderLeftWidth(int index) const;
  int BorderRightWidth(int index) const;
  int BorderTopWidth(int index) const;
  int BorderBottomWidth(int index) const;
  // The size of one state frame of image record index; (0, 0) for an invalid index.
  TPoint ImageFrameSize(int index) const;

  // "GLOBALINFO" colours as RGB: Color (else the system's button face colour), FontColor[0] (else the key
  // colour) and HotColor (else the system's window colour).
  TColor GlobalColor() const;
  TColor GlobalFontColor() const;
  TColor GlobalHotColor() const;

private:
  template <typename Find> int WithParentFallback(int sectionIndex, std::string_view sectionName, Find find) const;
  int FrameWidthBorder(int index) const;
  int FrameHeightBorder(int index) const;
  const TsGeneralData *GlobalInfo() const;
};
