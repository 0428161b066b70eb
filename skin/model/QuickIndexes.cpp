#include "skin/model/QuickIndexes.h"

#include <cstdint>
#include <string_view>

#include "skin/model/GeneralDataReader.h"

namespace {

constexpr std::string_view TabSections[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
constexpr std::string_view ScrollButtonSections[] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                                                     "SCROLLBTNRIGHT"};
constexpr std::string_view ScrollSliderSections[] = {"SCROLLSLIDERV", "SCROLLSLIDERH"};
constexpr std::string_view ScrollBarSections[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};

// Indexes are kept in 16 bits; one beyond them is as good as absent.
int16_t Narrow(int index) { return index >= 0 && index <= INT16_MAX ? static_cast<int16_t>(index) : int16_t{-1}; }

enum Parts { Border = 1, Glyph = 2, Patterns = 4 };

template <size_t N>
void ComputeSections(const TsSkin &skin, const std::string_view (&names)[N], std::array<TsSectionQuickIndexes, N> &out,
                     int parts) {
  for (size_t i = 0; i < N; ++i) {
    std::string_view name = names[i];
    int section = skin.SectionIndex(name);
    auto image = [&](std::string_view key) { return Narrow(skin.ImageIndex(section, name, key)); };
    out[i].Section = Narrow(section);
    if (parts & Border) out[i].BordersMask = image("BORDERSMASK");
    if (parts & Glyph) out[i].GlyphMask = image("GLYPHMASK");
    if (parts & Patterns) {
      out[i].Pattern = image("PATTERN");
      out[i].HotPattern = image("HOTPATTERN");
    }
  }
}

} // namespace

TsQuickIndexes ComputeQuickIndexes(const TsSkin *skin) {
  TsQuickIndexes q;
  if (!skin) return q;
  const TsSkin &s = *skin;

  q.GlobalInfo = Narrow(s.SectionIndex(GlobalInfoSection));
  if (q.GlobalInfo >= 0) {
    auto global = [&](std::string_view key) { return Narrow(s.ImageIndex(q.GlobalInfo, GlobalInfoSection, key)); };
    q.CheckBox = {global("BOXCHECKED"), global("BOXUNCHECKED"), global("BOXGRAYED")};
    q.RadioButton = {global("RADIOCHECKED"), global("RADIOUNCHECKED"), global("RADIOGRAYED")};
    q.SmallBox = {global("SMALLCHECKED"), global("SMALLUNCHECKED"), global("SMALLGRAYED")};
  }

  q.ComboButton = s.SectionIndex("COMBOBTN");
  q.ComboButtonBorder = Narrow(s.ImageIndexByName("COMBOBTN", "BORDERSMASK"));
  q.ComboButtonPattern = Narrow(s.TextureIndex(q.ComboButton, "COMBOBTN", "PATTERN"));
  q.ComboButtonHotPattern = Narrow(s.TextureIndex(q.ComboButton, "COMBOBTN", "HOTPATTERN"));
  q.ComboBoxGlyph = s.ImageIndexByName("COMBOBOX", "GLYPHMASK");

  ComputeSections(s, TabSections, q.Tabs, Border);
  ComputeSections(s, ScrollButtonSections, q.ScrollButtons, Border | Glyph | Patterns);
  ComputeSections(s, ScrollSliderSections, q.ScrollSliders, Border | Glyph | Patterns);
  ComputeSections(s, ScrollBarSections, q.ScrollBars, Border | Patterns);
  return q;
}
