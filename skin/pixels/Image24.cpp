#include "skin/pixels/Image24.h"

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/base/Exceptions.h"

namespace {

class BufferStorage final : public ImageStorage {
public:
  BufferStorage(int width, int height, int bytesPerPixel, RowOrder order)
      : rowBytes_((static_cast<ptrdiff_t>(width) * bytesPerPixel + 3) & ~ptrdiff_t{3}), order_(order),
        bytes_(static_cast<size_t>(rowBytes_) * static_cast<size_t>(height)) {
    // A bottom-up buffer keeps row 0 last, exactly as a bottom-up DIB does.
    row0_ = bytes_.data();
    stride_ = rowBytes_;
    if (order == RowOrder::BottomUp && height > 0) {
      row0_ = bytes_.data() + rowBytes_ * (height - 1);
      stride_ = -rowBytes_;
    }
  }
  uint8_t *Row0() const override { return row0_; }
  ptrdiff_t Stride() const override { return stride_; }
  std::unique_ptr<ImageStorage> CreateLike(int width, int height, int bytesPerPixel) const override {
    return std::make_unique<BufferStorage>(width, height, bytesPerPixel, order_);
  }

private:
  ptrdiff_t rowBytes_;
  RowOrder order_;
  std::vector<uint8_t> bytes_;
  uint8_t *row0_ = nullptr;
  ptrdiff_t stride_ = 0;
};

void CheckSize(int width, int height) {
  if (width < 0 || height < 0 || width > MaxImageSide || height > MaxImageSide)
    throw Exception("Image size " + std::to_string(width) + " x " + std::to_string(height) + " is not supported");
}

} // namespace

std::unique_ptr<ImageStorage> CreateBufferStorage(int width, int height, int bytesPerPixel, RowOrder order) {
  CheckSize(width, height);
  return std::make_unique<BufferStorage>(width, height, bytesPerPixel, order);
}

template <int N>
BasicImage<N>::BasicImage(int width, int height, RowOrder order)
    : BasicImage(width, height, CreateBufferStorage(width, height, N, order)) {}

template <int N>
BasicImage<N>::BasicImage(int width, int height, std::unique_ptr<ImageStorage> storage)
    : storage_(std::move(storage)), width_(width), height_(height) {
  CheckSize(width, height);
  if (!storage_) throw Exception("Image without storage");
  row0_ = storage_->Row0();
  stride_ = storage_->Stride();
}

template <int N>
BasicImage<N>::BasicImage(BasicImage &&other) noexcept
    : storage_(std::move(other.storage_)), width_(other.width_), height_(other.height_), row0_(other.row0_),
      stride_(other.stride_) {
  other.width_ = other.height_ = 0;
  other.row0_ = nullptr;
  other.stride_ = 0;
}

template <int N> BasicImage<N> &BasicImage<N>::operator=(BasicImage &&other) noexcept {
  if (this != &other) {
    storage_ = std::move(other.storage_);
    width_ = other.width_;
    height_ = other.height_;
    row0_ = other.row0_;
    stride_ = other.stride_;
    other.width_ = other.height_ = 0;
    other.row0_ = nullptr;
    other.stride_ = 0;
  }
  return *this;
}

template <int N> TColor BasicImage<N>::Pixel(int x, int y) const {
  const uint8_t *p = PixelAddress(x, y);
  return RgbColor(p[2], p[1], p[0]);
}

template <int N> void BasicImage<N>::SetPixel(int x, int y, TColor c) {
  uint8_t *p = PixelAddress(x, y);
  p[0] = BlueOf(c);
  p[1] = GreenOf(c);
  p[2] = RedOf(c);
}

template <int N> void BasicImage<N>::Fill(TColor c) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      SetPixel(x, y, c);
}

template <int N> BasicImage<N> BasicImage<N>::Clone() const {
  if (!storage_) return BasicImage();
  BasicImage copy(width_, height_, storage_->CreateLike(width_, height_, N));
  const size_t rowBytes = static_cast<size_t>(width_) * N;
  for (int y = 0; y < height_; ++y)
    std::memcpy(copy.ScanLine(y), ScanLine(y), rowBytes);
  return copy;
}

template class BasicImage<3>;
template class BasicImage<4>;
