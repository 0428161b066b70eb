#pragma once
// Small skins built in code for the painting tests: a master bitmap drawn pixel by pixel, sections and
// image records with exactly the fields a test needs.

#include <array>
#include <functional>
#include <string>

#include "skin/model/Skin.h"
#include "tests/skin_pixels/TestImages.h"

struct TestSkin {
  TsSkin skin;

  explicit TestSkin(int masterWidth = 1, int masterHeight = 1) {
    skin.MasterBitmap = Image24(masterWidth, masterHeight);
  }

  void Paint(int x, int y, TColor c) { skin.MasterBitmap.SetPixel(x, y, c); }
  void Paint(const TRect &r, const std::function<TColor(int x, int y)> &color) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        Paint(x, y, color(x - r.Left, y - r.Top));
  }

  TsGeneralData &Section(const std::string &name) {
    for (auto &g : skin.GeneralData)
      if (g.SectionName == name) return g;
    skin.GeneralData.emplace_back();
    skin.GeneralData.back().SectionName = name;
    return skin.GeneralData.back();
  }

  int Mask(const std::string &section, const std::string &key, TRect r, int imageCount, int maskType,
           int stretchMode = 0, std::array<int, 4> widths = {0, 0, 0, 0}, TacImgType type = TacImgType::itisaBorder) {
    TsMaskData m;
    m.SectionName = section;
    m.PropertyName = key;
    m.R = r;
    m.ImageCount = int16_t(imageCount);
    m.MaskType = int16_t(maskType);
    m.StretchMode = int16_t(stretchMode);
    m.ImgType = type;
    m.WL = int16_t(widths[0]);
    m.WT = int16_t(widths[1]);
    m.WR = int16_t(widths[2]);
    m.WB = int16_t(widths[3]);
    skin.Masks.push_back(std::move(m));
    return int(skin.Masks.size()) - 1;
  }
};
