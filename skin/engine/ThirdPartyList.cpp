#include "skin/engine/ThirdPartyList.h"

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Text.h"

namespace {

struct GroupInfo {
  std::string_view property;
  std::vector<std::string_view> defaults;
};

const std::array<GroupInfo, ThirdPartyGroupCount> &Groups() {
  static const std::array<GroupInfo, ThirdPartyGroupCount> groups = {{
      {"ThirdEdits",
       {"TEdit", "TMemo", "TMaskEdit", "TLabeledEdit", "THotKey", "TListBox", "TCheckListBox", "TDBListBox",
        "TRichEdit", "TDBMemo", "TSynEdit", "TSynMemo", "TDBSynEdit", "TDBLookupListBox", "TDBRichEdit", "TDBCtrlGrid",
        "TDateTimePicker", "TDBEdit"}},
      {"ThirdButtons", {"TButton"}},
      {"ThirdBitBtns", {"TBitBtn"}},
      {"ThirdCheckBoxes", {"TCheckBox", "TRadioButton", "TDBCheckBox", "TDBCheckBoxEh", "TGroupButton"}},
      {"ThirdComboBoxes", {"TComboBox", "TColorBox", "TDBComboBox"}},
      {"ThirdGrids",
       {"TStringGrid", "TDrawGrid", "TRichView", "TDBRichViewEdit", "TRichViewEdit", "TDBRichView", "TwwDBGrid",
        "TAdvStringGrid", "TDBAdvGrid", "TValueListEditor", "TDBGrid"}},
      {"ThirdGroupBoxes", {"TGroupBox", "TDBRadioGroup", "TRadioGroup"}},
      {"ThirdListViews", {"TListView"}},
      {"ThirdPanels", {"TPanel", "TDBCtrlPanel"}},
      {"ThirdTreeViews", {"TTreeView", "TRzTreeView", "TDBTreeView"}},
      {"ThirdWWEdits", {"TDBLookupComboBox", "TwwDBComboBox", "TwwDBCustomCombo", "TwwDBCustomLookupCombo"}},
      {"ThirdGridEh", {"TDBGridEh"}},
      {"ThirdVirtualTrees",
       {"TVirtualStringTree", "TVirtualStringTreeDB", "TEasyListview", "TVirtualExplorerListview",
        "TVirtualExplorerTreeview", "TVirtualExplorerTree", "TVirtualDrawTree"}},
  }};
  return groups;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = text::Trim(text.substr(start, end - start));
    if (!line.empty()) lines.push_back(std::move(line));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

// A text that holds exactly one class name, whatever line breaks follow it.
bool HoldsExactly(const std::string &text, std::string_view name) {
  const auto lines = SplitLines(text);
  return lines.size() == 1 && lines[0] == name;
}

} // namespace

std::string DefaultThirdPartyText(int group) {
  std::string text;
  for (std::string_view name : Groups().at(group).defaults)
    text.append(name).append("\r\n");
  return text;
}

std::string_view ThirdPartyPropertyName(int group) { return Groups().at(group).property; }

void ThirdPartyList::SetText(int group, std::string text) {
  lists_.at(group) = SplitLines(text);
  texts_.at(group) = std::move(text);
}

bool ThirdPartyList::Contains(int group, std::string_view className) const {
  for (const auto &name : Names(group))
    if (text::SameText(name, className)) return true;
  return false;
}

bool ThirdPartyList::IsOlderLayout() const {
  return HoldsExactly(texts_[tpEdits], "TButton") || HoldsExactly(texts_[tpButtons], "TBitBtn");
}

void ThirdPartyList::MoveOlderLayout() {
  const auto old = texts_;
  texts_[tpEdits] = old[tpPanels];
  texts_[tpPanels] = old[tpTreeViews];
  texts_[tpTreeViews] = old[tpComboBoxes];
  texts_[tpComboBoxes] = old[tpCheckBoxes];
  texts_[tpCheckBoxes] = old[tpBitBtns];
  texts_[tpBitBtns] = old[tpButtons];
  texts_[tpButtons] = old[tpEdits];
  texts_[tpListViews] = old[tpGrids];
  texts_[tpGrids] = old[tpGroupBoxes];
  texts_[tpGroupBoxes] = old[tpListViews];
  texts_[tpGridEh] = old[tpVirtualTrees];
  texts_[tpVirtualTrees] = DefaultThirdPartyText(tpVirtualTrees);
}

void ThirdPartyList::ApplyDefaults() {
  if (IsOlderLayout()) MoveOlderLayout();
  for (int group = 0; group < ThirdPartyGroupCount; ++group) {
    if (texts_[group].empty()) texts_[group] = DefaultThirdPartyText(group);
    lists_[group] = SplitLines(texts_[group]);
  }
}

const TMetaClass &ThirdPartyList::StaticMetaClass() {
  return DefineClass<ThirdPartyList, TPersistent>("ThirdPartyList", [](TClassBuilder<ThirdPartyList> &c) {
    // The published order, which differs from the group order.
    for (int group : {tpEdits, tpButtons, tpBitBtns, tpCheckBoxes, tpGroupBoxes, tpListViews, tpPanels, tpGrids,
                      tpTreeViews, tpComboBoxes, tpWWEdits, tpVirtualTrees, tpGridEh})
      c.String(std::string(ThirdPartyPropertyName(group)),
               [group](ThirdPartyList &l, const std::string &text) { l.SetText(group, text); });
  });
}
