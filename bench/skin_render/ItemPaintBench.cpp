// One full item paint, as a control repaints its cache: the install button (75 x 21, "BUTTON", half
// see-through over the form) and a panel the size of the installer's client area (440 x 213, "FORM" with its
// woven pattern, and "PANEL", which shows the form through itself). The tick_% column is the share of the
// 10 ms animation tick that one paint takes.

#include <benchmark/benchmark.h>

#include "skin/model/SkinLoader.h"
#include "skin/model/SkinPack.h"
#include "skin/render/ItemPainting.h"

namespace {

std::unique_ptr<TsSkin> InternalSkin() {
  static const std::string folder = std::string(KELVORA_BLUEGAUZE_DIR) + "/";
  return LoadFolderSkin(folder + std::string(SkinOptionsMemberName), folder, {});
}

TsItemData Bound(const TsSkin &skin, const char *section, bool showsParent) {
  TsItemData data;
  data.Skin = &skin;
  data.SkinSection = section;
  ResolveIndexes(data);
  data.Parent.Exists = true;
  data.ShowsParent = showsParent;
  return data;
}

void PaintItem(benchmark::State &state, const char *section, int width, int height, int itemState, TPoint place) {
  const auto skin = InternalSkin();
  // The form's cache, which see-through items show.
  Image24 form(440, 213, RowOrder::BottomUp);
  PaintSkinItem(Bound(*skin, "FORM", false), TCacheInfo{}, true, 0, TRect{0, 0, 440, 213}, TPoint{}, form, true);
  const TsItemData item = Bound(*skin, section, true);
  Image24 cache(width, height, RowOrder::BottomUp);
  const TCacheInfo ci{&form, 0, 0, true};
  for (auto _ : state) {
    PaintSkinItem(item, ci, true, itemState, TRect{0, 0, width, height}, place, cache, true);
    benchmark::ClobberMemory();
  }
  state.counters["tick_%"] =
      benchmark::Counter(double(state.iterations()) * 1e-4, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The install button stands at (357, 18) of the form.
void BM_ButtonNormal(benchmark::State &state) { PaintItem(state, "BUTTON", 75, 21, 0, TPoint{357, 18}); }
void BM_ButtonActive(benchmark::State &state) { PaintItem(state, "BUTTON", 75, 21, 1, TPoint{357, 18}); }
void BM_FormPanel(benchmark::State &state) { PaintItem(state, "FORM", 440, 213, 0, TPoint{}); }
void BM_SeeThroughPanel(benchmark::State &state) { PaintItem(state, "PANEL", 440, 213, 0, TPoint{}); }

} // namespace

BENCHMARK(BM_ButtonNormal);
BENCHMARK(BM_ButtonActive);
BENCHMARK(BM_FormPanel);
BENCHMARK(BM_SeeThroughPanel);
