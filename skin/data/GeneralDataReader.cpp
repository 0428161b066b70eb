#include "skin/data/GeneralDataReader.h"

#include <algorithm>
#include <charconv>

#include "skin/data/SystemColors.h"
#include "toolkit/base/Text.h"

std::optional<int> ReadOptionInteger(std::string_view text) {
  // Two different fallbacks agree only when the text is an integer.
  int a = text::StrToIntDef(text, 0);
  if (a != text::StrToIntDef(text, 1)) return std::nullopt;
  return a;
}

double ReadOptionReal(std::string_view text) {
  std::string t = text::Trim(text);
  double value = 0;
  auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value, std::chars_format::fixed);
  return error == std::errc() && end == t.data() + t.size() ? value : 0;
}

bool ReadOptionBoolean(std::string_view text) { return text::UpperCase(text) == "TRUE"; }

void ParseSectionGradient(const std::string &section, std::string_view key, const std::string &data, TsGradArray &list,
                          const SkinProblemHandler &problems) {
  list.clear();
  // The default of a single blank means "no gradient"; it is kept unparsed.
  if (data == " ") return;
  problems.Guard([&] {
    try {
      ParseGradient(data, list);
    } catch (const Exception &e) {
      list.clear();
      throw ESkinOptionsError(section, std::string(key), "bad gradient data: " + e.Message());
    }
  });
}

TsControlBevel BevelFromNumber(int value) {
  return value >= 0 && value <= 4 ? static_cast<TsControlBevel>(value) : TsControlBevel::cbNone;
}

namespace {

// Looks keys up in one section and its chain of parents (the skin's own sections), answering only what is
// given: integers that are no integer or -1, and texts "?", count as not given.
class InheritedLookup {
public:
  InheritedLookup(const SkinOptions &options, const SkinOptionsSection &section) : section_(section) {
    // A parent that is empty, "?", the section itself or one already visited ends the chain.
    for (const SkinOptionsSection *s = &section; s;) {
      chain_.push_back(s);
      std::string_view parent = s->Find("PARENTCLASS").value_or("");
      if (parent.empty() || parent == "?" || parent == s->Name()) break;
      s = options.FindSection(parent);
      if (std::find(chain_.begin(), chain_.end(), s) != chain_.end()) break;
    }
  }
  // Only the section itself, for common sections (their parents are records, not sections).
  explicit InheritedLookup(const SkinOptionsSection &section) : section_(section), chain_{&section} {}

  const SkinOptionsSection &Section() const { return section_; }

  std::optional<int> Integer(std::string_view key) const {
    for (const auto *s : chain_)
      if (auto v = s->Find(key))
        if (auto n = ReadOptionInteger(*v); n && *n != -1) return n;
    return std::nullopt;
  }
  std::optional<std::string> Text(std::string_view key) const {
    for (const auto *s : chain_)
      if (auto v = s->Find(key); v && *v != "?") return std::string(*v);
    return std::nullopt;
  }
  // Keys that are never inherited: the section's own integer.
  std::optional<int> OwnInteger(std::string_view key) const {
    auto v = section_.Find(key);
    return v ? ReadOptionInteger(*v) : std::nullopt;
  }

private:
  const SkinOptionsSection &section_;
  std::vector<const SkinOptionsSection *> chain_;
};

// Overwrites the fields of d whose keys the lookup gives; the rest keep what d holds (defaults, or the
// parent record of a common section).
void ApplyGivenKeys(const InheritedLookup &r, TsGeneralData &d, const SkinProblemHandler &problems) {
  auto integer = [&](std::string_view key, int32_t &field) {
    if (auto v = r.Integer(key)) field = *v;
  };
  auto color = [&](std::string_view key, TColor &field) {
    if (auto v = r.Integer(key)) field = static_cast<TColor>(*v);
  };
  auto boolean = [&](std::string_view key, bool &field) {
    if (auto v = r.Text(key)) field = ReadOptionBoolean(*v);
  };
  auto gradient = [&](std::string_view key, std::string &data, TsGradArray &list) {
    if (auto v = r.Text(key)) {
      data = *v;
      ParseSectionGradient(r.Section().Name(), key, data, list, problems);
    }
  };
  static constexpr std::string_view contours[] = {"TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  static constexpr std::string_view hotContours[] = {"HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"};

  if (auto v = r.Integer("COLOR")) d.Color = ResolveSystemColor(static_cast<TColor>(*v));
  if (auto v = r.Integer("BEVEL")) d.Bevel = BevelFromNumber(*v);
  integer("SHADOWBLUR", d.ShadowBlur);
  integer("SHADOWOFFSET", d.ShadowOffset);
  if (auto v = r.OwnInteger("SHADOWCOLOR")) d.ShadowColor = static_cast<TColor>(*v);
  integer("SHADOWTRANSPARENCY", d.ShadowTransparency);
  boolean("SHADOWENABLED", d.ShadowEnabled);
  boolean("RESERVEDBOOLEAN", d.ReservedBoolean);
  color("FONTCOLOR", d.FontColor[0]);
  for (int i = 0; i < 4; ++i)
    color(contours[i], d.FontColor[i + 1]);
  color("HOTFONTCOLOR", d.HotFontColor[0]);
  for (int i = 0; i < 4; ++i)
    color(hotContours[i], d.HotFontColor[i + 1]);
  integer("TRANSPARENCY", d.Transparency);
  integer("GRADIENTPERCENT", d.GradientPercent);
  integer("IMAGEPERCENT", d.ImagePercent);
  gradient("GRADIENTDATA", d.GradientData, d.GradientArray);
  boolean("SHOWFOCUS", d.ShowFocus);
  boolean("FADINGENABLED", d.FadingEnabled);
  integer("FADINGINTERVALIN", d.FadingIntervalIn);
  integer("FADINGINTERVALOUT", d.FadingIntervalOut);
  integer("FADINGITERATIONS", d.FadingIterations);
  color("HOTCOLOR", d.HotColor);
  integer("HOTTRANSPARENCY", d.HotTransparency);
  if (auto v = r.Integer("HOTBEVEL")) d.HotBevel = BevelFromNumber(*v);
  integer("HOTGRADIENTPERCENT", d.HotGradientPercent);
  gradient("HOTGRADIENTDATA", d.HotGradientData, d.HotGradientArray);
  integer("HOTIMAGEPERCENT", d.HotImagePercent);
  color("BORDERCOLOR1", d.BorderColor1);
  color("BORDERCOLOR2", d.BorderColor2);
}

int StrictInteger(const SkinOptions &options, std::string_view key, std::string_view fallback,
                  const SkinProblemHandler &problems) {
  std::string value = options.ReadString(GlobalInfoSection, key, fallback);
  std::optional<int> n = ReadOptionInteger(value);
  if (!n)
    problems.Guard([&] {
      throw ESkinOptionsError(std::string(GlobalInfoSection), std::string(key), "\"" + value + "\" is not an integer");
    });
  return n.value_or(0);
}

} // namespace

void ReadSkinWideValues(const SkinOptions &options, TsSkinData &data, const SkinProblemHandler &problems) {
  auto integer = [&](std::string_view key, int fallback) {
    auto v = options.Find(GlobalInfoSection, key);
    return v ? ReadOptionInteger(*v).value_or(fallback) : fallback;
  };
  data.Version = ReadOptionReal(options.ReadString(GlobalInfoSection, "VERSION", "0"));
  data.Author = options.ReadString(GlobalInfoSection, "AUTHOR", "");
  data.Description = options.ReadString(GlobalInfoSection, "DESCRIPTION", "");
  data.Shadow1Color = static_cast<TColor>(integer("SHADOW1COLOR", 0));
  data.Shadow1Offset = StrictInteger(options, "SHADOW1OFFSET", "0", problems);
  data.Shadow1Blur = StrictInteger(options, "SHADOW1BLUR", "-1", problems);
  data.Shadow1Transparency = StrictInteger(options, "SHADOW1TRANSPARENCY", "0", problems);
  data.BISpace = integer("BISPACE", 0);
  data.BorderColor = static_cast<TColor>(integer("BORDERCOLOR", 0));
}

TsGeneralDataArray ReadGeneralData(const SkinOptions &options, const SkinProblemHandler &problems) {
  TsGeneralDataArray records;
  records.reserve(options.Sections().size());
  for (const auto &section : options.Sections()) {
    TsGeneralData &d = records.emplace_back();
    d.ParentClass = std::string(section.Find("PARENTCLASS").value_or(""));
    d.SectionName = section.Name();
    // The default "COLOR" is no system colour, so converting only given values is the same.
    ApplyGivenKeys(InheritedLookup(options, section), d, problems);
  }
  return records;
}

TsGeneralData ReadCommonGeneralData(const SkinOptionsSection &section, const TsGeneralDataArray &skinRecords,
                                    const SkinProblemHandler &problems) {
  auto parentName = section.Find("PARENTCLASS");
  std::string parentClass = parentName ? text::UpperCase(*parentName) : "-1";
  auto parent = std::find_if(skinRecords.begin(), skinRecords.end(),
                             [&](const TsGeneralData &g) { return text::UpperCase(g.SectionName) == parentClass; });
  TsGeneralData d = parent != skinRecords.end() ? *parent : TsGeneralData{};
  d.ParentClass = parentClass;
  d.SectionName = section.Name();
  ApplyGivenKeys(InheritedLookup(section), d, problems);
  return d;
}
