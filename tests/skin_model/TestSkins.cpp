#include "TestSkins.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "skin/pixels/BitmapWriter.h"
#include "skin/pixels/Image24.h"

std::vector<uint8_t> Bytes(const std::string &text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> BitmapFile(int width, int height, TColor color) {
  Image24 image(width, height);
  image.Fill(color);
  return WriteBitmap24(image);
}

std::vector<uint8_t> JpegFixture(const std::string &name) {
  std::ifstream file(std::filesystem::path(KELVORA_SKIN_TEST_DATA) / name, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) throw std::runtime_error("test data " + name + " is missing");
  return bytes;
}

std::vector<uint8_t> PackOf(const std::vector<SkinPackMember> &members) { return WriteSkinPack(members); }

TempFolder::TempFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("skindata-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Text() const {
  auto text = path_.u8string();
  return std::string(text.begin(), text.end()) + "/";
}

void TempFolder::Write(const std::filesystem::path &relative, const std::vector<uint8_t> &bytes) const {
  std::filesystem::create_directories((path_ / relative).parent_path());
  std::ofstream file(path_ / relative, std::ios::binary);
  file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
