#pragma once
// Small skins made inside the tests: bitmaps, JPEG pictures, packs and skin folders.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/model/SkinPackWriter.h"
#include "skin/pixels/Color.h"

std::vector<uint8_t> Bytes(const std::string &text);
// A 24-bit bitmap file filled with one colour.
std::vector<uint8_t> BitmapFile(int width, int height, TColor color = 0x336699);
// A JPEG picture from the test data: "gray300x300.jpg" or "gray299x300.jpg" (made by us, one grey).
std::vector<uint8_t> JpegFixture(const std::string &name);
std::vector<uint8_t> PackOf(const std::vector<SkinPackMember> &members);

// A temporary folder removed with the object.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;
  const std::filesystem::path &Path() const { return path_; }
  // The folder as UTF-8 text ending in a separator, as skin directories are given.
  std::string Text() const;
  void Write(const std::filesystem::path &relative, const std::vector<uint8_t> &bytes) const;

private:
  std::filesystem::path path_;
};
