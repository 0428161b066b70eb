#pragma once
// The options file of a skin: sections of "KEY=VALUE" lines, written with CR LF line ends, and the
// fixed-position forms in which a value names a picture.

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "skin/pixels/Color.h"
#include "skin/pixels/Geometry.h"

namespace skingen {

class OptionsFile {
public:
  class Section {
  public:
    Section &Set(const std::string &key, const std::string &value);
    Section &Set(const std::string &key, const char *value) { return Set(key, std::string(value)); }
    Section &Set(const std::string &key, int value) { return Set(key, std::to_string(value)); }
    Section &Set(const std::string &key, bool value) { return Set(key, std::string(value ? "TRUE" : "FALSE")); }

  private:
    friend class OptionsFile;
    std::string name_;
    std::vector<std::pair<std::string, std::string>> lines_;
  };

  Section &Add(const std::string &name);
  std::string Text() const;
  size_t SectionCount() const { return sections_.size(); }

private:
  std::deque<Section> sections_; // references handed out stay valid
};

// "^L^T^R^B^WL^WT^WR^WB^count^mask^stretch^width": a border picture in the master bitmap.
struct BorderWidths {
  int left = 0, top = 0, right = 0, bottom = 0;
};
std::string BorderRef(TRect r, BorderWidths w, int imageCount, int maskType, int stretchMode, int borderWidth);
// "@L@T@R@B@count@mask": a glyph in the master bitmap.
std::string GlyphRef(TRect r, int imageCount, int maskType);
// "~L~T~R~B~SS" or "~L~T~R~B~SS~M": a texture in the master bitmap.
std::string TextureRef(TRect r, int stretchMode, int maskType = -1);

// Gradient data: groups of start colour, end colour, percent, mode, 0.
struct GradientBand {
  TColor from, to;
  int percent;
};
std::string GradientData(const std::vector<GradientBand> &bands, int mode);

} // namespace skingen
