// The options reader and the data model over arbitrary text: the skin's own options, then (after a NUL byte)
// common sections. Every picture name ending in ".BMP" finds a small bitmap, other names find nothing.
// Loading must end in a skin or an ESkinError, and every look-up on the skin must answer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "skin/model/QuickIndexes.h"
#include "skin/model/SkinLoader.h"
#include "skin/pixels/BitmapWriter.h"
#include "toolkit/base/Text.h"

namespace {

class FixedPictures : public SkinPictureSource {
public:
  FixedPictures() {
    Image24 image(12, 9);
    image.Fill(0x808080);
    bitmap_ = WriteBitmap24(image);
  }
  std::optional<PictureFile> Find(std::string_view name) const override {
    if (!text::UpperCase(name).ends_with(".BMP")) return std::nullopt;
    return PictureFile::Borrowed(bitmap_, std::string(name));
  }

private:
  std::vector<uint8_t> bitmap_;
};

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

void LookEverythingUp(const TsSkin &skin) {
  for (const auto &g : skin.GeneralData) {
    int section = skin.SectionIndex(g.SectionName);
    for (const char *key : {"BORDERSMASK", "PATTERN", "HOTPATTERN", "GLYPHMASK"}) {
      int image = skin.ImageIndex(section, g.SectionName, key);
      skin.TextureIndex(section, g.SectionName, key);
      skin.PatternIndex(section, g.SectionName, key);
      if (image >= 0 && !skin.IsValidImageIndex(image)) std::abort();
    }
  }
  for (int i = 0; i < static_cast<int>(skin.Masks.size()); ++i) {
    skin.BorderLeftWidth(i);
    skin.BorderTopWidth(i);
    skin.BorderRightWidth(i);
    skin.BorderBottomWidth(i);
    skin.ImageFrameSize(i);
  }
  ComputeQuickIndexes(&skin);
  skin.GlobalColor();
  skin.GlobalFontColor();
  skin.GlobalHotColor();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const FixedPictures pictures;
  std::string_view input(reinterpret_cast<const char *>(data), size);
  size_t split = input.find('\0');
  std::string_view own = input.substr(0, split);
  std::vector<std::string> common =
      split == std::string_view::npos ? std::vector<std::string>{} : Lines(input.substr(split + 1));
  try {
    SkinOptions options = SkinOptions::FromCp1251(std::span<const uint8_t>(data, own.size()));
    auto skin = BuildSkinFromOptions(options, pictures, "", true, common);
    LookEverythingUp(*skin);
  } catch (const ESkinError &) {
  }
  return 0;
}
