#pragma once
// Text drawn by GDI into the DIB section behind an image, so captions land in the same pixels that the
// portable painters work on.

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "skin/paint/TextCanvas.h"
#include "skin/paint/win/DibStorage.h"

class GdiTextCanvas final : public TsTextCanvas {
public:
  // The image must live in a DIB section (CreateDib24); raises Exception otherwise.
  explicit GdiTextCanvas(const Image24 &image);
  ~GdiTextCanvas() override;
  GdiTextCanvas(const GdiTextCanvas &) = delete;
  GdiTextCanvas &operator=(const GdiTextCanvas &) = delete;

  void DrawString(std::string_view text, const TRect &rect, uint32_t flags) override;
  void DrawAt(std::string_view text, TPoint origin) override;
  TSize TextExtent(std::string_view text) override;
  TSize TextRectSize(std::string_view text, int width, uint32_t flags) override;
  void PushClip(const TRect &rect) override;
  void PopClip() override;

private:
  using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, decltype(&DeleteObject)>;

  // Selects a font made from Font when Font changed since the last call.
  void SelectFont();

  ImageSurface surface_;
  GdiObject font_{nullptr, &DeleteObject};
  TsFont fontMade_;
  HGDIOBJ originalFont_ = nullptr;
  // The clip regions in force before each PushClip; null where there was none.
  std::vector<GdiObject> savedClips_;
};
