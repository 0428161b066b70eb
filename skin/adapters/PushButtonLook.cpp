#include "skin/adapters/PushButtonLook.h"

namespace {

constexpr uint32_t DefaultPushButton = 0x1; // BS_DEFPUSHBUTTON
constexpr uint32_t ButtonTypeMask = 0xF;    // BS_TYPEMASK
constexpr uint32_t MultiLine = 0x2000;      // BS_MULTILINE
constexpr uint32_t CaptionFlags = 0x41;     // DT_CENTER | DT_EXPANDTABS
constexpr uint32_t WordBreak = 0x10;        // DT_WORDBREAK

// Along one axis: where the picture and the caption start when they stand in a row, the picture first
// (or last), from the margin or centred together.
struct Run {
  int Glyph;
  int Text;
};
Run PlaceInRow(int room, int glyph, int text, bool glyphFirst, int margin, int spacing) {
  const int gap = text > 0 ? spacing : 0;
  if (margin < 0) {
    const int start = (room - (glyph + gap + text)) / 2;
    return glyphFirst ? Run{start, start + glyph + gap} : Run{start + text + gap, start};
  }
  if (glyphFirst) return Run{margin, margin + glyph + gap};
  const int glyphStart = room - margin - glyph;
  return Run{glyphStart, glyphStart - gap - text};
}

} // namespace

int PushButtonStateIndex(const TacPushButtonFacts &facts) {
  if (facts.Pushed) return 2;
  if (!facts.Enabled) return 0;
  if (facts.Focused || facts.Hot) return 1;
  return facts.Default ? 1 : 0;
}

bool IsDefaultPushButton(uint32_t style, bool dialogMode) {
  return dialogMode ? (style & DefaultPushButton) != 0 : (style & ButtonTypeMask) == DefaultPushButton;
}

uint32_t PushButtonTextFlags(uint32_t style) { return CaptionFlags | ((style & MultiLine) ? WordBreak : 0); }

TRect PushButtonCaptionRect(TSize button, TSize text, bool pushed) {
  const int x0 = (button.Width - text.Width) / 2, y0 = (button.Height - text.Height) / 2;
  TRect r{x0 - 1, y0, button.Width - x0 + 2, button.Height - y0};
  if (pushed) r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  return r;
}

TacGlyphPlacement PlaceButtonGlyph(TSize button, TSize glyph, TSize text, TacGlyphLayout layout, int margin,
                                   int spacing) {
  const bool glyphFirst = layout == TacGlyphLayout::Left || layout == TacGlyphLayout::Top;
  if (layout == TacGlyphLayout::Left || layout == TacGlyphLayout::Right) {
    const Run run = PlaceInRow(button.Width, glyph.Width, text.Width, glyphFirst, margin, spacing);
    return {{run.Glyph, (button.Height - glyph.Height) / 2}, {run.Text - (button.Width - text.Width) / 2, 0}};
  }
  const Run run = PlaceInRow(button.Height, glyph.Height, text.Height, glyphFirst, margin, spacing);
  return {{(button.Width - glyph.Width) / 2, run.Glyph}, {0, run.Text - (button.Height - text.Height) / 2}};
}
