#include "tools/skingen/Pictures.h"

#include <cmath>
#include <functional>
#include <string>

#include "tools/skingen/Canvas.h"

namespace skingen {

namespace {

// The palette of the look: slate ink on pale blue-grey, one calm blue accent.
const Rgb Ink = Rgb::Of(62, 70, 86);
const Rgb InkHot = Rgb::Of(40, 84, 150);
const Rgb Outline = Rgb::Of(122, 136, 158);
const Rgb OutlineHot = Rgb::Of(78, 122, 186);
const Rgb OutlineDown = Rgb::Of(88, 100, 122);
const Rgb Accent = Rgb::Of(70, 118, 188);
const Rgb White = Rgb::Of(255, 255, 255);
const Rgb Shade = Rgb::Of(20, 30, 50);
const Ramp NoFill{White, White};

// The three states every state picture has: normal, hot (mouse over or focused), pressed.
struct StateLook {
  Rgb outline, ink;
  Ramp face;
  double highlight; // opacity of the inner white line
};
const StateLook States[3] = {
    {Outline, Ink, {Rgb::Of(252, 253, 255), Rgb::Of(226, 231, 239)}, 0.55},
    {OutlineHot, InkHot, {Rgb::Of(253, 254, 255), Rgb::Of(212, 226, 246)}, 0.7},
    {OutlineDown, Ink, {Rgb::Of(204, 212, 225), Rgb::Of(228, 233, 241)}, 0.0},
};

using FramePainter = std::function<void(MaskedPainter &, int state)>;

// A strip of `count` masked frames side by side, the masks in the rows below.
void MaskedStrip(Image24 &image, TRect r, int count, const FramePainter &paint) {
  const int fw = r.Width() / count, fh = r.Height() / 2;
  for (int k = 0; k < count; ++k) {
    MaskedPainter p(image, TPoint{r.Left + k * fw, r.Top}, fh, fw, fh);
    paint(p, k);
  }
}

// Pixel art glyphs (9 x 7 for big title buttons, 7 x 5 for small ones).
const std::vector<std::string_view> CloseGlyph = {"##.....##", ".##...##.", "..##.##..", "...###...",
                                                  "..##.##..", ".##...##.", "##.....##"};
const std::vector<std::string_view> MinGlyph = {".........", ".........", ".........", ".........",
                                                ".........", "#########", "#########"};
const std::vector<std::string_view> MaxGlyph = {"#########", "#########", "#.......#", "#.......#",
                                                "#.......#", "#.......#", "#########"};
const std::vector<std::string_view> NormGlyph = {"..#######", "..#######", "..#.....#", "#######.#",
                                                 "#######.#", "#.....###", "#######.."};
const std::vector<std::string_view> HelpGlyph = {"..#####..", ".##...##.", ".....##..", "....##...",
                                                 "....##...", ".........", "....##..."};
const std::vector<std::string_view> SmallCloseGlyph = {"#.....#", ".#...#.", "..#.#..", "...#...",
                                                       "..#.#..", ".#...#.", "#.....#"};
const std::vector<std::string_view> SmallMinGlyph = {".......", ".......", ".......", ".......",
                                                     ".......", "#######", "#######"};
const std::vector<std::string_view> SmallMaxGlyph = {"#######", "#######", "#.....#", "#.....#",
                                                     "#.....#", "#.....#", "#######"};
const std::vector<std::string_view> SmallHelpGlyph = {".#####.", "##...##", "....##.", "...##..",
                                                      "...##..", ".......", "...##.."};

// A title bar button: see-through in the normal state (only the glyph), a rounded plate when hot or
// pressed. Key-colour transparency, so the plate has crisp cut corners rather than soft edges.
void TitleButtons(Image24 &m, TRect r, int fw, int fh, const std::vector<std::string_view> *glyph, bool close) {
  for (int state = 0; state < 3; ++state) {
    const int x0 = r.Left + state * fw, y0 = r.Top;
    if (state > 0) {
      const Rgb fill = close ? (state == 1 ? Rgb::Of(214, 96, 90) : Rgb::Of(176, 66, 62))
                             : (state == 1 ? Rgb::Of(240, 244, 250) : Rgb::Of(196, 206, 222));
      const Rgb edge = close ? Rgb::Of(156, 58, 56) : (state == 1 ? OutlineHot : OutlineDown);
      for (int y = 1; y < fh - 1; ++y)
        for (int x = 1; x < fw - 1; ++x) {
          const bool corner = (x == 1 || x == fw - 2) && (y == 1 || y == fh - 2);
          if (corner) continue;
          const bool border = x == 1 || x == fw - 2 || y == 1 || y == fh - 2;
          const double t = double(y) / fh;
          m.SetPixel(x0 + x, y0 + y, (border ? edge : fill.Mix(Shade, state == 1 ? 0.08 * t : 0)).Value());
        }
    }
    if (glyph) {
      const int gw = int((*glyph)[0].size()), gh = int(glyph->size());
      const Rgb ink = close && state > 0 ? White : (state == 1 ? InkHot : Ink);
      PutGlyph(m, x0 + (fw - gw) / 2, y0 + (fh - gh) / 2 + (state == 2 ? 1 : 0), *glyph, "#", {ink});
    }
  }
}

// The window's woven background: fine threads every third pixel over a pale blue-grey, with a slow
// swell of light that repeats with the tile.
void Gauze(Image24 &m, TRect r) {
  const double pi = std::acos(-1.0);
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      double v = 0;
      if (x % 3 == 0) v -= 5;
      if (y % 3 == 0) v += 4;
      if (x % 3 == 0 && y % 3 == 0) v += 3;
      v += 3 * std::cos(2 * pi * x / r.Width()) * std::cos(2 * pi * y / r.Height());
      v = std::round(v);
      m.SetPixel(r.Left + x, r.Top + y, Rgb::Of(int(221 + v), int(227 + v), int(237 + v)).Value());
    }
}

// Small masked pictures of check boxes and radio buttons (ImageCount 3, MaskType 1).
enum class Mark { None, Check, Grayed, Dot, GrayDot };

const std::vector<std::string_view> CheckMark = {"......##", ".....##.", "#...##..",
                                                 "##.##...", ".###....", "..#....."};
const std::vector<std::string_view> SmallCheckMark = {"....#", "...##", "#.##.", "###..", ".#..."};

void Box(Image24 &m, TRect r, int size, bool round, Mark mark) {
  MaskedStrip(m, r, 3, [&](MaskedPainter &p, int state) {
    const StateLook &look = States[state];
    const double radius = round ? size / 2.0 - 0.5 : (size > 9 ? 2.0 : 1.5);
    const RoundRect shape{0.5, 0.5, size - 0.5, size - 0.5, radius};
    p.Shape(shape, look.outline, Ramp{White, state == 2 ? Rgb::Of(214, 222, 234) : Rgb::Of(232, 237, 245)}, 1);
    const Rgb ink = state == 1 ? Accent : Rgb::Of(44, 88, 158);
    const int c = size / 2;
    switch (mark) {
    case Mark::Check:
      if (size > 9)
        p.Glyph(3, 3, CheckMark, "#", {ink});
      else
        p.Glyph(2, 2, SmallCheckMark, "#", {ink});
      break;
    case Mark::Grayed: {
      const int h = size > 9 ? 3 : 2;
      p.Shape(RoundRect{double(c - h), double(c - h), double(c + h + 1), double(c + h + 1), 0.5},
              Rgb::Of(150, 160, 178), Ramp{Rgb::Of(150, 160, 178), Rgb::Of(150, 160, 178)}, 1);
      break;
    }
    case Mark::Dot:
    case Mark::GrayDot: {
      const Rgb dot = mark == Mark::Dot ? ink : Rgb::Of(150, 160, 178);
      const double d = size > 9 ? 2.6 : 1.8;
      p.Shape(RoundRect{c + 0.5 - d, c + 0.5 - d, c + 0.5 + d, c + 0.5 + d, d}, dot, Ramp{dot, dot}, 1);
      break;
    }
    case Mark::None: break;
    }
  });
}

// A small push-button border (combo and scroll buttons): outline, inner highlight, see-through inside.
void ButtonBorder(Image24 &m, TRect r, int count, double radius) {
  MaskedStrip(m, r, count, [&](MaskedPainter &p, int state) {
    const int fw = r.Width() / count, fh = r.Height() / 2;
    const RoundRect shape{0, 0, double(fw), double(fh), radius};
    p.Shape(shape, States[state].outline, NoFill, 0);
    p.Shape(shape.Inset(1), White, NoFill, 0, 1, States[state].highlight);
  });
}

// A one-colour arrow or grip glyph in three states.
void GlyphStrip(Image24 &m, TRect r, const std::vector<std::string_view> &glyph) {
  MaskedStrip(m, r, 3, [&](MaskedPainter &p, int state) {
    const int fw = r.Width() / 3, fh = r.Height() / 2;
    const int gw = int(glyph[0].size()), gh = int(glyph.size());
    p.Glyph((fw - gw) / 2, (fh - gh) / 2 + (state == 2 ? 1 : 0), glyph, "#o", {States[state].ink, White}, 0.9);
  });
}

// Plain (unmasked) frames drawn pixel by pixel: `pick` gives the colour of (x, y) in frame k, or the key.
void PlainFrames(Image24 &m, TRect r, int count, const std::function<TColor(int x, int y, int k)> &pick) {
  const int fw = r.Width() / count;
  for (int k = 0; k < count; ++k)
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < fw; ++x)
        m.SetPixel(r.Left + k * fw + x, r.Top + y, pick(x, y, k));
}

// Frames of a plain border `w` pixels wide whose every pixel takes the colour of its ring (0 outermost).
void Rings(Image24 &m, TRect r, int count, const std::function<TColor(int ring, int x, int y, int k)> &pick) {
  const int fw = r.Width() / count, fh = r.Height();
  PlainFrames(m, r, count, [&](int x, int y, int k) {
    const int ring = std::min(std::min(x, y), std::min(fw - 1 - x, fh - 1 - y));
    return pick(ring, x, y, k);
  });
}

void ButtonHuge(Image24 &image) {
  MaskedStrip(image, TRect{0, 0, 288, 192}, 3, [](MaskedPainter &p, int state) {
    const StateLook &look = States[state];
    const RoundRect shape{0.5, 0.5, 95.5, 95.5, 14};
    p.Shape(shape, look.outline, NoFill, 0, 1.2);
    p.Shape(shape.Inset(1.2), White, NoFill, 0, 1.5, look.highlight);
    if (state == 2) p.Shape(shape.Inset(1.2), Shade, NoFill, 0, 3, 0.25);
  });
}

} // namespace

SkinPictures DrawPictures() {
  SkinPictures s{Image24(MasterWidth, MasterHeight), Image24(288, 192)};
  Image24 &m = s.master;
  Atlas &a = s.atlas;
  m.Fill(KeyColor);

  // Places that the options of earlier versions of this skin used; kept so the references stay put.
  GlyphStrip(m, a.Fix("COMBOARROW", TRect{39, 0, 78, 26}), {"#######", ".#####.", "..###..", "...#..."});
  Gauze(m, a.Fix("GAUZE", TRect{78, 0, 156, 48}));
  Rings(m, a.Fix("GROUPFRAME", TRect{78, 48, 156, 99}), 1, [&](int ring, int x, int y, int) {
    const bool corner = (x == 0 || x == 77) && (y == 0 || y == 50);
    return ring == 0 && !corner ? Rgb::Of(168, 178, 196).Value() : KeyColor;
  });
  MaskedStrip(m, a.Fix("BUTTON", TRect{0, 64, 18, 76}), 3, [](MaskedPainter &p, int state) {
    const StateLook &look = States[state];
    p.Shape(RoundRect{0, 0, 6, 6, 1.6}, look.outline, NoFill, 0);
    p.Shape(RoundRect{1, 1, 5, 5, 0.5}, White, NoFill, 0, 1, look.highlight);
    if (state == 2) p.Shape(RoundRect{1, 1, 5, 5, 0.5}, Shade, NoFill, 0, 1, 0.2);
  });
  {
    const TRect grip = a.Fix("GRIPH", TRect{39, 197, 42, 199});
    MaskedPainter p(m, TPoint{grip.Left, grip.Top}, 1, 3, 1);
    p.Blend(0, 0, Rgb::Of(120, 132, 152), 0.7);
    p.Blend(1, 0, White, 0.6);
  }

  const std::pair<const char *, const std::vector<std::string_view> *> big[] = {
      {"BICONCLOSE", &CloseGlyph}, {"BICONMIN", &MinGlyph},   {"BICONMAX", &MaxGlyph},
      {"BICONNORM", &NormGlyph},   {"BICONHELP", &HelpGlyph}, {"TITLEBUTTON", nullptr}};
  for (const auto &[name, glyph] : big)
    TitleButtons(m, a.Place(name, 3 * TitleButtonWidth, TitleButtonHeight), TitleButtonWidth, TitleButtonHeight, glyph,
                 std::string(name) == "BICONCLOSE");
  const std::pair<const char *, const std::vector<std::string_view> *> small[] = {{"SICONCLOSE", &SmallCloseGlyph},
                                                                                  {"SICONMIN", &SmallMinGlyph},
                                                                                  {"SICONMAX", &SmallMaxGlyph},
                                                                                  {"SICONHELP", &SmallHelpGlyph}};
  for (const auto &[name, glyph] : small)
    TitleButtons(m, a.Place(name, 3 * SmallTitleButtonWidth, SmallTitleButtonHeight), SmallTitleButtonWidth,
                 SmallTitleButtonHeight, glyph, std::string(name) == "SICONCLOSE");

  Box(m, a.Place("BOXCHECKED", 39, 26), 13, false, Mark::Check);
  Box(m, a.Place("BOXUNCHECKED", 39, 26), 13, false, Mark::None);
  Box(m, a.Place("BOXGRAYED", 39, 26), 13, false, Mark::Grayed);
  Box(m, a.Place("RADIOCHECKED", 39, 26), 13, true, Mark::Dot);
  Box(m, a.Place("RADIOUNCHECKED", 39, 26), 13, true, Mark::None);
  Box(m, a.Place("RADIOGRAYED", 39, 26), 13, true, Mark::GrayDot);
  Box(m, a.Place("SMALLCHECKED", 27, 18), 9, false, Mark::Check);
  Box(m, a.Place("SMALLUNCHECKED", 27, 18), 9, false, Mark::None);
  Box(m, a.Place("SMALLGRAYED", 27, 18), 9, false, Mark::Grayed);
  GlyphStrip(m, a.Place("CHECK", 27, 18), CheckMark);

  // The window frame: a dark outline and a two-pixel band, rounded at the top; inactive and active.
  const Rgb frameBand[2] = {Rgb::Of(200, 206, 216), Rgb::Of(168, 182, 204)};
  const Rgb frameLine[2] = {Rgb::Of(132, 142, 160), Rgb::Of(84, 98, 124)};
  auto roundedTop = [](int x, int y, int fw) {
    const int cx = std::min(x, fw - 1 - x);
    return (cx == 0 && y <= 1) || (cx == 1 && y == 0);
  };
  Rings(m, a.Place("FORMBORDER", 24, 12), 2, [&](int ring, int x, int y, int k) {
    if (roundedTop(x, y, 12)) return KeyColor;
    if (ring >= 3) return KeyColor;
    return (ring == 0 ? frameLine[k] : frameBand[k]).Value();
  });
  PlainFrames(m, a.Place("TITLEBORDER", 24, 12), 2, [&](int x, int y, int k) {
    if (roundedTop(x, y, 12)) return KeyColor;
    const int side = std::min(x, 11 - x);
    if (side == 0 || y == 0) return frameLine[k].Value();
    if (side < 3) return frameBand[k].Value();
    if (y == 1) return Rgb::Of(244, 246, 250).Value();
    return KeyColor;
  });

  Rings(m, a.Place("EDITBORDER", 12, 6), 2, [&](int ring, int, int, int k) {
    return ring == 0 ? (k == 0 ? Rgb::Of(150, 162, 182) : Rgb::Of(96, 136, 196)).Value() : KeyColor;
  });
  ButtonBorder(m, a.Place("SMALLBUTTON", 24, 16), 3, 2);
  GlyphStrip(m, a.Place("ARROWUP", 21, 14), {"...#...", "..###..", ".#####.", "#######"});
  GlyphStrip(m, a.Place("ARROWDOWN", 21, 14), {"#######", ".#####.", "..###..", "...#..."});
  GlyphStrip(m, a.Place("ARROWLEFT", 21, 14), {"...#", "..##", ".###", "####", ".###", "..##", "...#"});
  GlyphStrip(m, a.Place("ARROWRIGHT", 21, 14), {"#...", "##..", "###.", "####", "###.", "##..", "#..."});
  GlyphStrip(m, a.Place("GRIPLINESH", 21, 14), {"#o#o#o", "#o#o#o", "#o#o#o", "#o#o#o", "#o#o#o"});
  GlyphStrip(m, a.Place("GRIPLINESV", 21, 14), {"#####", "ooooo", "#####", "ooooo", "#####", "ooooo"});
  Rings(m, a.Place("TRACK", 18, 6), 3, [&](int ring, int, int, int k) {
    const Rgb line[3] = {Rgb::Of(200, 208, 220), Rgb::Of(170, 184, 206), Rgb::Of(150, 164, 188)};
    return ring == 0 ? line[k].Value() : KeyColor;
  });

  MaskedStrip(m, a.Place("GAUGEBORDER", 8, 16), 1, [](MaskedPainter &p, int) {
    p.Shape(RoundRect{0, 0, 8, 8, 2}, Rgb::Of(138, 150, 172), NoFill, 0);
    p.Shape(RoundRect{1, 1, 7, 8, 0.5}, Shade, NoFill, 0, 1, 0.12);
  });
  {
    const TRect trough = a.Place("GAUGETEXTURE", 2, 24);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 2; ++x)
        m.SetPixel(trough.Left + x, trough.Top + y,
                   Rgb::Of(214, 221, 231).Mix(Rgb::Of(238, 241, 246), y / 23.0).Value());
  }
  MaskedStrip(m, a.Place("PROGRESSBORDER", 6, 12), 1, [](MaskedPainter &p, int) {
    p.Shape(RoundRect{0, 0, 6, 6, 1.5}, Rgb::Of(58, 100, 164), NoFill, 0);
    p.Shape(RoundRect{1, 1, 5, 5, 0.5}, White, NoFill, 0, 1, 0.35);
  });

  // Tabs: rounded on the side away from the page, open towards it; the selected tab gets an accent line.
  const char *tabs[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (int side = 0; side < 4; ++side)
    MaskedStrip(m, a.Place(tabs[side], 30, 20), 3, [side](MaskedPainter &p, int state) {
      const double open = 4;
      const RoundRect shapes[4] = {
          {0, 0, 10, 10 + open, 3}, {0, -open, 10, 10, 3}, {0, 0, 10 + open, 10, 3}, {-open, 0, 10, 10, 3}};
      p.Shape(shapes[side], States[state].outline, NoFill, 0);
      if (state == 2) p.Shape(shapes[side].Inset(1), Accent, NoFill, 0, 1.5);
      if (state == 1) p.Shape(shapes[side].Inset(1), White, NoFill, 0, 1, 0.7);
    });
  Rings(m, a.Place("PAGEFRAME", 8, 8), 1, [](int ring, int, int, int) {
    return ring == 0 ? Rgb::Of(150, 162, 182).Value() : ring == 1 ? White.Value() : KeyColor;
  });

  PlainFrames(m, a.Place("CHANNEL", 6, 6), 1, [](int x, int y, int) {
    if (x == 0 || y == 0) return Rgb::Of(150, 162, 182).Value();
    if (x == 5 || y == 5) return White.Value();
    return Rgb::Of(214, 221, 231).Value();
  });
  MaskedStrip(m, a.Place("SLIDERH", 33, 36), 3, [](MaskedPainter &p, int state) {
    p.Shape(RoundRect{0.5, 0.5, 10.5, 17.5, 3}, States[state].outline, States[state].face, 1);
  });
  MaskedStrip(m, a.Place("SLIDERV", 54, 22), 3, [](MaskedPainter &p, int state) {
    p.Shape(RoundRect{0.5, 0.5, 17.5, 10.5, 3}, States[state].outline, States[state].face, 1);
  });
  PlainFrames(m, a.Place("TICKH", 1, 4), 1, [](int, int, int) { return Rgb::Of(130, 142, 162).Value(); });
  PlainFrames(m, a.Place("TICKV", 4, 1), 1, [](int, int, int) { return Rgb::Of(130, 142, 162).Value(); });

  Rings(m, a.Place("MENUFRAME", 9, 9), 1, [](int ring, int, int, int) {
    return ring == 0 ? Rgb::Of(140, 152, 172).Value() : ring == 1 ? White.Value() : KeyColor;
  });
  MaskedStrip(m, a.Place("MENUSELECT", 16, 16), 2, [](MaskedPainter &p, int state) {
    if (state == 0) return;
    p.Shape(RoundRect{0, 0, 8, 8, 2}, Rgb::Of(120, 160, 215), Ramp{Rgb::Of(226, 236, 250), Rgb::Of(226, 236, 250)},
            0.6);
  });
  PlainFrames(m, a.Place("LOWERED", 6, 6), 1, [](int x, int y, int) {
    if (x == 5 || y == 5) return (x == 0 || y == 0) ? Rgb::Of(214, 220, 230).Value() : White.Value();
    if (x == 0 || y == 0) return Rgb::Of(168, 178, 196).Value();
    return KeyColor;
  });
  PlainFrames(m, a.Place("STATUSLINE", 6, 6), 1, [](int, int y, int) {
    return y == 0 ? Rgb::Of(168, 178, 196).Value() : y == 1 ? Rgb::Of(250, 251, 253).Value() : KeyColor;
  });
  Rings(m, a.Place("HINTFRAME", 6, 6), 1,
        [](int ring, int, int, int) { return ring == 0 ? Rgb::Of(140, 152, 172).Value() : KeyColor; });
  PlainFrames(m, a.Place("HEADERLINES", 18, 6), 3, [](int x, int y, int k) {
    const Rgb line[3] = {Rgb::Of(190, 198, 212), Rgb::Of(150, 170, 204), Rgb::Of(140, 152, 172)};
    return (x == 5 || y == 5) ? line[k].Value() : KeyColor;
  });
  {
    const TRect grip = a.Place("GRIPV", 1, 6);
    MaskedPainter p(m, TPoint{grip.Left, grip.Top}, 3, 1, 3);
    p.Blend(0, 0, Rgb::Of(120, 132, 152), 0.7);
    p.Blend(0, 1, White, 0.6);
  }
  {
    const TRect grip = a.Place("GRIPIMAGE", 12, 12);
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j <= i; ++j) {
        const int x = grip.Left + 2 + 3 * (3 - j) - 2 + 1, y = grip.Top + 2 + 3 * i - 2 + 1;
        m.SetPixel(x, y, Rgb::Of(120, 132, 152).Value());
        m.SetPixel(x + 1, y + 1, White.Value());
      }
  }

  ReduceColors(m);
  ButtonHuge(s.buttonHuge);
  ReduceColors(s.buttonHuge);
  return s;
}

} // namespace skingen
