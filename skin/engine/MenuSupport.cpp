#include "skin/engine/MenuSupport.h"

#include "toolkit/base/MetaClass.h"

const TMetaClass &TacFontSettings::StaticMetaClass() {
  return DefineClass<TacFontSettings, TPersistent>("TacFontSettings", [](TClassBuilder<TacFontSettings> &c) {
    c.String("Name", [](TacFontSettings &f, const std::string &v) { f.Font.Name = v; });
    c.Int("Height", [](TacFontSettings &f, int v) { f.Font.Height = v; });
    c.Color("Color", [](TacFontSettings &f, TColor v) { f.Font.Color = v; });
    // The platform's character set numbers.
    c.Enum<int>("Charset", [](TacFontSettings &f, int v) { f.Font.Charset = static_cast<uint8_t>(v); },
                {{"ANSI_CHARSET", 0},
                 {"DEFAULT_CHARSET", 1},
                 {"SYMBOL_CHARSET", 2},
                 {"RUSSIAN_CHARSET", 204},
                 {"OEM_CHARSET", 255}});
    c.Set("Style",
          [](TacFontSettings &f, uint32_t v) {
            f.Font.Bold = v & 1;
            f.Font.Italic = v & 2;
            f.Font.Underline = v & 4;
            f.Font.StrikeOut = v & 8;
          },
          {{"fsBold", 1}, {"fsItalic", 2}, {"fsUnderline", 4}, {"fsStrikeOut", 8}});
  });
}

const TMetaClass &TacMenuSupport::StaticMetaClass() {
  return DefineClass<TacMenuSupport, TPersistent>("TacMenuSupport", [](TClassBuilder<TacMenuSupport> &c) {
    c.String("IcoLineSkin", [](TacMenuSupport &m, const std::string &v) { m.IcoLineSkin = v; });
    c.Bool("UseExtraLine", [](TacMenuSupport &m, bool v) { m.UseExtraLine = v; });
    c.Int("ExtraLineWidth", [](TacMenuSupport &m, int v) { m.ExtraLineWidth = v; });
    c.String("ExtraLineCaption", [](TacMenuSupport &m, const std::string &v) { m.ExtraLineCaption = v; });
    c.Object("ExtraLineFont", [](TacMenuSupport &m) -> TPersistent * { return &m.ExtraLineFont; });
  });
}
