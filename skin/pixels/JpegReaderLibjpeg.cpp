// JPEG decoding through libjpeg-turbo. libjpeg reports errors by calling error_exit, which must not
// return; it jumps back to the setjmp point of the step that failed. The steps below hold no C++
// objects with destructors, so the jump skips none; the error becomes an EPictureError outside them.

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "skin/pixels/JpegDecoder.h"
#include "skin/pixels/PictureReader.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto *err = reinterpret_cast<ErrorManager *>(info->err);
  info->err->format_message(info, err->message);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr, int) {} // warnings are not shown

class Decompressor {
public:
  Decompressor() {
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = OnError;
    error.base.emit_message = OnMessage;
    error.message[0] = 0;
  }
  ~Decompressor() {
    if (created) jpeg_destroy_decompress(&info);
  }
  Decompressor(const Decompressor &) = delete;
  Decompressor &operator=(const Decompressor &) = delete;

  [[noreturn]] void Fail() const { throw EPictureError(std::string("Invalid JPEG: ") + error.message); }

  jpeg_decompress_struct info{};
  ErrorManager error{};
  bool created = false;
};

bool ReadHeader(Decompressor &d, const uint8_t *bytes, size_t size) {
  if (setjmp(d.error.jump)) return false;
  jpeg_create_decompress(&d.info);
  d.created = true;
  jpeg_mem_src(&d.info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&d.info, TRUE);
  const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  return true;
}

// Decodes into rows already allocated; each row pointer has room for width * components bytes.
bool DecodeRows(Decompressor &d, uint8_t *const *rows) {
  if (setjmp(d.error.jump)) return false;
  jpeg_start_decompress(&d.info);
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = rows[d.info.output_scanline];
    jpeg_read_scanlines(&d.info, &row, 1);
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

// Adobe CMYK JPEGs store inverted values: each channel is the colour times the black level.
void CmykToBgr(const uint8_t *cmyk, uint8_t *bgr, int width) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned k = cmyk[3];
    bgr[0] = static_cast<uint8_t>((cmyk[2] * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((cmyk[1] * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((cmyk[0] * k + 127) / 255);
  }
}

} // namespace

Image24 ReadJpeg(std::span<const uint8_t> bytes) {
  if (bytes.empty()) throw EPictureError("Invalid JPEG: no data");
  Decompressor d;
  if (!ReadHeader(d, bytes.data(), bytes.size())) d.Fail();
  const int width = static_cast<int>(d.info.image_width);
  const int height = static_cast<int>(d.info.image_height);
  CheckJpegSize(width, height);

  Image24 image(width, height);
  std::vector<uint8_t *> rows(static_cast<size_t>(height));
  const bool cmyk = d.info.out_color_space == JCS_CMYK;
  std::vector<uint8_t> cmykRows(cmyk ? static_cast<size_t>(width) * 4 * height : 0);
  for (int y = 0; y < height; ++y)
    rows[y] = cmyk ? &cmykRows[static_cast<size_t>(y) * width * 4] : image.ScanLine(y);
  if (!DecodeRows(d, rows.data())) d.Fail();
  if (cmyk)
    for (int y = 0; y < height; ++y)
      CmykToBgr(rows[y], image.ScanLine(y), width);
  return image;
}
