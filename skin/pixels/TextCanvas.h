#pragma once
// Text drawing as the painters need it: a canvas with a font that draws captions into an image. The
// portable painters decide what to draw in which colour; the platform draws the glyphs (GDI over the DIB
// section behind an image, skin/pixels/win/GdiTextCanvas.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/pixels/Color.h"
#include "skin/pixels/Geometry.h"

// Text drawing flags, with the values of the platform's DrawText flags.
namespace TextFlags {
constexpr uint32_t Left = 0x0000;
constexpr uint32_t Center = 0x0001;
constexpr uint32_t Right = 0x0002;
constexpr uint32_t VCenter = 0x0004;
constexpr uint32_t Bottom = 0x0008;
constexpr uint32_t WordBreak = 0x0010;
constexpr uint32_t SingleLine = 0x0020;
constexpr uint32_t ExpandTabs = 0x0040;
constexpr uint32_t NoClip = 0x0100;
constexpr uint32_t NoPrefix = 0x0800;
} // namespace TextFlags

enum class FontQuality : uint8_t { Default, NonAntialiased, Antialiased };

struct TsFont {
  std::string Name = "MS Sans Serif";
  int Height = -11; // negative: character height in pixels, as the platform's font heights
  TColor Color = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t Charset = 1; // the platform's default character set
  FontQuality Quality = FontQuality::Default;
  int Escapement = 0; // the angle of a line of text in tenths of a degree, counter-clockwise (DrawAt)
  bool operator==(const TsFont &) const = default;
};

class TsTextCanvas {
public:
  virtual ~TsTextCanvas() = default;

  // The font that DrawString and TextWidth use; its Color is the text colour.
  TsFont Font;

  // Draws UTF-8 text into rect with a transparent background, laid out by TextFlags.
  virtual void DrawString(std::string_view text, const TRect &rect, uint32_t flags) = 0;
  // Draws one line of text from origin (its top-left corner before turning) along the font's Escapement,
  // with a transparent background: rotated captions.
  virtual void DrawAt(std::string_view text, TPoint origin) = 0;
  // Width and height in pixels of one line of text in the current font.
  virtual TSize TextExtent(std::string_view text) = 0;
  // The size that DrawString with these flags fills with text in a rectangle width wide (as high as it
  // needs): word breaks, line breaks and tabs taken into account.
  virtual TSize TextRectSize(std::string_view text, int width, uint32_t flags) = 0;
  int TextWidth(std::string_view text) { return TextExtent(text).Width; }
  int TextHeight(std::string_view text) { return TextExtent(text).Height; }
  // Limits drawing to rect (within any limit already set) until the matching PopClip.
  virtual void PushClip(const TRect &rect) = 0;
  virtual void PopClip() = 0;
};

// Drawing limited to a rectangle for the lifetime of the object.
class CanvasClip {
public:
  CanvasClip(TsTextCanvas &canvas, const TRect &rect) : canvas_(canvas) { canvas_.PushClip(rect); }
  ~CanvasClip() { canvas_.PopClip(); }
  CanvasClip(const CanvasClip &) = delete;
  CanvasClip &operator=(const CanvasClip &) = delete;

private:
  TsTextCanvas &canvas_;
};
