// The skin viewer: what its command line accepts and refuses, the skins it shows, and its form painted a
// thousand times (handles held, one copy to the screen per paint); a timing mode for repaints and skin
// changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "skin/controls/win/SkinControls.h"
#include "skin/frame/win/SkinProvider.h"
#include "tools/Utf8Paths.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "tests/toolkit/UiTestSupport.h"
#include "tools/skinview/PreviewForm.h"
#include "tools/skinview/PreviewSkin.h"

namespace fs = std::filesystem;

namespace {

std::string ErrorOf(const std::function<void()> &action) {
  try {
    action();
  } catch (const Exception &e) {
    return e.Message();
  }
  return "no error";
}

class SkinViewTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    InitializeSkinControls();
  }
  SkinViewTest() { NewManager(); }
  ~SkinViewTest() override {
    if (form) form->Free();
    manager.reset();
  }
  void NewManager() {
    manager.reset();
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->AnimEffects().SkinChanging.Active = false;
  }
  void Apply(std::vector<std::string> args) {
    ApplyPreviewSkin(*manager, ParsePreviewArguments(args), BlueGauzePack());
  }
  void Show() {
    form = CreatePreviewForm("skinview");
    form->Show();
    PumpUntil([] { return false; }, 200);
  }
  void Repaint() {
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  std::unique_ptr<TsSkinManager> manager;
  TForm *form = nullptr;
};

TEST_F(SkinViewTest, BadArgumentsAndSkinsAreRefusedClearlyAndLeaveNoSkinInForce) {
  using Args = std::vector<std::string>;
  auto parse = [](Args args) { return ErrorOf([&] { ParsePreviewArguments(args); }); };
  EXPECT_NE(parse({"--hue"}).find("--hue needs a value"), std::string::npos);
  EXPECT_NE(parse({"--hue", "400"}).find("--hue"), std::string::npos);
  EXPECT_NE(parse({"--size", "3"}).find("Unknown option \"--size\""), std::string::npos);
  EXPECT_NE(parse({"a.tez", "b.tez"}).find("One skin at a time"), std::string::npos);

  const fs::path folder = fs::temp_directory_path() / "skinview test";
  fs::create_directories(folder);
  std::ofstream(folder / "Broken.tez", std::ios::binary) << "no pack at all";
  const std::string missing = PathToUtf8(folder / "Missing.tez");
  EXPECT_EQ(ErrorOf([&] { Apply({missing}); }),
            "The skin \"" + missing +
                "\" cannot be shown: it is no skin pack, no folder skin and not \"BlueGauze (internal)\"");
  EXPECT_NE(ErrorOf([&] { Apply({PathToUtf8(folder / "Broken.tez")}); }).find("is not packed"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { Apply({PathToUtf8(folder)}); }).find("no options file"), std::string::npos);
  EXPECT_FALSE(manager->SkinLoaded());
  fs::remove_all(folder);
}

TEST_F(SkinViewTest, APackAFolderAndTheInternalSkinAreShownRecolouredAsAsked) {
  const fs::path pack = fs::temp_directory_path() / "Packed Gauze.tez";
  std::ofstream(pack, std::ios::binary)
      .write(reinterpret_cast<const char *>(BlueGauzePack().data()), std::streamsize(BlueGauzePack().size()));
  Apply({PathToUtf8(pack)});
  EXPECT_EQ(manager->SkinName(), "Packed Gauze");
  const TColor packed = manager->GlobalColor();
  fs::remove(pack);

  NewManager();
  Apply({KELVORA_BLUEGAUZE_DIR, "--saturation", "-100"});
  EXPECT_EQ(manager->SkinName(), "BlueGauze");
  const TColor gray = manager->GlobalColor();
  EXPECT_EQ(RedOf(gray), GreenOf(gray));
  EXPECT_EQ(GreenOf(gray), BlueOf(gray));

  NewManager();
  Apply({"--hue", "180"});
  EXPECT_EQ(manager->SkinName(), "BlueGauze (internal)");
  EXPECT_NE(manager->GlobalColor(), packed);
  EXPECT_GT(RedOf(manager->GlobalColor()), BlueOf(manager->GlobalColor())); // blue turned to orange
}

TEST_F(SkinViewTest, AThousandPaintsOfTheFormHoldNoMoreHandlesAndEachPaintIsOneCopy) {
  Apply({});
  Show();
  ASSERT_TRUE(form->FindComponent<TsSkinProvider>("sSkinProvider1")->Skinned());
  for (int i = 0; i < 5; ++i)
    Repaint();
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD processBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i)
    Repaint();
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), processBefore + 2);

  // One paint of the whole form: the frame and the client background reach the screen in one copy of
  // each pixel, and each control that paints from a cache of its own in one copy of it.
  PumpUntil([] { return false; }, 100);
  std::vector<RECT> copies;
  SetFrameCopyWatch([&](HWND target, const RECT &r) {
    if (target == form->Handle()) copies.push_back(r);
  });
  Repaint();
  SetFrameCopyWatch(nullptr);
  RECT window;
  GetWindowRect(form->Handle(), &window);
  for (const POINT at : {POINT{0, 0}, POINT{form->Width() / 2, 10}, POINT{form->Width() - 1, form->Height() - 1},
                         POINT{form->Width() / 2, form->Height() / 2}}) {
    const auto covering = std::count_if(copies.begin(), copies.end(), [&](const RECT &r) { return PtInRect(&r, at); });
    EXPECT_EQ(covering, 1) << at.x << "," << at.y;
  }
  int area = 0;
  for (const RECT &r : copies)
    area += (r.right - r.left) * (r.bottom - r.top);
  EXPECT_EQ(area, (window.right - window.left) * (window.bottom - window.top));
  for (const char *name :
       {"sButton1", "sButton2", "sButton3", "sProgressBar1", "sProgressBar2", "sProgressBar3", "sProgressBar4"})
    EXPECT_EQ(DrawingRecordsOfOnePrint(form->FindComponent<TWinControl>(name)->Handle()),
              std::vector<DWORD>{EMR_BITBLT})
        << name;
}

// Timing mode (--gtest_also_run_disabled_tests --gtest_filter=*Timing*): a repaint of the whole form with
// its controls from warm caches against the same form unskinned, in alternating runs; and a full re-render
// of every cache after a skin change (the skin refreshed: every window renders anew and is redrawn), and a
// change of hue with the skin's reload, as shares of a 16 ms frame. Medians, which a busy machine disturbs
// least.
TEST_F(SkinViewTest, DISABLED_PreviewTiming) {
  Apply({});
  Show();
  constexpr int Rounds = 100;
  auto sample = [](std::vector<double> &into, const std::function<void()> &round) {
    for (int i = 0; i < Rounds; ++i) {
      const auto begin = std::chrono::steady_clock::now();
      round();
      into.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
    }
  };
  auto median = [](std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  };
  std::vector<double> skinned, plain, rerender, recolor;
  int hue = 0;
  for (int run = 0; run < 3; ++run) {
    manager->SetActive(true);
    manager->SetSkinName(std::string(PreviewInternalSkinName));
    sample(skinned, [&] { Repaint(); });
    // Both redraw every window they changed before they return.
    sample(rerender, [&] { manager->RefreshAll(); });
    sample(recolor, [&] { manager->SetHueOffset(hue = 10 - hue); });
    manager->SetActive(false);
    PumpUntil([] { return false; }, 50);
    sample(plain, [&] { Repaint(); });
  }
  const double s = median(skinned), p = median(plain), r = median(rerender), c = median(recolor);
  std::printf("preview form repaint %.3f ms skinned, %.3f ms unskinned (ratio %.2f)\n", s, p, s / p);
  std::printf("full re-render after a skin refresh %.3f ms (%.0f%% of a 16 ms frame); hue change with reload "
              "%.3f ms (%.0f%%)\n",
              r, 100 * r / 16, c, 100 * c / 16);
}

} // namespace
