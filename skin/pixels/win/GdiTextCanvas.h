#pragma once
// Text drawn by GDI into the DIB section behind an image, so captions land in the same pixels that the
// portable painters work on.

#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "skin/pixels/TextCanvas.h"
#include "skin/pixels/win/DibStorage.h"

// The platform's text drawing over the whole of text (UTF-8, embedded zero characters included) into r of
// dc, laid out by the DrawText flags; r is changed as DrawText changes it. Returns the text's height.
int DrawTextPlain(HDC dc, std::string_view text, RECT &r, UINT flags);

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
