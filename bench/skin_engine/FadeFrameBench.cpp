// One fade frame (a copy of the old look blended with the new one) against one full item paint of the same
// control: the install button (75 x 21, "BUTTON" over the form) and a panel of the installer's client size
// (440 x 213, "FORM"). The tick_% column is the share of the 10 ms fade tick that one takes. The copy of the
// frame to the window needs GDI: the Windows test program's timing mode measures the whole frame.

#include <benchmark/benchmark.h>

#include "skin/model/SkinLoader.h"
#include "skin/model/SkinPack.h"
#include "skin/pixels/Blending.h"
#include "skin/engine/FadeSteps.h"
#include "skin/render/ItemPainting.h"

namespace {

const TsSkin &InternalSkin() {
  static const std::string folder = std::string(KELVORA_BLUEGAUZE_DIR) + "/";
  static const auto skin = LoadFolderSkin(folder + std::string(SkinOptionsMemberName), folder, {});
  return *skin;
}

TsItemData Bound(const char *section) {
  TsItemData data;
  data.Skin = &InternalSkin();
  data.SkinSection = section;
  ResolveIndexes(data);
  data.Parent.Exists = true;
  return data;
}

struct Control {
  const char *section;
  int width, height;
  TPoint place;
};

const Control Button{"BUTTON", 75, 21, {357, 18}};
const Control Panel{"FORM", 440, 213, {0, 0}};

// The form's cache, which see-through items show.
const Image24 &FormCache() {
  static const Image24 form = [] {
    Image24 image(440, 213, RowOrder::BottomUp);
    PaintSkinItem(Bound("FORM"), TCacheInfo{}, true, 0, TRect{0, 0, 440, 213}, TPoint{}, image, true);
    return image;
  }();
  return form;
}

Image24 Painted(const Control &c, int state) {
  Image24 cache(c.width, c.height, RowOrder::BottomUp);
  PaintSkinItem(Bound(c.section), TCacheInfo{&FormCache(), 0, 0, true}, true, state, TRect{0, 0, c.width, c.height},
                c.place, cache, true);
  return cache;
}

void ShareOfTick(benchmark::State &state) {
  state.counters["tick_%"] = benchmark::Counter(double(state.iterations()) * 1e-4 * FadeIntervalMs / 10,
                                                benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void FadeFrame(benchmark::State &state, const Control &c) {
  const Image24 before = Painted(c, 0), after = Painted(c, 1);
  int step = 1;
  for (auto _ : state) {
    Image24 frame = before.Clone();
    BlendImage(frame, after, FadeWeight(step, 20));
    benchmark::DoNotOptimize(frame.Row0());
    step = step % 19 + 1;
  }
  ShareOfTick(state);
}

void ItemPaint(benchmark::State &state, const Control &c) {
  const TsItemData item = Bound(c.section);
  Image24 cache(c.width, c.height, RowOrder::BottomUp);
  const TCacheInfo ci{&FormCache(), 0, 0, true};
  for (auto _ : state) {
    PaintSkinItem(item, ci, true, 1, TRect{0, 0, c.width, c.height}, c.place, cache, true);
    benchmark::ClobberMemory();
  }
  ShareOfTick(state);
}

void BM_ButtonFadeFrame(benchmark::State &state) { FadeFrame(state, Button); }
void BM_ButtonItemPaint(benchmark::State &state) { ItemPaint(state, Button); }
void BM_PanelFadeFrame(benchmark::State &state) { FadeFrame(state, Panel); }
void BM_PanelItemPaint(benchmark::State &state) { ItemPaint(state, Panel); }

} // namespace

BENCHMARK(BM_ButtonFadeFrame);
BENCHMARK(BM_ButtonItemPaint);
BENCHMARK(BM_PanelFadeFrame);
BENCHMARK(BM_PanelItemPaint);
