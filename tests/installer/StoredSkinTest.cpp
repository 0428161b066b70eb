// The internal skin that the installer window's stored layout carries is the skin of the source tree
// (scripts/update-internal-skin.sh writes it after the skin changes).
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/model/SkinPack.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of the first "Data = hex { ... }" of the layout.
std::vector<uint8_t> StoredPack(const std::string &layout) {
  const auto start = layout.find("Data = hex {");
  const auto end = layout.find('}', start);
  std::string digits;
  for (char c : layout.substr(start + 12, end - start - 12))
    if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < digits.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  return bytes;
}

TEST(StoredSkin, TheLayoutsPackHoldsTheSkinFoldersFiles) {
  const std::vector<uint8_t> layout = FileBytes(KELVORA_LAYOUT_FILE);
  TacSkinConvertor pack;
  pack.Unpack(StoredPack(std::string(layout.begin(), layout.end())));
  ASSERT_TRUE(pack.Options().has_value());
  EXPECT_EQ(*pack.Options(), FileBytes(std::string(KELVORA_BLUEGAUZE_DIR) + "/Options.dat"));
  ASSERT_EQ(pack.ImageCount(), 2);
  // Members are looked up by their upper-case names.
  for (const auto &[key, file] :
       {std::pair{"MASTER.BMP", "Master.bmp"}, std::pair{"BUTTONHUGE.BMP", "ButtonHuge.bmp"}}) {
    const TacImageItem *image = pack.FindImage(key);
    ASSERT_NE(image, nullptr) << file;
    EXPECT_EQ(image->Data, FileBytes(std::string(KELVORA_BLUEGAUZE_DIR) + "/" + file)) << file;
  }
}

} // namespace
