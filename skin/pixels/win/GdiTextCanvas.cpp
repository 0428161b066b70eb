#include "skin/pixels/win/GdiTextCanvas.h"

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

BYTE QualityOf(FontQuality quality) {
  switch (quality) {
  case FontQuality::NonAntialiased: return NONANTIALIASED_QUALITY;
  case FontQuality::Antialiased: return ANTIALIASED_QUALITY;
  case FontQuality::Default: break;
  }
  return DEFAULT_QUALITY;
}

} // namespace

GdiTextCanvas::GdiTextCanvas(const Image24 &image) : surface_(image) {
  if (!image.NativeHandle()) throw Exception("Text can only be drawn into an image held in a DIB section");
  SetBkMode(surface_.Handle(), TRANSPARENT);
}

GdiTextCanvas::~GdiTextCanvas() {
  while (!savedClips_.empty())
    PopClip();
  if (originalFont_) SelectObject(surface_.Handle(), originalFont_);
}

void GdiTextCanvas::SelectFont() {
  TsFont wanted = Font;
  wanted.Color = fontMade_.Color; // the colour is the text colour, not part of the font
  if (font_ && wanted == fontMade_) return;
  GdiObject font(CreateFontW(Font.Height, 0, Font.Escapement, Font.Escapement, Font.Bold ? FW_BOLD : FW_NORMAL,
                             Font.Italic, Font.Underline, Font.StrikeOut, Font.Charset, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, QualityOf(Font.Quality), DEFAULT_PITCH | FF_DONTCARE,
                             Wide(Font.Name).c_str()),
                 &DeleteObject);
  if (!font) throw Exception("The font \"" + Font.Name + "\" cannot be made");
  HGDIOBJ previous = SelectObject(surface_.Handle(), font.get());
  if (!originalFont_) originalFont_ = previous;
  font_ = std::move(font); // the font it replaces is no longer selected
  fontMade_ = Font;
}

int DrawTextPlain(HDC dc, std::string_view text, RECT &r, UINT flags) {
  std::wstring wide = Wide(text);
  return ::DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &r, flags);
}

void GdiTextCanvas::DrawString(std::string_view text, const TRect &rect, uint32_t flags) {
  SelectFont();
  SetTextColor(surface_.Handle(), ColorToRgb(Font.Color));
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  DrawTextPlain(surface_.Handle(), text, r, flags);
}

void GdiTextCanvas::DrawAt(std::string_view text, TPoint origin) {
  SelectFont();
  SetTextColor(surface_.Handle(), ColorToRgb(Font.Color));
  std::wstring wide = Wide(text);
  ExtTextOutW(surface_.Handle(), origin.X, origin.Y, 0, nullptr, wide.data(), static_cast<UINT>(wide.size()), nullptr);
}

TSize GdiTextCanvas::TextExtent(std::string_view text) {
  SelectFont();
  std::wstring wide = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(surface_.Handle(), wide.data(), static_cast<int>(wide.size()), &size);
  return {size.cx, size.cy};
}

TSize GdiTextCanvas::TextRectSize(std::string_view text, int width, uint32_t flags) {
  SelectFont();
  std::wstring wide = Wide(text);
  RECT r{0, 0, width, 0};
  ::DrawTextW(surface_.Handle(), wide.data(), static_cast<int>(wide.size()), &r, flags | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

void GdiTextCanvas::PushClip(const TRect &rect) {
  GdiObject saved(CreateRectRgn(0, 0, 0, 0), &DeleteObject);
  if (saved && GetClipRgn(surface_.Handle(), static_cast<HRGN>(saved.get())) != 1) saved.reset();
  savedClips_.push_back(std::move(saved));
  IntersectClipRect(surface_.Handle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void GdiTextCanvas::PopClip() {
  if (savedClips_.empty()) return;
  SelectClipRgn(surface_.Handle(), static_cast<HRGN>(savedClips_.back().get()));
  savedClips_.pop_back();
}
