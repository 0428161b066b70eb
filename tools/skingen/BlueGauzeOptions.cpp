#include "tools/skingen/BlueGauzeOptions.h"

#include <string>

namespace skingen {

namespace {

int C(int r, int g, int b) { return RgbColor(uint8_t(r), uint8_t(g), uint8_t(b)); }

// Colours the installer window rests on: the edit and memo face and the global text colour equal the
// colours stored with the window, so it looks the same before and after the skin is applied.
constexpr int EditFace = 16118514;   // RGB(242, 242, 245)
constexpr int GlobalFace = 14604248; // RGB(216, 216, 222)
constexpr int GlobalText = 5391682;  // RGB(66, 69, 82)
constexpr int FormColor = 14675954;  // under the woven texture
const int HotText = C(28, 52, 96);
const int PaleText = C(110, 116, 128);

const std::string None = "N/A";

// A light face from top to bottom: the upper half brighter, a quiet dip below the middle.
std::string Face(int top, int middle, int bottom) { return GradientData({{top, middle, 48}, {middle, bottom, 52}}, 0); }

std::string Ref(const Atlas &a, const char *name, BorderWidths w, int count, int maskType, int stretch, int width) {
  return BorderRef(a[name], w, count, maskType, stretch, width);
}

void Texts(OptionsFile::Section &s, int normal, int hot) { s.Set("FONTCOLOR", normal).Set("HOTFONTCOLOR", hot); }

} // namespace

OptionsFile BlueGauzeOptions(const Atlas &a) {
  OptionsFile o;
  const std::string buttonFace = Face(C(250, 251, 253), C(232, 236, 242), C(214, 221, 231));
  const std::string buttonHot = Face(C(252, 253, 255), C(226, 236, 250), C(200, 216, 240));
  const std::string barFace = Face(C(246, 248, 251), C(232, 236, 242), C(220, 226, 234));
  const std::string blueFace = Face(C(150, 186, 232), C(98, 142, 204), C(76, 120, 186));
  const BorderWidths none;

  auto titleButtons = [&](OptionsFile::Section &s) {
    for (const char *key : {"BICONCLOSE", "BICONHELP", "BICONMAX", "BICONMIN", "BICONNORM", "TITLEBUTTON"})
      s.Set(key, GlyphRef(a[key], 3, 0));
    s.Set("GRIPIMAGE", GlyphRef(a["GRIPIMAGE"], 1, 0));
  };

  auto &global = o.Add("GLOBALINFO")
                     .Set("VERSION", "5.41")
                     .Set("AUTHOR", "Kelvora")
                     .Set("DESCRIPTION", "BlueGauze: calm blue-grey surfaces over a fine woven background")
                     .Set("SUID", "{6B1F3C2E-4A7D-4E25-9C0B-BLUEGAUZE541}")
                     .Set("MASTERBITMAP", "MASTER.BMP")
                     .Set("COLOR", GlobalFace)
                     .Set("FONTCOLOR", GlobalText)
                     .Set("HOTCOLOR", C(248, 250, 253))
                     .Set("SHADOW1COLOR", 0)
                     .Set("SHADOW1OFFSET", 0)
                     .Set("SHADOW1BLUR", -1)
                     .Set("SHADOW1TRANSPARENCY", 0)
                     .Set("BISPACE", 1)
                     .Set("BORDERCOLOR", int(KeyColor));
  for (const char *key : {"BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                          "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED", "CHECK"})
    global.Set(key, GlyphRef(a[key], 3, 1));
  titleButtons(global);
  for (const char *key : {"SICONCLOSE", "SICONHELP", "SICONMAX", "SICONMIN"})
    global.Set(key, GlyphRef(a[key], 3, 0));

  auto &form = o.Add("FORM")
                   .Set("COLOR", FormColor)
                   .Set("HOTCOLOR", FormColor)
                   .Set("FONTCOLOR", GlobalText)
                   .Set("HOTFONTCOLOR", GlobalText)
                   .Set("TRANSPARENCY", 0)
                   .Set("IMAGEPERCENT", 100)
                   .Set("HOTIMAGEPERCENT", 100)
                   .Set("GRADIENTPERCENT", 0)
                   .Set("GRADIENTDATA", None)
                   .Set("PATTERN", TextureRef(a["GAUZE"], 0))
                   .Set("HOTPATTERN", TextureRef(a["GAUZE"], 0))
                   .Set("BORDERSMASK", Ref(a, "FORMBORDER", {3, 3, 3, 3}, 2, 0, 0, 0));
  titleButtons(form);

  o.Add("FORMTITLE")
      .Set("COLOR", C(196, 200, 208))
      .Set("HOTCOLOR", C(176, 190, 212))
      .Set("FONTCOLOR", PaleText)
      .Set("HOTFONTCOLOR", C(36, 44, 60))
      .Set("HOTTCBOTTOM", C(214, 222, 234))
      .Set("GRADIENTPERCENT", 100)
      .Set("HOTGRADIENTPERCENT", 100)
      .Set("GRADIENTDATA",
           "14934497;9406856;33;0;0;9406856;8747639;4;0;0;8747639;11050135;64;0;0;11050135;11050135;0;0;0")
      .Set("HOTGRADIENTDATA", GradientData({{C(236, 242, 250), C(170, 190, 218), 33},
                                            {C(170, 190, 218), C(146, 168, 202), 4},
                                            {C(146, 168, 202), C(184, 200, 224), 64},
                                            {C(184, 200, 224), C(184, 200, 224), 0}},
                                           0))
      .Set("BORDERSMASK", Ref(a, "TITLEBORDER", {3, 2, 3, 0}, 2, 0, 0, 0));
  o.Add("DIALOG").Set("PARENTCLASS", "FORM");
  o.Add("MDIAREA").Set("COLOR", C(176, 186, 200)).Set("PATTERN", None);

  auto &button = o.Add("BUTTON")
                     .Set("COLOR", C(228, 233, 240))
                     .Set("HOTCOLOR", C(232, 240, 250))
                     .Set("TRANSPARENCY", 50)
                     .Set("HOTTRANSPARENCY", 30)
                     .Set("GRADIENTPERCENT", 100)
                     .Set("HOTGRADIENTPERCENT", 100)
                     .Set("GRADIENTDATA", buttonFace)
                     .Set("HOTGRADIENTDATA", buttonHot)
                     .Set("SHOWFOCUS", true)
                     .Set("FADINGENABLED", true)
                     .Set("FADINGINTERVALIN", 5)
                     .Set("FADINGINTERVALOUT", 5)
                     .Set("FADINGITERATIONS", 20)
                     .Set("BORDERSMASK", Ref(a, "BUTTON", none, 3, 1, 5, 0));
  Texts(button, GlobalText, HotText);
  o.Add("BUTTON_HUGE").Set("PARENTCLASS", "BUTTON").Set("BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0");
  o.Add("SPEEDBUTTON")
      .Set("PARENTCLASS", "BUTTON")
      .Set("TRANSPARENCY", 100)
      .Set("HOTTRANSPARENCY", 20)
      .Set("BORDERSMASK", Ref(a, "BUTTON", none, 3, 1, 7, 0));
  o.Add("SPEEDBUTTON_SMALL").Set("PARENTCLASS", "SPEEDBUTTON").Set("FONTCOLOR", GlobalText);
  o.Add("TOOLBUTTON").Set("PARENTCLASS", "SPEEDBUTTON");
  o.Add("WEBBUTTON")
      .Set("TRANSPARENCY", 100)
      .Set("HOTTRANSPARENCY", 100)
      .Set("FONTCOLOR", C(40, 92, 170))
      .Set("HOTFONTCOLOR", C(20, 64, 140))
      .Set("BORDERSMASK", None);

  auto &edit = o.Add("EDIT")
                   .Set("COLOR", EditFace)
                   .Set("HOTCOLOR", C(250, 251, 253))
                   .Set("TRANSPARENCY", 0)
                   .Set("BORDERSMASK", Ref(a, "EDITBORDER", none, 2, 0, 0, 1));
  Texts(edit, C(34, 38, 48), C(20, 24, 34));
  o.Add("ALPHAEDIT").Set("PARENTCLASS", "EDIT").Set("TRANSPARENCY", 30).Set("HOTTRANSPARENCY", 10);
  o.Add("COMBOBOX").Set("PARENTCLASS", "EDIT").Set("GLYPHMASK", GlyphRef(a["COMBOARROW"], 3, 1));
  o.Add("COMBOBTN")
      .Set("PARENTCLASS", "BUTTON")
      .Set("TRANSPARENCY", 0)
      .Set("HOTTRANSPARENCY", 0)
      .Set("BORDERSMASK", Ref(a, "SMALLBUTTON", {3, 3, 3, 3}, 3, 1, 0, 0))
      .Set("PATTERN", None)
      .Set("HOTPATTERN", None);

  o.Add("GAUGE")
      .Set("COLOR", C(226, 231, 238))
      .Set("IMAGEPERCENT", 100)
      .Set("HOTIMAGEPERCENT", 100)
      .Set("PATTERN", TextureRef(a["GAUGETEXTURE"], 0))
      .Set("HOTPATTERN", TextureRef(a["GAUGETEXTURE"], 0))
      .Set("BORDERSMASK", Ref(a, "GAUGEBORDER", {3, 3, 3, 3}, 1, 1, 0, 0));
  o.Add("PROGRESSH")
      .Set("COLOR", C(98, 142, 204))
      .Set("FONTCOLOR", C(255, 255, 255))
      .Set("GRADIENTPERCENT", 100)
      .Set("HOTGRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", blueFace)
      .Set("HOTGRADIENTDATA", blueFace)
      .Set("BORDERSMASK", Ref(a, "PROGRESSBORDER", {2, 2, 2, 2}, 1, 1, 4, 0));
  o.Add("PROGRESSV")
      .Set("PARENTCLASS", "PROGRESSH")
      .Set("GRADIENTDATA",
           GradientData({{C(150, 186, 232), C(98, 142, 204), 48}, {C(98, 142, 204), C(76, 120, 186), 52}}, 1))
      .Set("HOTGRADIENTDATA",
           GradientData({{C(150, 186, 232), C(98, 142, 204), 48}, {C(98, 142, 204), C(76, 120, 186), 52}}, 1));

  auto &check = o.Add("CHECKBOX").Set("TRANSPARENCY", 100).Set("HOTTRANSPARENCY", 100).Set("SHOWFOCUS", true);
  Texts(check, GlobalText, HotText);
  o.Add("RADIOBUTTON").Set("PARENTCLASS", "CHECKBOX");
  o.Add("GROUPBOX")
      .Set("TRANSPARENCY", 100)
      .Set("HOTTRANSPARENCY", 100)
      .Set("FONTCOLOR", GlobalText)
      .Set("BORDERSMASK", Ref(a, "GROUPFRAME", none, 1, 0, 1, 1));
  o.Add("PANEL")
      .Set("COLOR", C(224, 229, 236))
      .Set("TRANSPARENCY", 100)
      .Set("HOTTRANSPARENCY", 100)
      .Set("FONTCOLOR", GlobalText)
      .Set("BORDERSMASK", None);
  o.Add("PANEL_LOW").Set("PARENTCLASS", "PANEL").Set("BORDERSMASK", Ref(a, "LOWERED", {1, 1, 1, 1}, 1, 0, 0, 0));
  o.Add("SCROLLBOX").Set("PARENTCLASS", "PANEL_LOW");
  o.Add("TOOLBAR")
      .Set("PARENTCLASS", "PANEL")
      .Set("TRANSPARENCY", 0)
      .Set("HOTTRANSPARENCY", 0)
      .Set("GRADIENTPERCENT", 100)
      .Set("HOTGRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", barFace)
      .Set("HOTGRADIENTDATA", barFace);
  o.Add("STATUSBAR").Set("PARENTCLASS", "TOOLBAR").Set("BORDERSMASK", Ref(a, "STATUSLINE", {0, 2, 0, 0}, 1, 0, 0, 0));
  o.Add("STATUSPANEL")
      .Set("PARENTCLASS", "STATUSBAR")
      .Set("TRANSPARENCY", 100)
      .Set("BORDERSMASK", Ref(a, "LOWERED", {1, 1, 1, 1}, 1, 0, 0, 0));
  o.Add("DRAGBAR")
      .Set("PARENTCLASS", "TOOLBAR")
      .Set("GRADIENTDATA", Face(C(236, 242, 250), C(200, 212, 230), C(184, 200, 224)))
      .Set("HOTGRADIENTDATA", Face(C(236, 242, 250), C(188, 204, 228), C(170, 190, 218)));
  o.Add("SPLITTER").Set("PARENTCLASS", "SPEEDBUTTON_SMALL");

  o.Add("PAGECONTROL")
      .Set("COLOR", C(238, 241, 246))
      .Set("FONTCOLOR", GlobalText)
      .Set("FADINGENABLED", false)
      .Set("FADINGITERATIONS", 20)
      .Set("BORDERSMASK", Ref(a, "PAGEFRAME", {2, 2, 2, 2}, 1, 0, 0, 0));
  o.Add("PAGECONTROLBOTTOM")
      .Set("PARENTCLASS", "PAGECONTROL")
      .Set("BORDERSMASK", Ref(a, "PAGEFRAME", {2, 2, 2, 2}, 1, 0, 0, 0));
  o.Add("TABCONTROL").Set("PARENTCLASS", "PAGECONTROL");
  o.Add("TABCONTROLBOTTOM").Set("PARENTCLASS", "PAGECONTROLBOTTOM");
  o.Add("TABSHEET").Set("COLOR", C(238, 241, 246)).Set("FONTCOLOR", GlobalText).Set("TRANSPARENCY", 0);
  const char *tabs[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  const BorderWidths tabWidths[] = {{3, 3, 3, 0}, {3, 0, 3, 3}, {3, 3, 0, 3}, {0, 3, 3, 3}};
  for (int i = 0; i < 4; ++i) {
    auto &tab = o.Add(tabs[i])
                    .Set("GRADIENTPERCENT", 100)
                    .Set("HOTGRADIENTPERCENT", 100)
                    .Set("GRADIENTDATA", buttonFace)
                    .Set("HOTGRADIENTDATA", buttonHot)
                    .Set("BORDERSMASK", Ref(a, tabs[i], tabWidths[i], 3, 1, 4, 0));
    Texts(tab, GlobalText, HotText);
  }

  const char *bars[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (const char *bar : bars) {
    auto &s = o.Add(bar);
    if (std::string(bar) == "SCROLLBAR1H")
      s.Set("COLOR", C(230, 234, 240)).Set("HOTCOLOR", C(220, 227, 236));
    else
      s.Set("PARENTCLASS", "SCROLLBAR1H");
    s.Set("BORDERSMASK", Ref(a, "TRACK", none, 3, 0, 0, 1)).Set("PATTERN", None).Set("HOTPATTERN", None);
  }
  const std::pair<const char *, const char *> arrows[] = {
      {"SCROLLBTNTOP", "ARROWUP"},      {"SCROLLBTNBOTTOM", "ARROWDOWN"}, {"SCROLLBTNLEFT", "ARROWLEFT"},
      {"SCROLLBTNRIGHT", "ARROWRIGHT"}, {"SCROLLSLIDERH", "GRIPLINESH"},  {"SCROLLSLIDERV", "GRIPLINESV"}};
  for (const auto &[section, glyph] : arrows)
    o.Add(section)
        .Set("PARENTCLASS", "COMBOBTN")
        .Set("RESERVEDBOOLEAN", true)
        .Set("BORDERSMASK", Ref(a, "SMALLBUTTON", {3, 3, 3, 3}, 3, 1, 0, 0))
        .Set("GLYPHMASK", GlyphRef(a[glyph], 3, 1))
        .Set("PATTERN", None)
        .Set("HOTPATTERN", None);

  auto &menu = o.Add("MAINMENU")
                   .Set("COLOR", C(247, 248, 251))
                   .Set("HOTCOLOR", C(247, 248, 251))
                   .Set("BORDERSMASK", Ref(a, "MENUFRAME", none, 1, 0, 0, 2));
  Texts(menu, GlobalText, HotText);
  auto &item = o.Add("MENUITEM")
                   .Set("TRANSPARENCY", 100)
                   .Set("HOTTRANSPARENCY", 0)
                   .Set("HOTCOLOR", C(226, 236, 250))
                   .Set("BORDERSMASK", Ref(a, "MENUSELECT", {3, 3, 3, 3}, 2, 1, 6, 0));
  Texts(item, GlobalText, HotText);
  o.Add("MENUCAPTION").Set("PARENTCLASS", "MENUITEM").Set("FONTCOLOR", PaleText);
  o.Add("MENULINE")
      .Set("PARENTCLASS", "TOOLBAR")
      .Set("FONTCOLOR", GlobalText)
      .Set("HOTFONTCOLOR", HotText)
      .Set("BORDERSMASK", None);
  o.Add("ICOLINE")
      .Set("COLOR", C(230, 235, 242))
      .Set("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", GradientData({{C(236, 240, 246), C(222, 228, 237), 100}}, 1));
  o.Add("EXTRALINE")
      .Set("COLOR", C(98, 142, 204))
      .Set("FONTCOLOR", C(255, 255, 255))
      .Set("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", GradientData({{C(76, 120, 186), C(150, 186, 232), 100}}, 0));

  o.Add("TRACKBAR")
      .Set("TRANSPARENCY", 100)
      .Set("HOTTRANSPARENCY", 100)
      .Set("SLIDERCHANNEL", Ref(a, "CHANNEL", {2, 2, 2, 2}, 1, 0, 4, 0))
      .Set("SLIDERMASK", GlyphRef(a["SLIDERH"], 3, 1))
      .Set("SLIDERVMASK", GlyphRef(a["SLIDERV"], 3, 1))
      .Set("TICKHORZ", GlyphRef(a["TICKH"], 1, 0))
      .Set("TICKVERT", GlyphRef(a["TICKV"], 1, 0));
  o.Add("GRIPH").Set("TRANSPARENCY", 100).Set("PATTERN", TextureRef(a["GRIPH"], 10, 1));
  o.Add("GRIPV").Set("TRANSPARENCY", 100).Set("PATTERN", TextureRef(a["GRIPV"], 10, 1));
  o.Add("BAR").Set("PARENTCLASS", "TOOLBAR");
  o.Add("BARTITLE").Set("PARENTCLASS", "DRAGBAR").Set("FONTCOLOR", C(36, 44, 60)).Set("HOTFONTCOLOR", C(36, 44, 60));
  o.Add("BARBUTTON").Set("PARENTCLASS", "SPEEDBUTTON_SMALL");
  o.Add("HINT")
      .Set("COLOR", C(250, 251, 253))
      .Set("FONTCOLOR", C(34, 38, 48))
      .Set("GRADIENTPERCENT", 100)
      .Set("GRADIENTDATA", GradientData({{C(255, 255, 255), C(234, 239, 246), 100}}, 0))
      .Set("BORDERSMASK", Ref(a, "HINTFRAME", none, 1, 0, 0, 1));
  auto &header = o.Add("COLHEADER")
                     .Set("GRADIENTPERCENT", 100)
                     .Set("HOTGRADIENTPERCENT", 100)
                     .Set("GRADIENTDATA", barFace)
                     .Set("HOTGRADIENTDATA", buttonHot)
                     .Set("BORDERSMASK", Ref(a, "HEADERLINES", {0, 0, 1, 1}, 3, 0, 0, 0));
  Texts(header, GlobalText, HotText);
  o.Add("SELECTION").Set("COLOR", C(110, 148, 204)).Set("FONTCOLOR", C(255, 255, 255));
  o.Add("TRANSPARENT").Set("TRANSPARENCY", 100).Set("HOTTRANSPARENCY", 100).Set("FONTCOLOR", GlobalText);
  o.Add("UPDOWNBTN").Set("PARENTCLASS", "COMBOBTN").Set("BORDERSMASK", Ref(a, "SMALLBUTTON", {3, 3, 3, 3}, 3, 1, 0, 0));
  return o;
}

} // namespace skingen
