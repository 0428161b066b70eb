#include "skin/controls/win/DefaultGlyphs.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <vector>

#include "skin/pixels/PictureReader.h"

namespace {

struct GlyphResource {
  const char *kind;
  const wchar_t *resource;
};
constexpr GlyphResource GlyphResources[] = {{"BTN_OPENFILE", L"SF"},
                                            {"BTN_OPENFOLDER", L"SR"},
                                            {"BTN_DATE", L"SD"},
                                            {"BTN_ELLIPSIS", L"SE"},
                                            {"BTN_CALC", L"SC"}};

std::map<std::string, Image24> &Glyphs() {
  static std::map<std::string, Image24> glyphs;
  return glyphs;
}

// A bitmap resource holds a bitmap file without its file header; the picture reader gets it whole.
std::vector<uint8_t> BitmapFileOfResource(const wchar_t *name) {
  HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const auto *bytes = loaded ? static_cast<const uint8_t *>(LockResource(loaded)) : nullptr;
  const DWORD size = found ? SizeofResource(nullptr, found) : 0;
  if (!bytes || size < sizeof(BITMAPINFOHEADER)) return {};
  const auto &info = *reinterpret_cast<const BITMAPINFOHEADER *>(bytes);
  const DWORD colors = info.biBitCount <= 8 ? (info.biClrUsed ? info.biClrUsed : 1u << info.biBitCount) : 0;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfSize = static_cast<DWORD>(sizeof header + size);
  header.bfOffBits = static_cast<DWORD>(sizeof header + info.biSize + colors * sizeof(RGBQUAD));
  std::vector<uint8_t> file(sizeof header + size);
  std::memcpy(file.data(), &header, sizeof header);
  std::memcpy(file.data() + sizeof header, bytes, size);
  return file;
}

} // namespace

void LoadDefaultGlyphs() {
  for (const GlyphResource &glyph : GlyphResources) {
    if (Glyphs().contains(glyph.kind)) continue;
    try {
      const std::vector<uint8_t> file = BitmapFileOfResource(glyph.resource);
      if (!file.empty()) Glyphs().emplace(glyph.kind, ReadBitmap(file));
    } catch (const EPictureError &) {
      // A picture that cannot be read means no glyph of its kind.
    }
  }
}

const Image24 *DefaultGlyph(const std::string &kind) {
  const auto found = Glyphs().find(kind);
  return found == Glyphs().end() ? nullptr : &found->second;
}
