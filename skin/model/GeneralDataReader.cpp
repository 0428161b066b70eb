#include "skin/model/GeneralDataReader.h"

#include <algorithm>
#include <array>
#include <span>

#include "skin/model/SystemColors.h"
#include "toolkit/base/Text.h"

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

// How a key of the general data is read: integers and colours count as given unless they are no integer
// or -1, texts and booleans unless they are "?"; both are inherited. A few keys are the section's own.
enum class KeyKind { Integer, Text, OwnInteger };

struct KeyRule {
  std::string_view Key;
  KeyKind Kind;
  void (*Apply)(TsGeneralData &d, std::string_view text, int number);
};

#define NUMBER_RULE(key, kind, field)                                                                                  \
  KeyRule {                                                                                                            \
    key, kind, [](TsGeneralData &d, std::string_view, int n) { d.field = n; }                                          \
  }
#define BOOLEAN_RULE(key, field)                                                                                       \
  KeyRule {                                                                                                            \
    key, KeyKind::Text, [](TsGeneralData &d, std::string_view t, int) { d.field = ReadOptionBoolean(t); }              \
  }

constexpr KeyRule KeyRules[] = {
    {"COLOR", KeyKind::Integer, [](TsGeneralData &d, std::string_view, int n) { d.Color = ResolveSystemColor(n); }},
    {"BEVEL", KeyKind::Integer, [](TsGeneralData &d, std::string_view, int n) { d.Bevel = BevelFromNumber(n); }},
    NUMBER_RULE("SHADOWBLUR", KeyKind::Integer, ShadowBlur),
    NUMBER_RULE("SHADOWOFFSET", KeyKind::Integer, ShadowOffset),
    NUMBER_RULE("SHADOWCOLOR", KeyKind::OwnInteger, ShadowColor),
    NUMBER_RULE("SHADOWTRANSPARENCY", KeyKind::Integer, ShadowTransparency),
    BOOLEAN_RULE("SHADOWENABLED", ShadowEnabled),
    BOOLEAN_RULE("RESERVEDBOOLEAN", ReservedBoolean),
    NUMBER_RULE("FONTCOLOR", KeyKind::Integer, FontColor[0]),
    NUMBER_RULE("TCLEFT", KeyKind::Integer, FontColor[1]),
    NUMBER_RULE("TCTOP", KeyKind::Integer, FontColor[2]),
    NUMBER_RULE("TCRIGHT", KeyKind::Integer, FontColor[3]),
    NUMBER_RULE("TCBOTTOM", KeyKind::Integer, FontColor[4]),
    NUMBER_RULE("HOTFONTCOLOR", KeyKind::Integer, HotFontColor[0]),
    NUMBER_RULE("HOTTCLEFT", KeyKind::Integer, HotFontColor[1]),
    NUMBER_RULE("HOTTCTOP", KeyKind::Integer, HotFontColor[2]),
    NUMBER_RULE("HOTTCRIGHT", KeyKind::Integer, HotFontColor[3]),
    NUMBER_RULE("HOTTCBOTTOM", KeyKind::Integer, HotFontColor[4]),
    NUMBER_RULE("TRANSPARENCY", KeyKind::Integer, Transparency),
    NUMBER_RULE("GRADIENTPERCENT", KeyKind::Integer, GradientPercent),
    NUMBER_RULE("IMAGEPERCENT", KeyKind::Integer, ImagePercent),
    {"GRADIENTDATA", KeyKind::Text, [](TsGeneralData &d, std::string_view t, int) { d.GradientData = t; }},
    BOOLEAN_RULE("SHOWFOCUS", ShowFocus),
    BOOLEAN_RULE("FADINGENABLED", FadingEnabled),
    NUMBER_RULE("FADINGINTERVALIN", KeyKind::Integer, FadingIntervalIn),
    NUMBER_RULE("FADINGINTERVALOUT", KeyKind::Integer, FadingIntervalOut),
    NUMBER_RULE("FADINGITERATIONS", KeyKind::Integer, FadingIterations),
    NUMBER_RULE("HOTCOLOR", KeyKind::Integer, HotColor),
    NUMBER_RULE("HOTTRANSPARENCY", KeyKind::Integer, HotTransparency),
    {"HOTBEVEL", KeyKind::Integer, [](TsGeneralData &d, std::string_view, int n) { d.HotBevel = BevelFromNumber(n); }},
    NUMBER_RULE("HOTGRADIENTPERCENT", KeyKind::Integer, HotGradientPercent),
    {"HOTGRADIENTDATA", KeyKind::Text, [](TsGeneralData &d, std::string_view t, int) { d.HotGradientData = t; }},
    NUMBER_RULE("HOTIMAGEPERCENT", KeyKind::Integer, HotImagePercent),
    NUMBER_RULE("BORDERCOLOR1", KeyKind::Integer, BorderColor1),
    NUMBER_RULE("BORDERCOLOR2", KeyKind::Integer, BorderColor2),
};

#undef NUMBER_RULE
#undef BOOLEAN_RULE

constexpr size_t KeyRuleCount = std::size(KeyRules);

// A value one section writes itself, read once: a section's values serve every section that inherits them.
struct OwnValue {
  std::string_view Text;
  std::optional<int> Number;           // for integer keys
  std::optional<TsGradArray> Gradient; // for gradient keys whose data parses
};

// The values of the general data keys that one section writes itself, by rule.
using OwnValues = std::array<std::optional<OwnValue>, KeyRuleCount>;

bool IsGradientKey(std::string_view key) { return key == "GRADIENTDATA" || key == "HOTGRADIENTDATA"; }

OwnValue ReadOwnValue(const KeyRule &rule, std::string_view text) {
  OwnValue value{text, std::nullopt, std::nullopt};
  if (rule.Kind != KeyKind::Text) {
    value.Number = ReadOptionInteger(text);
  } else if (IsGradientKey(rule.Key) && text != "?" && text != " ") {
    // Bad data is left unparsed here; it is reported for each section that uses it.
    try {
      ParseGradient(text, value.Gradient.emplace());
    } catch (const Exception &) {
      value.Gradient.reset();
    }
  }
  return value;
}

OwnValues ReadOwnValues(const SkinOptionsSection &section) {
  static const CaseFoldedMap<size_t> ruleIndex = [] {
    CaseFoldedMap<size_t> index;
    for (size_t i = 0; i < KeyRuleCount; ++i)
      index.emplace(KeyRules[i].Key, i);
    return index;
  }();
  OwnValues values;
  for (const auto &entry : section.Keys())
    if (auto it = ruleIndex.find(entry.Key); it != ruleIndex.end())
      values[it->second] = ReadOwnValue(KeyRules[it->second], entry.Value);
  return values;
}

size_t RuleIndexOf(std::string_view key) {
  for (size_t i = 0; i < KeyRuleCount; ++i)
    if (KeyRules[i].Key == key) return i;
  return KeyRuleCount;
}

// The gradient list of one section from the data it uses; parsed data is copied, anything else goes through
// the parser again so that it is reported under this section.
void ApplyGradient(const OwnValue &value, const std::string &sectionName, std::string_view key, const std::string &data,
                   TsGradArray &list, const SkinProblemHandler &problems) {
  if (value.Gradient)
    list = *value.Gradient;
  else
    ParseSectionGradient(sectionName, key, data, list, problems);
}

// Overwrites the fields of d that the chain (the section first, then its parents) gives; the rest keep what
// d holds (defaults, or the parent record of a common section). Gradient data is parsed when given.
void ApplyGivenKeys(std::span<const OwnValues *const> chain, const std::string &sectionName, TsGeneralData &d,
                    const SkinProblemHandler &problems) {
  static const size_t gradient = RuleIndexOf("GRADIENTDATA"), hotGradient = RuleIndexOf("HOTGRADIENTDATA");
  for (size_t k = 0; k < KeyRuleCount; ++k) {
    const KeyRule &rule = KeyRules[k];
    size_t depth = rule.Kind == KeyKind::OwnInteger ? 1 : chain.size();
    for (size_t c = 0; c < depth; ++c) {
      const std::optional<OwnValue> &value = (*chain[c])[k];
      if (!value) continue;
      if (rule.Kind == KeyKind::Text) {
        if (value->Text == "?") continue;
        rule.Apply(d, value->Text, 0);
        if (k == gradient) ApplyGradient(*value, sectionName, rule.Key, d.GradientData, d.GradientArray, problems);
        if (k == hotGradient)
          ApplyGradient(*value, sectionName, rule.Key, d.HotGradientData, d.HotGradientArray, problems);
        break;
      }
      const std::optional<int> &number = value->Number;
      if (rule.Kind == KeyKind::OwnInteger) {
        if (number) rule.Apply(d, value->Text, *number);
        break;
      }
      if (number && *number != -1) {
        rule.Apply(d, value->Text, *number);
        break;
      }
    }
  }
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
  const auto &sections = options.Sections();
  std::vector<OwnValues> own;
  std::vector<ptrdiff_t> parents;
  own.reserve(sections.size());
  parents.reserve(sections.size());
  for (const auto &section : sections) {
    own.push_back(ReadOwnValues(section));
    // A parent that is empty, "?" or the section itself (as written) is none.
    std::string_view parent = section.Find("PARENTCLASS").value_or("");
    const SkinOptionsSection *found =
        parent.empty() || parent == "?" || parent == section.NameView() ? nullptr : options.FindSection(parent);
    parents.push_back(found ? found - sections.data() : -1);
  }

  TsGeneralDataArray records;
  records.reserve(sections.size());
  std::vector<const OwnValues *> chain;
  std::vector<ptrdiff_t> visited;
  for (size_t i = 0; i < sections.size(); ++i) {
    chain.clear();
    visited.clear();
    // A section already in the chain ends it, and so does a chain that runs too deep.
    for (ptrdiff_t s = static_cast<ptrdiff_t>(i); s >= 0 && chain.size() < MaxParentChain; s = parents[s]) {
      if (std::find(visited.begin(), visited.end(), s) != visited.end()) break;
      visited.push_back(s);
      chain.push_back(&own[s]);
    }
    TsGeneralData &d = records.emplace_back();
    d.ParentClass = std::string(sections[i].Find("PARENTCLASS").value_or(""));
    d.SectionName = sections[i].Name();
    ApplyGivenKeys(chain, d.SectionName, d, problems);
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
  OwnValues own = ReadOwnValues(section);
  const OwnValues *chain[] = {&own};
  ApplyGivenKeys(chain, d.SectionName, d, problems);
  return d;
}
