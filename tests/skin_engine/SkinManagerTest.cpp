// The skin manager's properties and the order of its announcements, with a windows side that records
// what would reach the forms.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "skin/model/SkinErrors.h"
#include "skin/engine/SkinManager.h"
#include "skin/model/SkinPackWriter.h"
#include "skin/model/SkinPaths.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "toolkit/base/LayoutReader.h"
#include "toolkit/base/MetaClass.h"

namespace {

class SkinManagerTest : public ::testing::Test {
protected:
  SkinManagerTest() : windows_(InstallRecordingWindows()) {}
  ~SkinManagerTest() override { SetSkinWindowsFactory(nullptr); }

  std::unique_ptr<TsSkinManager> Manager(bool withInternalSkin = true) {
    auto manager = std::make_unique<TsSkinManager>(nullptr);
    if (withInternalSkin) AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
    return manager;
  }
  std::vector<std::string> &Calls() { return windows_->calls; }

  std::shared_ptr<RecordingLog> windows_;
};

TEST_F(SkinManagerTest, SettingSkinNameLoadsTheInternalSkinAndAnnouncesItInOrder) {
  auto manager = Manager();
  std::vector<std::string> events;
  manager->OnBeforeChange = [&](TObject *sender) {
    EXPECT_EQ(sender, manager.get());
    events.push_back("before");
    Calls().push_back("OnBeforeChange");
  };
  manager->OnAfterChange = [&](TObject *) {
    events.push_back("after");
    Calls().push_back("OnAfterChange");
  };
  manager->SetSkinName(InternalSkinName);

  EXPECT_EQ(Calls(), (std::vector<std::string>{"OnBeforeChange", "Freeze", "MenusChanged", "SKINSET", "DialogHook",
                                               "STOPFADE", "Freeze", "SKINREFRESH", "Thaw", "OnAfterChange"}));
  EXPECT_TRUE(windows_->appliedDuringSkinSet);
  EXPECT_FALSE(SkinApplying());
  EXPECT_FALSE(SkinChanging());
  ASSERT_NE(manager->Skin(), nullptr);
  EXPECT_TRUE(manager->SkinLoaded());
  EXPECT_EQ(manager->SkinInfo(), "5.41");
  EXPECT_GE(manager->SectionIndex("BUTTON"), 0);
  EXPECT_EQ(manager->SectionIndex("button"), -1);
  EXPECT_GE(manager->QuickIndexes().GlobalInfo, 0);

  // The same name again reloads and announces again, with both events.
  Calls().clear();
  manager->SetSkinName(InternalSkinName);
  EXPECT_EQ(std::count(Calls().begin(), Calls().end(), "SKINSET"), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "after", "before", "after"}));
  // The dialog hook is installed once.
  EXPECT_EQ(std::count(Calls().begin(), Calls().end(), "DialogHook"), 0);
}

TEST_F(SkinManagerTest, AnUnknownNameFallsBackToTheFirstInternalSkin) {
  auto manager = Manager();
  manager->SetSkinName("No such skin");
  EXPECT_EQ(manager->SkinName(), InternalSkinName);
  EXPECT_TRUE(manager->SkinLoaded());
}

TEST_F(SkinManagerTest, WithoutAnySkinTheManagerTurnsInactiveAndClearsTheWindows) {
  auto manager = Manager(false);
  manager->SetSkinName("No such skin");
  EXPECT_FALSE(manager->Active());
  EXPECT_EQ(manager->Skin(), nullptr);
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  EXPECT_EQ(Calls(), (std::vector<std::string>{"SKINCLEARED"}));
  EXPECT_TRUE(windows_->removingDuringSkinCleared);
}

TEST_F(SkinManagerTest, AFailedLoadKeepsTheSkinInForce) {
  auto manager = Manager();
  std::vector<uint8_t> broken = BlueGauzePack();
  broken.resize(broken.size() / 2);
  AddInternalSkin(*manager, "Broken", broken);
  manager->SetSkinName(InternalSkinName);
  const TsSkin *before = manager->Skin();
  bool afterChange = false;
  manager->OnAfterChange = [&](TObject *) { afterChange = true; };
  Calls().clear();

  EXPECT_THROW(manager->SetSkinName("Broken"), ESkinError);
  EXPECT_EQ(manager->Skin(), before);
  EXPECT_EQ(manager->SkinName(), InternalSkinName);
  EXPECT_TRUE(manager->SkinLoaded());
  EXPECT_FALSE(SkinChanging());
  EXPECT_FALSE(afterChange);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(SkinManagerTest, InactiveRemovesTheSkinAndActiveBringsItBack) {
  auto manager = Manager();
  manager->SetSkinName(InternalSkinName);
  Calls().clear();

  manager->SetActive(false);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"RemoveDialogHook", "SKINCLEARED"}));
  EXPECT_EQ(windows_->lastManager, manager.get());
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  EXPECT_EQ(manager->QuickIndexes().GlobalInfo, -1);
  EXPECT_EQ(manager->SectionIndex("BUTTON"), -1);

  // Setting the name while inactive only stores it.
  Calls().clear();
  manager->SetSkinName(InternalSkinName);
  EXPECT_TRUE(Calls().empty());

  manager->SetActive(true);
  EXPECT_EQ(std::count(Calls().begin(), Calls().end(), "SKINSET"), 1);
  EXPECT_EQ(manager->SkinInfo(), "5.41");
}

TEST_F(SkinManagerTest, RecolouringReloadsAndRefreshesWithoutTheChangeEvents) {
  std::vector<std::pair<int, int>> recolourings;
  SetSkinRecolorer([&](TsSkin &, int hue, int saturation) { recolourings.emplace_back(hue, saturation); });
  auto manager = Manager();
  manager->SetHueOffset(40); // no skin yet: stored only
  EXPECT_TRUE(recolourings.empty());
  EXPECT_TRUE(Calls().empty());

  manager->SetSkinName(InternalSkinName);
  ASSERT_EQ(recolourings.size(), 1u);
  EXPECT_EQ(recolourings[0], std::make_pair(40, 0));

  bool events = false;
  manager->OnBeforeChange = manager->OnAfterChange = [&](TObject *) { events = true; };
  const int16_t globalInfo = manager->QuickIndexes().GlobalInfo;
  Calls().clear();
  manager->SetSaturation(-100);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"STOPFADE", "Freeze", "SKINREFRESH", "Thaw"}));
  EXPECT_EQ(recolourings.back(), std::make_pair(40, -100));
  EXPECT_FALSE(events);
  EXPECT_TRUE(manager->SkinLoaded());
  EXPECT_EQ(manager->QuickIndexes().GlobalInfo, globalInfo);

  Calls().clear();
  manager->SetSaturation(-100); // the same value does nothing
  EXPECT_TRUE(Calls().empty());
  SetSkinRecolorer(nullptr);
}

TEST_F(SkinManagerTest, ThePackFileOfARelativeSkinDirectoryIsFoundBesideTheProgram) {
  const auto program = std::filesystem::temp_directory_path() / "kelvora-skinmgr-program";
  std::filesystem::remove_all(program);
  std::filesystem::create_directories(program / "Skins");
  std::vector<uint8_t> pack = BlueGauzePack();
  std::ofstream(program / "Skins" / "Packed.tez", std::ios::binary)
      .write(reinterpret_cast<const char *>(pack.data()), static_cast<std::streamsize>(pack.size()));
  windows_->programFolder = PathToUtf8(program) + "/";

  auto manager = Manager(false);
  EXPECT_EQ(manager->SkinDirectory(), "Skins");
  manager->SetSkinName("Packed");
  EXPECT_TRUE(manager->Active());
  ASSERT_NE(manager->Skin(), nullptr);
  EXPECT_TRUE(manager->Skin()->FromPack);
  EXPECT_EQ(manager->SkinName(), "Packed");
  std::filesystem::remove_all(program);
}

TEST_F(SkinManagerTest, TheFirstManagerIsTheDefaultUntilItGoes) {
  auto first = Manager(false);
  auto second = Manager(false);
  EXPECT_TRUE(first->IsDefault());
  EXPECT_FALSE(second->IsDefault());
  EXPECT_EQ(windows_->hooked, first.get());

  second->SetIsDefault(false); // another manager is the default: nothing changes
  EXPECT_EQ(DefaultManager(), first.get());
  second->SetIsDefault(true);
  EXPECT_EQ(DefaultManager(), second.get());
  EXPECT_EQ(windows_->hooked, second.get());
  second.reset();
  EXPECT_EQ(DefaultManager(), nullptr);
  EXPECT_EQ(windows_->hooked, nullptr);
}

TEST_F(SkinManagerTest, ButtonEventsOfTheDefaultManagerAreProcessWide) {
  auto first = Manager(false);
  auto second = Manager(false);
  first->AnimEffects().Buttons.SetEvents(0);
  EXPECT_EQ(ButtonEventMask(), 0u);
  second->AnimEffects().Buttons.SetEvents(1 << beMouseDown);
  EXPECT_EQ(ButtonEventMask(), 0u);
  EXPECT_EQ(second->AnimEffects().Buttons.Events(), 1u << beMouseDown);
  first->AnimEffects().Buttons.SetEvents(AllBtnEvents);
  EXPECT_EQ(ButtonEventMask(), AllBtnEvents);
  EXPECT_EQ(first->AnimEffects().DialogShow.Time, 100);
  EXPECT_EQ(first->AnimEffects().SkinChanging.Time, 100);
  EXPECT_EQ(first->AnimEffects().FormShow.Time, 0);
  EXPECT_TRUE(first->AnimEffects().PageChange.Active);
  EXPECT_EQ(first->Version(), "5.46");
}

TEST_F(SkinManagerTest, DestroyingTheManagerTakesTheSkinOffTheWindows) {
  auto manager = Manager();
  manager->SetSkinName(InternalSkinName);
  Calls().clear();
  manager.reset();
  EXPECT_EQ(Calls(), (std::vector<std::string>{"RemoveDialogHook", "SKINCLEARED", "UnhookApplication"}));
  EXPECT_TRUE(windows_->destroyingDuringSkinCleared);
}

// A stored layout: the internal skin comes before SkinName, so the skin is loaded while the form is read
// and announced once it has been read.
TEST_F(SkinManagerTest, AStoredLayoutLoadsTheSkinAndAnnouncesItAfterReading) {
  RegisterComponentClass(TsSkinManager::StaticMetaClass());
  std::string hex;
  for (uint8_t byte : BlueGauzePack()) {
    static const char digits[] = "0123456789ABCDEF";
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  const std::string layout = R"L(object Root : TComponent {
    object sSkinManager1 : TsSkinManager {
      AnimEffects.Buttons.Events = []
      AnimEffects.SkinChanging.Time = 50
      InternalSkins = collection {
        item { Name = "BlueGauze (internal)" Version = "5.41" Shadow1Color = clBlack Data = hex { )L" +
                             hex + R"L( } }
      }
      MenuSupport.ExtraLineFont.Name = "MS Sans Serif"
      MenuSupport.ExtraLineFont.Height = -11
      SkinDirectory = ""
      SkinName = "BlueGauze (internal)"
      SkinInfo = "5.41"
      ThirdParty.ThirdEdits = "TButton"
      ThirdParty.ThirdButtons = "TBitBtn"
    }
  })L";
  TComponent root(nullptr);
  LayoutReader::Read(root, layout);
  auto *manager = root.FindComponent<TsSkinManager>("sSkinManager1");
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(manager->IsDefault());
  EXPECT_EQ(ButtonEventMask(), 0u);
  EXPECT_EQ(manager->AnimEffects().SkinChanging.Time, 50);
  EXPECT_EQ(manager->SkinDirectory(), "Skins");
  EXPECT_EQ(manager->MenuSupport().IcoLineSkin, "ICOLINE");
  EXPECT_EQ(manager->SkinInfo(), "5.41");
  // Read while loading: one announcement then (no freezing of forms), one after reading (with it).
  EXPECT_EQ(Calls(),
            (std::vector<std::string>{"MenusChanged", "SKINSET", "DialogHook", "STOPFADE", "SKINREFRESH", "Freeze",
                                      "MenusChanged", "SKINSET", "STOPFADE", "Freeze", "SKINREFRESH", "Thaw"}));
  // The older layout of the third-party lists moved into its current places.
  EXPECT_EQ(manager->ThirdParty().Names(tpButtons), std::vector<std::string>{"TButton"});
  EXPECT_EQ(manager->ThirdParty().Names(tpBitBtns), std::vector<std::string>{"TBitBtn"});
  SetButtonEventMask(AllBtnEvents);
}

} // namespace
