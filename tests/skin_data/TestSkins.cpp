#include "TestSkins.h"

#include <jpeglib.h>

#include <fstream>
#include <random>

#include "skin/paint/BitmapWriter.h"
#include "skin/paint/Image24.h"

std::vector<uint8_t> Bytes(const std::string &text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> BitmapFile(int width, int height, TColor color) {
  Image24 image(width, height);
  image.Fill(color);
  return WriteBitmap24(image);
}

std::vector<uint8_t> JpegFile(int width, int height) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3, 128);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
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
