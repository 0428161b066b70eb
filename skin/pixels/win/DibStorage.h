#pragma once
// Images backed by DIB sections: GDI draws into the same memory that the pixel loops work on.
// The DIB sections are bottom-up, as GDI prefers, so their stride is negative.

#include <windows.h>

#include <memory>

#include "skin/pixels/Image24.h"

// Zeroed DIB-section storage; raises EOutOfMemory when the system cannot create the section.
std::unique_ptr<ImageStorage> CreateDibStorage(int width, int height, int bytesPerPixel);

// Empty images (a side of 0) have no bitmap.
Image24 CreateDib24(int width, int height);
Image32 CreateDib32(int width, int height);
Image24 CreateDibLike(const Image24 &image);

// The image's DIB section, or null for an image in a plain buffer.
template <int N> HBITMAP DibHandle(const BasicImage<N> &image) { return static_cast<HBITMAP>(image.NativeHandle()); }

// A memory device context with an image's DIB section selected: the image's drawing surface.
// GDI output is flushed when the surface ends, before the pixel loops look at the memory again.
class ImageSurface {
public:
  template <int N> explicit ImageSurface(const BasicImage<N> &image) : ImageSurface(DibHandle(image)) {}
  explicit ImageSurface(HBITMAP bitmap);
  ~ImageSurface();
  ImageSurface(const ImageSurface &) = delete;
  ImageSurface &operator=(const ImageSurface &) = delete;

  HDC Handle() const { return dc_; }

private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A Windows colour value with a system colour resolved to its current red, green and blue.
TColor ColorToRgb(TColor color);

// Fills a rectangle of a surface with a solid brush of the converted colour; the surface's state is
// saved before and restored after.
void FillRectColor(HDC surface, const RECT &rect, TColor color);
