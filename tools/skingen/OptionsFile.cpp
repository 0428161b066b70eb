#include "tools/skingen/OptionsFile.h"

#include <cstdio>
#include <initializer_list>
#include <stdexcept>

namespace skingen {

OptionsFile::Section &OptionsFile::Section::Set(const std::string &key, const std::string &value) {
  for (const auto &line : lines_)
    if (line.first == key) throw std::runtime_error("key " + key + " twice in " + name_);
  lines_.emplace_back(key, value);
  return *this;
}

OptionsFile::Section &OptionsFile::Add(const std::string &name) {
  for (const auto &s : sections_)
    if (s.name_ == name) throw std::runtime_error("section twice: " + name);
  sections_.emplace_back();
  sections_.back().name_ = name;
  return sections_.back();
}

std::string OptionsFile::Text() const {
  std::string text;
  for (const auto &s : sections_) {
    if (!text.empty()) text += "\r\n";
    text += "[" + s.name_ + "]\r\n";
    for (const auto &[key, value] : s.lines_)
      text += key + "=" + value + "\r\n";
  }
  return text;
}

namespace {

std::string Digits(int value, int width) {
  if (value < 0 || std::to_string(value).size() > size_t(width))
    throw std::runtime_error("value " + std::to_string(value) + " does not fit " + std::to_string(width) + " digits");
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

// Each value written with its number of digits, every one after the separator.
std::string Fields(char sep, std::initializer_list<std::pair<int, int>> valuesAndWidths) {
  std::string text;
  for (const auto &[value, width] : valuesAndWidths) {
    text += sep;
    text += Digits(value, width);
  }
  return text;
}

} // namespace

std::string BorderRef(TRect r, BorderWidths w, int imageCount, int maskType, int stretchMode, int borderWidth) {
  return Fields('^', {{r.Left, 4},
                      {r.Top, 4},
                      {r.Right, 4},
                      {r.Bottom, 4},
                      {w.left, 4},
                      {w.top, 4},
                      {w.right, 4},
                      {w.bottom, 4},
                      {imageCount, 1},
                      {maskType, 1},
                      {stretchMode, 1},
                      {borderWidth, 1}});
}

std::string GlyphRef(TRect r, int imageCount, int maskType) {
  return Fields('@', {{r.Left, 4}, {r.Top, 4}, {r.Right, 4}, {r.Bottom, 4}, {imageCount, 1}, {maskType, 1}});
}

std::string TextureRef(TRect r, int stretchMode, int maskType) {
  std::string value = Fields('~', {{r.Left, 4}, {r.Top, 4}, {r.Right, 4}, {r.Bottom, 4}, {stretchMode, 2}});
  if (maskType >= 0) value += Fields('~', {{maskType, 1}});
  return value;
}

std::string GradientData(const std::vector<GradientBand> &bands, int mode) {
  std::string text;
  for (const auto &b : bands) {
    if (!text.empty()) text += ";";
    text += std::to_string(b.from) + ";" + std::to_string(b.to) + ";" + std::to_string(b.percent) + ";" +
            std::to_string(mode) + ";0";
  }
  return text;
}

} // namespace skingen
