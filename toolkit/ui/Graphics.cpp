#include "toolkit/ui/Graphics.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Stream.h"
#include "toolkit/base/Text.h"
#include "toolkit/base/win/Win32Text.h"

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// ------------------------------------------------------------------------------------ GDI accounting

namespace {
GdiUsage g_usage;
// The objects that canvases have selected right now, each as often as it is selected.
std::vector<HGDIOBJ> g_selectedByCanvases;
} // namespace

GdiUsage ToolkitGdiUsage() { return g_usage; }

void GdiObject::Reset(HGDIOBJ handle) {
  if (handle_) {
    if (std::find(g_selectedByCanvases.begin(), g_selectedByCanvases.end(), handle_) != g_selectedByCanvases.end())
      ++g_usage.deletedWhileSelected;
    DeleteObject(handle_);
    --g_usage.objects;
  }
  handle_ = handle;
  if (handle_) ++g_usage.objects;
}

HGDIOBJ GdiObject::Release() {
  if (handle_) --g_usage.objects;
  return std::exchange(handle_, nullptr);
}

MemoryDC::MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_) ++g_usage.deviceContexts;
}

MemoryDC::~MemoryDC() {
  if (dc_ && DeleteDC(dc_)) --g_usage.deviceContexts;
}

WindowDC::WindowDC(HWND window, bool wholeWindow)
    : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {
  if (dc_) ++g_usage.deviceContexts;
}

WindowDC::~WindowDC() {
  if (dc_ && ReleaseDC(window_, dc_)) --g_usage.deviceContexts;
}

const TMetaClass &TGraphicsObject::StaticMetaClass() {
  return DefineClass<TGraphicsObject, TPersistent>("TGraphicsObject");
}

void TGraphicsObject::Changed() {
  // The old handle lives until those told of the change (a canvas, a window) use the new one.
  GdiObject old = std::move(handle_);
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------- TFont

const TMetaClass &TFont::StaticMetaClass() {
  return DefineClass<TFont, TGraphicsObject>("TFont", [](TClassBuilder<TFont> &c) {
    c.String("Name", &TFont::SetName);
    c.Int("Height", &TFont::SetHeight);
    c.Int("Size", &TFont::SetSize);
    c.Color("Color", &TFont::SetColor);
    c.Enum<int>("Charset", &TFont::SetCharset,
                {{"ANSI_CHARSET", ANSI_CHARSET},
                 {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                 {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                 {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                 {"OEM_CHARSET", OEM_CHARSET}});
    c.Set("Style", &TFont::SetStyle,
          {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}});
    c.Enum<TFontPitch>("Pitch", &TFont::SetPitch,
                       {{"fpDefault", int(TFontPitch::fpDefault)},
                        {"fpVariable", int(TFontPitch::fpVariable)},
                        {"fpFixed", int(TFontPitch::fpFixed)}});
  });
}

void TFont::SetName(const std::string &name) {
  if (name == name_ || name.empty()) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange(this); // the colour is not part of the GDI font
}

void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

HFONT TFont::Handle() {
  if (!handle_.Get()) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) != 0;
    lf.lfUnderline = (style_ & fsUnderline) != 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = pitch_ == TFontPitch::fpFixed      ? FIXED_PITCH
                          : pitch_ == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                             : DEFAULT_PITCH;
    std::wstring face = Wide(name_);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    handle_.Reset(CreateFontIndirectW(&lf));
  }
  return static_cast<HFONT>(handle_.Get());
}

bool TFont::SameAs(const TFont &o) const {
  return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && charset_ == o.charset_ &&
         style_ == o.style_ && pitch_ == o.pitch_;
}

void TFont::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TFont *>(&source);
  if (!other) return TPersistent::Assign(source);
  if (SameAs(*other)) return;
  name_ = other->name_;
  height_ = other->height_;
  color_ = other->color_;
  charset_ = other->charset_;
  style_ = other->style_;
  pitch_ = other->pitch_;
  Changed();
}

// --------------------------------------------------------------------------------------- TBrush, TPen

const TMetaClass &TBrush::StaticMetaClass() {
  return DefineClass<TBrush, TGraphicsObject>("TBrush", [](TClassBuilder<TBrush> &c) {
    c.Color("Color", &TBrush::SetColor);
    c.Enum<TBrushStyle>("Style", &TBrush::SetStyle,
                        {{"bsSolid", int(TBrushStyle::bsSolid)}, {"bsClear", int(TBrushStyle::bsClear)}});
  });
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ == TBrushStyle::bsSolid) return;
  color_ = color;
  style_ = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (style_ == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); // not ours to delete
  if (!handle_.Get()) handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
  return static_cast<HBRUSH>(handle_.Get());
}

void TBrush::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TBrush *>(&source);
  if (!other) return TPersistent::Assign(source);
  color_ = other->color_;
  style_ = other->style_;
  Changed();
}

const TMetaClass &TPen::StaticMetaClass() {
  return DefineClass<TPen, TGraphicsObject>("TPen", [](TClassBuilder<TPen> &c) {
    c.Color("Color", &TPen::SetColor);
    c.Int("Width", &TPen::SetWidth);
  });
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  if (OnChange) OnChange(this); // the mix mode is a property of the DC, not of the pen
}

HPEN TPen::Handle() {
  if (!handle_.Get()) {
    int style = style_ == TPenStyle::psDash    ? PS_DASH
                : style_ == TPenStyle::psDot   ? PS_DOT
                : style_ == TPenStyle::psClear ? PS_NULL
                                               : PS_SOLID;
    handle_.Reset(CreatePen(style, width_, ColorToRGB(color_)));
  }
  return static_cast<HPEN>(handle_.Get());
}

void TPen::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TPen *>(&source);
  if (!other) return TPersistent::Assign(source);
  color_ = other->color_;
  width_ = other->width_;
  style_ = other->style_;
  mode_ = other->mode_;
  Changed();
}

// -------------------------------------------------------------------------------------------- TCanvas

const TMetaClass &TCanvas::StaticMetaClass() { return DefineClass<TCanvas, TPersistent>("TCanvas"); }

TCanvas::TCanvas() {
  auto changed = [this](TObject *) {
    if (dc_) Select();
  };
  font_.OnChange = changed;
  brush_.OnChange = changed;
  pen_.OnChange = changed;
}

TCanvas::~TCanvas() { Release(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Release();
  if (!dc) return;
  dc_ = dc;
  savedState_ = SaveDC(dc_);
  Select();
}

void TCanvas::Select() {
  const HGDIOBJ now[3] = {font_.Handle(), brush_.Handle(), pen_.Handle()};
  for (HGDIOBJ object : now) {
    SelectObject(dc_, object);
    g_selectedByCanvases.push_back(object);
  }
  for (HGDIOBJ &object : selected_)
    if (object) g_selectedByCanvases.erase(std::find(g_selectedByCanvases.begin(), g_selectedByCanvases.end(), object));
  std::copy(std::begin(now), std::end(now), selected_);
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkColor(dc_, ColorToRGB(brush_.Color()));
  SetBkMode(dc_, brush_.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
  SetROP2(dc_, pen_.Mode() == TPenMode::pmNot ? R2_NOT : pen_.Mode() == TPenMode::pmXor ? R2_XORPEN : R2_COPYPEN);
}

void TCanvas::Release() {
  if (!dc_) return;
  RestoreDC(dc_, savedState_);
  for (HGDIOBJ &object : selected_) {
    g_selectedByCanvases.erase(std::find(g_selectedByCanvases.begin(), g_selectedByCanvases.end(), object));
    object = nullptr;
  }
  dc_ = nullptr;
}

void TCanvas::FillRect(const RECT &rect) { ::FillRect(Handle(), &rect, brush_.Handle()); }

void TCanvas::FrameRect(const RECT &rect) { ::FrameRect(Handle(), &rect, brush_.Handle()); }

void TCanvas::Rectangle(int left, int top, int right, int bottom) { ::Rectangle(Handle(), left, top, right, bottom); }

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) { ::LineTo(Handle(), x, y); }

void TCanvas::TextOut(int x, int y, const std::string &text) {
  std::wstring w = Wide(text);
  ::TextOutW(Handle(), x, y, w.c_str(), static_cast<int>(w.size()));
}

void TCanvas::TextRect(const RECT &rect, int x, int y, const std::string &text) {
  std::wstring w = Wide(text);
  UINT options = ETO_CLIPPED | (brush_.Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutW(Handle(), x, y, options, &rect, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string &text) {
  std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(Handle(), w.c_str(), static_cast<int>(w.size()), &size);
  return size;
}

SIZE TCanvas::TextRectSize(const std::string &text, int width, UINT flags) {
  std::wstring w = Wide(text);
  RECT r{0, 0, width, 0};
  DrawTextW(Handle(), w.c_str(), static_cast<int>(w.size()), &r, flags | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

void TCanvas::Draw(int x, int y, TBitmap &bitmap) {
  if (bitmap.Empty()) return;
  MemoryDC source;
  SelectionScope selected(source.Get(), bitmap.Handle());
  if (bitmap.Transparent())
    TransparentBlt(Handle(), x, y, bitmap.Width(), bitmap.Height(), source.Get(), 0, 0, bitmap.Width(), bitmap.Height(),
                   ColorToRGB(bitmap.TransparentColor()));
  else
    BitBlt(Handle(), x, y, bitmap.Width(), bitmap.Height(), source.Get(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT &dest, TBitmap &bitmap) {
  if (bitmap.Empty()) return;
  MemoryDC source;
  SelectionScope selected(source.Get(), bitmap.Handle());
  SetStretchBltMode(Handle(), COLORONCOLOR);
  StretchBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Get(), 0, 0,
             bitmap.Width(), bitmap.Height(), SRCCOPY);
}

void TCanvas::CopyRect(const RECT &dest, TCanvas &source, const RECT &sourceRect) {
  SetStretchBltMode(Handle(), COLORONCOLOR);
  StretchBlt(Handle(), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top,
             SRCCOPY);
}

COLORREF TCanvas::Pixel(int x, int y) { return GetPixel(Handle(), x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

// -------------------------------------------------------------------------------------------- TBitmap

// The bitmap's own canvas: a memory DC with the bitmap selected, made when first drawn on.
class TBitmap::BitmapCanvas : public TCanvas {
public:
  explicit BitmapCanvas(TBitmap &bitmap) : bitmap_(bitmap) {}
  ~BitmapCanvas() override { Release(); }
  void Release() {
    if (!oldBitmap_) return;
    SetHandle(nullptr); // restores the state taken with the bitmap selected: deselect it after
    SelectObject(dc_.Get(), std::exchange(oldBitmap_, nullptr));
  }

protected:
  void CreateHandle() override {
    oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Handle());
    SetHandle(dc_.Get());
  }

private:
  TBitmap &bitmap_;
  MemoryDC dc_;
  HGDIOBJ oldBitmap_ = nullptr;
};

const TMetaClass &TBitmap::StaticMetaClass() { return DefineClass<TBitmap, TPersistent>("TBitmap"); }

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { canvas_.reset(); }

void TBitmap::Allocate(int width, int height, TPixelFormat format) {
  if (width < 0 || height < 0 || int64_t{width} * height > 64 * 1024 * 1024)
    throw EInvalidGraphic("Invalid bitmap size");
  if (canvas_) canvas_->Release();
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = width;
  height_ = height;
  format_ = format;
  int bpp = format == TPixelFormat::pf32bit ? 32 : 24;
  stride_ = ((static_cast<ptrdiff_t>(width) * bpp + 31) / 32) * 4;
  if (width == 0 || height == 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bpp);
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle) throw EOutOfMemory();
  bitmap_.Reset(handle);
  bits_ = static_cast<uint8_t *>(bits);
  std::memset(bits_, 0, static_cast<size_t>(stride_) * height);
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Allocate(width, height, format_);
}

uint8_t *TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range");
  GdiFlush();
  return bits_ + static_cast<ptrdiff_t>(y) * stride_;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  TBitmap old;
  old.Assign(*this);
  Allocate(old.width_, old.height_, format);
  int from = old.format_ == TPixelFormat::pf32bit ? 4 : 3, to = format == TPixelFormat::pf32bit ? 4 : 3;
  for (int y = 0; y < height_; ++y) {
    const uint8_t *s = old.ScanLine(y);
    uint8_t *d = ScanLine(y);
    for (int x = 0; x < width_; ++x, s += from, d += to)
      std::memcpy(d, s, 3);
  }
}

TCanvas &TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
  return *canvas_;
}

TColor TBitmap::TransparentColor() {
  if (transparentColor_ != clDefault || Empty()) return transparentColor_;
  const uint8_t *p = ScanLine(height_ - 1);
  return RGBColor(p[2], p[1], p[0]);
}

void TBitmap::LoadFromStream(TStream &stream) {
  int64_t size = stream.Size() - stream.Position();
  if (size < static_cast<int64_t>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) || size > (256ll << 20))
    throw EInvalidGraphic("Bitmap image is not valid");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  stream.ReadBuffer(bytes.data(), bytes.size());
  BITMAPFILEHEADER file;
  std::memcpy(&file, bytes.data(), sizeof file);
  BITMAPINFOHEADER header;
  std::memcpy(&header, bytes.data() + sizeof file, sizeof header);
  if (file.bfType != 0x4D42 || header.biSize < sizeof(BITMAPINFOHEADER) || file.bfOffBits >= bytes.size() ||
      header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN || header.biPlanes != 1)
    throw EInvalidGraphic("Bitmap image is not valid");
  int width = header.biWidth, height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  // GDI reads the palette and pixels itself; make sure they lie inside the bytes we have.
  int64_t colors = header.biBitCount <= 8 ? (header.biClrUsed ? header.biClrUsed : (1ll << header.biBitCount)) : 0;
  int64_t headerEnd =
      int64_t{sizeof file} + header.biSize + colors * 4 + (header.biCompression == BI_BITFIELDS ? 12 : 0);
  int64_t rowBytes = ((int64_t{width} * header.biBitCount + 31) / 32) * 4;
  bool compressed = header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4;
  if (headerEnd > static_cast<int64_t>(bytes.size()) || header.biBitCount == 0 ||
      (!compressed && file.bfOffBits + rowBytes * height > static_cast<int64_t>(bytes.size())))
    throw EInvalidGraphic("Bitmap image is not valid");
  Allocate(width, height, header.biBitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
  MemoryDC dc;
  if (!SetDIBits(dc.Get(), Handle(), 0, static_cast<UINT>(height), bytes.data() + file.bfOffBits,
                 reinterpret_cast<const BITMAPINFO *>(bytes.data() + sizeof file), DIB_RGB_COLORS))
    throw EInvalidGraphic("Bitmap image is not valid");
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string &name) {
  std::wstring wide = Wide(name);
  HRSRC resource = FindResourceW(instance, wide.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
  const void *data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EResNotFound(name);
  // A bitmap resource is a BMP file without its file header.
  DWORD size = SizeofResource(instance, resource);
  std::vector<uint8_t> file(sizeof(BITMAPFILEHEADER) + size);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfSize = static_cast<DWORD>(file.size());
  auto *info = static_cast<const BITMAPINFOHEADER *>(data);
  DWORD colors = info->biBitCount <= 8 ? (info->biClrUsed ? info->biClrUsed : (1u << info->biBitCount)) : 0;
  header.bfOffBits =
      static_cast<DWORD>(sizeof header + info->biSize + colors * 4 + (info->biCompression == BI_BITFIELDS ? 12 : 0));
  std::memcpy(file.data(), &header, sizeof header);
  std::memcpy(file.data() + sizeof header, data, size);
  TBytesStream stream(file.data(), file.size());
  LoadFromStream(stream);
}

void TBitmap::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TBitmap *>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  Allocate(other->width_, other->height_, other->format_);
  GdiFlush();
  if (bits_) std::memcpy(bits_, other->bits_, static_cast<size_t>(stride_) * height_);
  transparent_ = other->transparent_;
  transparentColor_ = other->transparentColor_;
}
