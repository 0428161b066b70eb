#pragma once
// GDI wrappers: owned and counted GDI objects and device contexts, fonts, brushes and pens that own their
// handles, a canvas over any device context, and 24/32-bit bitmaps over DIB sections with direct row access.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "toolkit/base/Colors.h"
#include "toolkit/base/Component.h"
#include "toolkit/base/Exceptions.h"

class TStream;

// A system colour (0xFF000000 | index) resolved to its RGB value; other colours pass unchanged.
COLORREF ColorToRGB(TColor color);

// GDI rules of the toolkit (and of the parts built on it):
// - Every GDI object and device context we make is owned by an object here (GdiObject, MemoryDC) and
//   counted, so leaks show in ToolkitGdiUsage even under Wine, which defers deletions.
// - An object selected into a device context is deleted only after something else took its place.
// - A device context we are lent (in WM_PAINT, WM_PRINT, WM_DRAWITEM, a borrowed window DC) goes back as it
//   came: DcStateScope saves and restores all its state; SelectionScope puts one object back.

// What the toolkit holds at the moment: GDI objects and device contexts it made and has not freed yet, and
// how often an object was deleted while a canvas still had it selected (which fails on Windows).
struct GdiUsage {
  int objects = 0;
  int deviceContexts = 0;
  int deletedWhileSelected = 0;
};
GdiUsage ToolkitGdiUsage();

// Owns one GDI object (font, brush, pen, bitmap, region) and deletes it when replaced or destroyed.
class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(HGDIOBJ handle) { Reset(handle); }
  GdiObject(GdiObject &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject &operator=(GdiObject &&other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~GdiObject() { Reset(); }
  HGDIOBJ Get() const { return handle_; }
  void Reset(HGDIOBJ handle = nullptr);
  // Gives the object up without deleting it, to an owner that deletes it itself (the system deletes a
  // region handed to SetWindowRgn).
  HGDIOBJ Release();

private:
  HGDIOBJ handle_ = nullptr;
};

// Saves the whole state of a device context (selected objects, colours, modes, origin, clipping) and
// restores it when the scope ends.
class DcStateScope {
public:
  explicit DcStateScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~DcStateScope() { RestoreDC(dc_, saved_); }
  DcStateScope(const DcStateScope &) = delete;
  DcStateScope &operator=(const DcStateScope &) = delete;

private:
  HDC dc_;
  int saved_;
};

// Selects one object into a device context and puts the previous one back when the scope ends.
class SelectionScope {
public:
  SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectionScope() { SelectObject(dc_, previous_); }
  SelectionScope(const SelectionScope &) = delete;
  SelectionScope &operator=(const SelectionScope &) = delete;

private:
  HDC dc_;
  HGDIOBJ previous_;
};

using TNotifyEvent = std::function<void(TObject *sender)>;

// A font, brush or pen: its handle is made on demand and dropped when a property changes.
class TGraphicsObject : public TPersistent {
  TK_CLASS(TGraphicsObject)
public:
  TNotifyEvent OnChange;

protected:
  void Changed();
  GdiObject handle_;
};

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint32_t;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
  TK_CLASS(TFont)
public:
  TFont() = default;

  const std::string &Name() const { return name_; }
  void SetName(const std::string &name);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at the screen's 96 pixels per inch.
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  HFONT Handle();
  void Assign(const TPersistent &source) override;
  bool SameAs(const TFont &other) const;

private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  int charset_ = DEFAULT_CHARSET;
  TFontStyles style_ = 0;
  TFontPitch pitch_ = TFontPitch::fpDefault;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
  TK_CLASS(TBrush)
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  HBRUSH Handle();
  void Assign(const TPersistent &source) override;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
};

enum class TPenStyle { psSolid, psDash, psDot, psClear };
enum class TPenMode { pmCopy, pmNot, pmXor };

class TPen : public TGraphicsObject {
  TK_CLASS(TPen)
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  HPEN Handle();
  void Assign(const TPersistent &source) override;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  TPenMode mode_ = TPenMode::pmCopy;
};

class TBitmap;

// Draws on a device context it may or may not own. Taking a device context saves its state and selects the
// canvas's font, brush and pen into it (callers may then use GDI directly on Handle()); giving it up
// restores the state it came with. A font, brush or pen changed while selected is replaced in the device
// context before its old handle is deleted.
class TCanvas : public TPersistent {
  TK_CLASS(TCanvas)
public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont &Font() { return font_; }
  TBrush &Brush() { return brush_; }
  TPen &Pen() { return pen_; }

  void FillRect(const RECT &rect);
  void FrameRect(const RECT &rect);
  void Rectangle(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::string &text);
  void TextRect(const RECT &rect, int x, int y, const std::string &text);
  // One line of text in the canvas font.
  SIZE TextExtent(const std::string &text);
  int TextWidth(const std::string &text) { return TextExtent(text).cx; }
  int TextHeight(const std::string &text) { return TextExtent(text).cy; }
  // The size text takes when drawn with the DrawText flags into a rectangle that wide (DT_CALCRECT).
  SIZE TextRectSize(const std::string &text, int width, UINT flags);
  void Draw(int x, int y, TBitmap &bitmap);
  void StretchDraw(const RECT &dest, TBitmap &bitmap);
  void CopyRect(const RECT &dest, TCanvas &source, const RECT &sourceRect);
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

protected:
  // Called when a drawing operation needs a device context and none is set.
  virtual void CreateHandle() {}

private:
  void Select();
  void Release();

  HDC dc_ = nullptr;
  int savedState_ = 0;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  // The objects this canvas has selected into dc_ now.
  HGDIOBJ selected_[3] = {};
};

// Lends a device context to a canvas for one painting pass and takes it back at scope exit, also when
// the painting throws.
class CanvasHandleScope {
public:
  CanvasHandleScope(TCanvas &canvas, HDC dc) : canvas_(canvas) { canvas.SetHandle(dc); }
  ~CanvasHandleScope() { canvas_.SetHandle(nullptr); }
  CanvasHandleScope(const CanvasHandleScope &) = delete;
  CanvasHandleScope &operator=(const CanvasHandleScope &) = delete;

private:
  TCanvas &canvas_;
};

enum class TPixelFormat { pf24bit, pf32bit };

// A bitmap over a top-down DIB section. Rows are reached through ScanLine(y): row 0's address plus y
// times Stride(), which is negative for bottom-up images loaded from files.
class TBitmap : public TPersistent {
  TK_CLASS(TBitmap)
public:
  TBitmap();
  ~TBitmap() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat PixelFormat() const { return format_; }
  // Converts the pixels to the new format (the alpha byte becomes 0 on the way to 32 bits).
  void SetPixelFormat(TPixelFormat format);

  uint8_t *ScanLine(int y);
  ptrdiff_t Stride() const { return stride_; }
  HBITMAP Handle() const { return static_cast<HBITMAP>(bitmap_.Get()); }
  TCanvas &Canvas();

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }
  // The colour drawn as transparent: the bottom-left pixel unless set.
  TColor TransparentColor();
  void SetTransparentColor(TColor color) { transparentColor_ = color; }

  // Reads a BMP file image (1, 4, 8, 24 or 32 bits per pixel); raises EInvalidGraphic on bad data.
  void LoadFromStream(TStream &stream);
  // A bitmap resource (RT_BITMAP) of the running program; raises EResNotFound.
  void LoadFromResourceName(HINSTANCE instance, const std::string &name);
  void Assign(const TPersistent &source) override;

private:
  class BitmapCanvas;
  void Allocate(int width, int height, TPixelFormat format);

  int width_ = 0, height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  uint8_t *bits_ = nullptr;
  ptrdiff_t stride_ = 0;
  GdiObject bitmap_;
  std::unique_ptr<BitmapCanvas> canvas_;
  bool transparent_ = false;
  TColor transparentColor_ = clDefault;
};

class EInvalidGraphic : public Exception {
  using Exception::Exception;
};

// A screen-compatible memory device context, deleted with the object.
class MemoryDC {
public:
  MemoryDC();
  ~MemoryDC();
  MemoryDC(const MemoryDC &) = delete;
  MemoryDC &operator=(const MemoryDC &) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

// A window's device context (its client area, or with wholeWindow its frame too), released with the object.
class WindowDC {
public:
  explicit WindowDC(HWND window, bool wholeWindow = false);
  ~WindowDC();
  WindowDC(const WindowDC &) = delete;
  WindowDC &operator=(const WindowDC &) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};
