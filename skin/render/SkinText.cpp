#include "skin/render/SkinText.h"

#include <array>

#include "skin/model/SystemColors.h"
#include "skin/pixels/Blending.h"
#include "toolkit/base/Exceptions.h"

namespace {

constexpr double DisabledTextShare = 0.4;
constexpr std::string_view Ellipsis = "...";

// Left, top, right and bottom contours: the text moved by one pixel to that side.
constexpr std::array<TPoint, 4> ContourOffsets = {{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

TRect Moved(const TRect &r, TPoint d) { return TRect{r.Left + d.X, r.Top + d.Y, r.Right + d.X, r.Bottom + d.Y}; }

const TsGeneralData *SectionOf(const TsSkin *skin, int sectionIndex) {
  return skin && skin->IsValidSectionIndex(sectionIndex) ? &skin->GeneralData[sectionIndex] : nullptr;
}

// The caption rules shared by both writers; r is already the drawing limit.
void WriteCaption(TsTextCanvas &canvas, std::string_view text, bool enabled, bool active, const TsGeneralData *section,
                  bool customFont, uint32_t flags, const TRect &r) {
  if (!enabled) {
    if (section)
      canvas.Font.Color = ColorBetween(ResolveSystemColor(section->FontColor[0]), ResolveSystemColor(section->Color),
                                       DisabledTextShare);
    try {
      canvas.DrawString(text, r, flags);
    } catch (const Exception &) {
      // A disabled caption that cannot be drawn is left out; the control paints on.
    }
    return;
  }
  if (section && !customFont) {
    const std::array<TColor, 5> &colors = active ? section->HotFontColor : section->FontColor;
    for (size_t side = 0; side < ContourOffsets.size(); ++side) {
      if (colors[side + 1] == NoColor) continue;
      canvas.Font.Color = ResolveSystemColor(colors[side + 1]);
      canvas.DrawString(text, Moved(r, ContourOffsets[side]), flags);
    }
    canvas.Font.Color = ResolveSystemColor(colors[0]);
  }
  canvas.DrawString(text, r, flags);
}

// Drops the last UTF-8 character.
void DropLastCharacter(std::string &s) {
  while (!s.empty()) {
    const unsigned char last = static_cast<unsigned char>(s.back());
    s.pop_back();
    if ((last & 0xC0) != 0x80) break;
  }
}

void PutDot(Image24 &image, int x, int y, TColor color) {
  if (image.Contains(x, y)) image.SetPixel(x, y, color);
}

} // namespace

void WriteSkinText(TsTextCanvas &canvas, std::string_view text, bool enabled, bool active, const TsItemData &data,
                   uint32_t flags, TRect r) {
  const TsGeneralData *section = SectionOf(data.Skin, data.SectionIdx);
  canvas.Font = data.Font;
  if (section && active && data.SkinSection == "WEBBUTTON") canvas.Font.Underline = true;
  const CanvasClip clip(canvas, r);
  WriteCaption(canvas, text, enabled, active, section, data.CustomFont, enabled ? flags | TextFlags::NoClip : flags, r);
}

void WriteSkinTextByIndex(TsTextCanvas &canvas, std::string_view text, bool enabled, const TsSkin *skin, bool active,
                          int sectionIndex, uint32_t flags, TRect r) {
  const CanvasClip clip(canvas, r);
  WriteCaption(canvas, text, enabled, active, SectionOf(skin, sectionIndex), false, flags, r);
}

std::string ShortenText(TsTextCanvas &canvas, std::string_view text, int width) {
  if (width <= 0) return {};
  std::string result(text);
  if (canvas.TextWidth(result) <= width) return result;
  while (!result.empty() && canvas.TextWidth(result + std::string(Ellipsis)) > width)
    DropLastCharacter(result);
  if (!result.empty()) result += Ellipsis;
  return result;
}

void DrawFocusDots(Image24 &image, TRect r) {
  constexpr TColor Black = 0x000000, White = 0xFFFFFF;
  for (int i = 0; i <= r.Width() / 3; ++i) {
    const int x = r.Left + 3 * i;
    PutDot(image, x, r.Top, Black);
    PutDot(image, x, r.Bottom, Black);
    PutDot(image, x - 1, r.Top - 1, White);
    PutDot(image, x - 1, r.Bottom - 1, White);
  }
  for (int j = 0; j <= r.Height() / 3; ++j) {
    const int y = r.Top + 3 * j;
    PutDot(image, r.Left, y, Black);
    PutDot(image, r.Right, y, Black);
    PutDot(image, r.Left - 1, y - 1, White);
    PutDot(image, r.Right - 1, y - 1, White);
  }
}
