#include "tools/skingen/ButtonGlyphs.h"

#include <string_view>

#include "tools/skingen/Canvas.h"

namespace skingen {
namespace {

constexpr int FrameHeight = 17;

using Art = std::vector<std::string_view>;

// o outline, f face, l light edge, p paper.
const Art OpenFolder = {
    " oooo           ", "ollllooooooooo  ", "olfffffffffffo  ", "olfpppppppppfo  ",
    "olfpoooooooooooo", "olfolllllllllllo", "olofffffffffffo ", "olofffffffffffo ",
    "oofffffffffffo  ", "oofffffffffffo  ", "ooooooooooooo   ",
};
const Art OpenFile = {
    "ooooooooo   ", "opppppppoo  ", "opppppppopo ", "opppppppoooo", "opooooooppo ", "oppppppppppo",
    "opoooooooppo", "oppppppppppo", "opoooooooppo", "oppppppppppo", "oppppppppppo", "oooooooooooo",
};
const Art Date = {
    "oooooooooooo", "offffffffffo", "oooooooooooo", "oppppppppppo", "opoopoopoopo", "oppppppppppo",
    "opoopoopoopo", "oppppppppppo", "opoopoopoopo", "oppppppppppo", "oooooooooooo",
};
const Art Ellipsis = {"oo  oo  oo", "oo  oo  oo"};
const Art Calculator = {
    "ooooooooooo", "offffffffo", "oppppppppo", "oooooooooo", "ofofofoffo", "oooooooooo",
    "ofofofoffo",  "oooooooooo", "ofofofoffo", "oooooooooo", "ofofofoffo", "oooooooooo",
};

struct Look {
  Rgb outline, face, light, paper;
};
// Normal, active (brighter), pressed (darker, one pixel down and right).
const Look Looks[3] = {
    {Rgb::Of(70, 84, 110), Rgb::Of(236, 196, 96), Rgb::Of(252, 232, 170), Rgb::Of(250, 250, 252)},
    {Rgb::Of(40, 72, 140), Rgb::Of(250, 214, 120), Rgb::Of(255, 244, 200), Rgb::Of(255, 255, 255)},
    {Rgb::Of(40, 50, 80), Rgb::Of(210, 166, 70), Rgb::Of(236, 210, 140), Rgb::Of(228, 230, 236)},
};

ButtonGlyph Draw(const std::string &fileName, int frameWidth, const Art &art) {
  Image24 picture(frameWidth * 3, FrameHeight * 2);
  const int artWidth = static_cast<int>(art.front().size()), artHeight = static_cast<int>(art.size());
  for (int state = 0; state < 3; ++state) {
    MaskedPainter p(picture, TPoint{state * frameWidth, 0}, FrameHeight, frameWidth, FrameHeight);
    const int shift = state == 2 ? 1 : 0;
    const Look &look = Looks[state];
    p.Glyph((frameWidth - artWidth) / 2 + shift, (FrameHeight - artHeight) / 2 + shift, art, "oflp",
            {look.outline, look.face, look.light, look.paper});
  }
  return ButtonGlyph{fileName, std::move(picture)};
}

} // namespace

std::vector<ButtonGlyph> DrawButtonGlyphs() {
  std::vector<ButtonGlyph> glyphs;
  glyphs.push_back(Draw("SF.bmp", 20, OpenFile));
  glyphs.push_back(Draw("SR.bmp", 20, OpenFolder));
  glyphs.push_back(Draw("SD.bmp", 16, Date));
  glyphs.push_back(Draw("SE.bmp", 18, Ellipsis));
  glyphs.push_back(Draw("SC.bmp", 19, Calculator));
  return glyphs;
}

} // namespace skingen
