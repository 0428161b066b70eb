#include "skin/pixels/win/DibStorage.h"

#include <type_traits>

#include "toolkit/base/Exceptions.h"

namespace {

class DibStorage final : public ImageStorage {
public:
  DibStorage(int width, int height, int bytesPerPixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bytesPerPixel * 8);
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) throw EOutOfMemory();
    const ptrdiff_t rowBytes = (static_cast<ptrdiff_t>(width) * bytesPerPixel + 3) & ~ptrdiff_t{3};
    row0_ = static_cast<uint8_t *>(bits) + rowBytes * (height - 1);
    stride_ = -rowBytes;
  }
  ~DibStorage() override { DeleteObject(bitmap_); }
  DibStorage(const DibStorage &) = delete;
  DibStorage &operator=(const DibStorage &) = delete;

  uint8_t *Row0() const override { return row0_; }
  ptrdiff_t Stride() const override { return stride_; }
  void *NativeHandle() const override { return bitmap_; }
  std::unique_ptr<ImageStorage> CreateLike(int width, int height, int bytesPerPixel) const override {
    return CreateDibStorage(width, height, bytesPerPixel);
  }

private:
  HBITMAP bitmap_ = nullptr;
  uint8_t *row0_ = nullptr;
  ptrdiff_t stride_ = 0;
};

template <class Image> Image CreateDib(int width, int height) {
  if (width <= 0 || height <= 0) return Image();
  return Image(width, height, CreateDibStorage(width, height, Image::kBytesPerPixel));
}

} // namespace

std::unique_ptr<ImageStorage> CreateDibStorage(int width, int height, int bytesPerPixel) {
  if (width <= 0 || height <= 0) return CreateBufferStorage(width, height, bytesPerPixel, RowOrder::BottomUp);
  if (width > MaxImageSide || height > MaxImageSide) throw EOutOfMemory();
  return std::make_unique<DibStorage>(width, height, bytesPerPixel);
}

Image24 CreateDib24(int width, int height) { return CreateDib<Image24>(width, height); }
Image32 CreateDib32(int width, int height) { return CreateDib<Image32>(width, height); }
Image24 CreateDibLike(const Image24 &image) { return CreateDib24(image.Width(), image.Height()); }

ImageSurface::ImageSurface(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
  if (!dc_) throw EOutOfMemory();
  if (bitmap) previous_ = SelectObject(dc_, bitmap);
}

ImageSurface::~ImageSurface() {
  GdiFlush();
  if (previous_) SelectObject(dc_, previous_);
  DeleteDC(dc_);
}

TColor ColorToRgb(TColor color) {
  if (color < 0) return static_cast<TColor>(GetSysColor(color & 0xFF));
  return color & 0xFFFFFF;
}

void FillRectColor(HDC surface, const RECT &rect, TColor color) {
  const int saved = SaveDC(surface);
  const std::unique_ptr<std::remove_pointer_t<HBRUSH>, decltype(&DeleteObject)> brush(
      CreateSolidBrush(ColorToRgb(color)), &DeleteObject);
  if (brush) FillRect(surface, &rect, brush.get());
  RestoreDC(surface, saved);
}
