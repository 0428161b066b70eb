#pragma once
// Device-independent pixel images of the painting core: 24 bits (blue, green, red) or 32 bits per pixel.
// Rows are reached through the address of row 0 and a signed stride, because bottom-up images (the usual
// Windows DIB) store row 0 last. Where the rows live is the business of an ImageStorage: an owned buffer
// here, a DIB section in the Windows build (skin/pixels/win/DibStorage.h), so GDI and the pixel loops share
// the same memory and the pixel code exists once.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "skin/pixels/Color.h"

enum class RowOrder { TopDown, BottomUp };

// Owns the memory of one image's rows.
class ImageStorage {
public:
  virtual ~ImageStorage() = default;
  virtual uint8_t *Row0() const = 0;
  virtual ptrdiff_t Stride() const = 0;
  // The platform bitmap behind the rows (an HBITMAP on Windows), or null for a plain buffer.
  virtual void *NativeHandle() const { return nullptr; }
  // New zeroed storage of the same kind for another image.
  virtual std::unique_ptr<ImageStorage> CreateLike(int width, int height, int bytesPerPixel) const = 0;
};

// Rows padded to 4 bytes, as in a DIB, in plain memory.
std::unique_ptr<ImageStorage> CreateBufferStorage(int width, int height, int bytesPerPixel, RowOrder order);

// Largest side accepted for any image; keeps width * height * 4 far from overflow.
constexpr int MaxImageSide = 32768;

template <int BytesPerPixel> class BasicImage {
public:
  static constexpr int kBytesPerPixel = BytesPerPixel;

  // An empty image (0 x 0) that draws nothing.
  BasicImage() = default;
  // A zeroed image in an owned buffer; raises Exception when a side is negative or above MaxImageSide.
  BasicImage(int width, int height, RowOrder order = RowOrder::TopDown);
  // Takes over storage that already holds width x height pixels.
  BasicImage(int width, int height, std::unique_ptr<ImageStorage> storage);

  BasicImage(BasicImage &&other) noexcept;
  BasicImage &operator=(BasicImage &&other) noexcept;
  BasicImage(const BasicImage &) = delete;
  BasicImage &operator=(const BasicImage &) = delete;
  ~BasicImage() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  uint8_t *Row0() const { return row0_; }
  ptrdiff_t Stride() const { return stride_; }
  uint8_t *ScanLine(int y) const { return row0_ + static_cast<ptrdiff_t>(y) * stride_; }
  uint8_t *PixelAddress(int x, int y) const { return ScanLine(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Colour value 0x00BBGGRR of a pixel inside the image (a fourth byte plays no part).
  TColor Pixel(int x, int y) const;
  // Writes blue, green and red of c; a fourth byte is left as it was.
  void SetPixel(int x, int y, TColor c);
  // Every pixel set to c.
  void Fill(TColor c);

  // A deep copy in storage of the same kind.
  BasicImage Clone() const;
  // The platform bitmap behind the rows, or null.
  void *NativeHandle() const { return storage_ ? storage_->NativeHandle() : nullptr; }
  const ImageStorage *Storage() const { return storage_.get(); }

private:
  std::unique_ptr<ImageStorage> storage_;
  int width_ = 0;
  int height_ = 0;
  uint8_t *row0_ = nullptr;
  ptrdiff_t stride_ = 0;
};

extern template class BasicImage<3>;
extern template class BasicImage<4>;

class Image24 : public BasicImage<3> {
public:
  using BasicImage::BasicImage;
  Image24(BasicImage &&image) noexcept : BasicImage(std::move(image)) {}
  Image24 Clone() const { return Image24(BasicImage::Clone()); }
};

class Image32 : public BasicImage<4> {
public:
  using BasicImage::BasicImage;
  Image32(BasicImage &&image) noexcept : BasicImage(std::move(image)) {}
  Image32 Clone() const { return Image32(BasicImage::Clone()); }
};
