// The skin manager's properties and the order of its announcements, with a windows side that records
// what would reach the forms.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "skin/model/SkinErrors.h"
#include "skin/engine/FlagScope.h"
#include "skin/engine/SkinManager.h"
#include "skin/model/SkinPackWriter.h"
#include "tools/Utf8Paths.h"
#include "skin/model/SystemColors.h"
#include "skin/pixels/BitmapWriter.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "toolkit/base/LayoutReader.h"
#include "toolkit/base/MetaClass.h"

namespace {

class SkinManagerTest : public ::testing::Test {
protected:
  SkinManagerTest() : windows_(InstallRecordingWindows()) {}
  ~SkinManagerTest() override {
    SetSkinWindowsFactory(nullptr);
    SetManagerMenusFactory(nullptr);
  }

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
  // Animations keep still until the new skin has reached the windows.
  EXPECT_EQ(windows_->changingDuring, (std::vector<std::string>{"SKINSET", "STOPFADE", "SKINREFRESH"}));
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

TEST_F(SkinManagerTest, AnUnknownOrEmptyNameFallsBackToTheFirstInternalSkin) {
  auto manager = Manager();
  manager->SetSkinName("No such skin");
  EXPECT_EQ(manager->SkinName(), InternalSkinName);
  EXPECT_TRUE(manager->SkinLoaded());

  auto unnamed = Manager();
  unnamed->SetActive(false);
  Calls().clear();
  unnamed->SetActive(true);
  EXPECT_EQ(unnamed->SkinName(), InternalSkinName);
  EXPECT_TRUE(unnamed->SkinLoaded());
  EXPECT_EQ(std::count(Calls().begin(), Calls().end(), "SKINSET"), 1);
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

TEST_F(SkinManagerTest, DataThatIsNoSkinPackShowsAWarningAndKeepsTheSkin) {
  auto manager = Manager();
  std::vector<uint8_t> notPack = BlueGauzePack();
  notPack[0] = 't'; // "tEzf": the signature compares with case
  AddInternalSkin(*manager, "Not packed", notPack);
  manager->SetSkinName(InternalSkinName);
  const TsSkin *before = manager->Skin();
  std::vector<std::string> events;
  manager->OnBeforeChange = [&](TObject *) { events.push_back("before"); };
  manager->OnAfterChange = [&](TObject *) { events.push_back("after"); };
  Calls().clear();

  EXPECT_NO_THROW(manager->SetSkinName("Not packed"));
  EXPECT_EQ(windows_->warnings, std::vector<std::string>{"Loaded data is not packed Tessora file"});
  EXPECT_EQ(manager->Skin(), before);
  EXPECT_EQ(manager->SkinName(), InternalSkinName);
  EXPECT_TRUE(manager->SkinLoaded());
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
  EXPECT_FALSE(SkinChanging());
}

TEST_F(SkinManagerTest, InactiveRemovesTheSkinAndActiveBringsItBack) {
  auto manager = Manager();
  manager->SetSkinName(InternalSkinName);
  ASSERT_NE(manager->SkinableMenus(), nullptr);
  EXPECT_EQ(windows_->menuStateChanges, 1);
  // The menus follow the popup setting only when it changes.
  manager->SetSkinnedPopups(false);
  manager->SetSkinnedPopups(false);
  EXPECT_EQ(windows_->menuStateChanges, 2);
  Calls().clear();

  manager->SetActive(false);
  EXPECT_EQ(windows_->menuStateChanges, 3);
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

TEST_F(SkinManagerTest, ANewHueOrSaturationReloadsTheSkinInNewColoursAndRefreshesWithoutTheChangeEvents) {
  constexpr TColor OwnColor = 14604248; // GLOBALINFO COLOR of the internal skin
  auto manager = Manager();
  manager->SetHueOffset(90); // no skin yet: stored for the next load
  EXPECT_TRUE(Calls().empty());
  manager->SetSkinName(InternalSkinName);
  EXPECT_EQ(manager->GlobalColor(), RgbColor(222, 215, 217));
  EXPECT_EQ(manager->Skin()->SkinData.BorderColor, KeyColor); // "no border" stays so

  bool events = false;
  manager->OnBeforeChange = manager->OnAfterChange = [&](TObject *) { events = true; };
  const int16_t globalInfo = manager->QuickIndexes().GlobalInfo;
  Calls().clear();
  windows_->changingDuring.clear();
  manager->SetSaturation(-100);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"STOPFADE", "Freeze", "SKINREFRESH", "Thaw"}));
  EXPECT_TRUE(windows_->changingDuring.empty()); // the flag is down again before the refresh
  EXPECT_EQ(manager->GlobalColor(), RgbColor(218, 218, 218));
  EXPECT_FALSE(events);
  EXPECT_TRUE(manager->SkinLoaded());
  EXPECT_EQ(manager->QuickIndexes().GlobalInfo, globalInfo);

  // Back to 0 the skin shows its own colours again; the same value again does nothing.
  manager->SetHueOffset(0);
  manager->SetSaturation(0);
  EXPECT_EQ(manager->GlobalColor(), OwnColor);
  Calls().clear();
  manager->SetSaturation(0);
  EXPECT_TRUE(Calls().empty());

  // A reload that fails keeps the skin and the amount in force together.
  const TsSkin *before = manager->Skin();
  manager->InternalSkins().Items(0)->Skin.Data.resize(BlueGauzePack().size() / 2);
  EXPECT_THROW(manager->SetHueOffset(120), ESkinError);
  EXPECT_EQ(manager->HueOffset(), 0);
  EXPECT_EQ(manager->Skin(), before);
  EXPECT_TRUE(manager->SkinLoaded());
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

TEST_F(SkinManagerTest, TheManagerListsTheSkinsItCanLoadAndAnswersTheGlobalColours) {
  const auto program = std::filesystem::temp_directory_path() / "kelvora-skinmgr-list";
  std::filesystem::remove_all(program);
  std::filesystem::create_directories(program / "Skins" / "Folder");
  std::filesystem::create_directories(program / "Skins" / "NoOptions");
  std::ofstream(program / "Skins" / "Folder" / "Options.dat") << "[GLOBALINFO]\n";
  std::ofstream(program / "Skins" / "Packed.v2.tez") << "TEzf";
  windows_->programFolder = PathToUtf8(program) + "/";
  auto manager = Manager();
  EXPECT_EQ(manager->FullSkinDirectory(), windows_->programFolder + "Skins\\");

  std::vector<std::string> list;
  EXPECT_EQ(manager->ListSkins(list, SkinListKind::Both), InternalSkinName);
  EXPECT_EQ(list, (std::vector<std::string>{InternalSkinName, "Folder", "Packed"}));
  manager->ListSkins(list, SkinListKind::Packs);
  EXPECT_EQ(list, (std::vector<std::string>{InternalSkinName, "Packed"}));

  // Without a skin: the system's button face and window colours, and no font colour.
  EXPECT_EQ(manager->GlobalColor(), ResolveSystemColor(SystemColorValue(15)));
  EXPECT_EQ(manager->GlobalHotColor(), ResolveSystemColor(SystemColorValue(5)));
  EXPECT_EQ(manager->GlobalFontColor(), KeyColor);
  manager->SetSkinName(InternalSkinName);
  EXPECT_EQ(manager->GlobalColor(), TColor(14604248));
  EXPECT_EQ(manager->GlobalFontColor(), TColor(5391682));
  EXPECT_EQ(manager->GlobalHotColor(), TColor(16644856));
  std::filesystem::remove_all(program);
}

std::string Hex(const std::vector<uint8_t> &bytes) {
  std::string hex;
  for (uint8_t byte : bytes) {
    static const char digits[] = "0123456789ABCDEF";
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

// The root of the stored layouts below, with the handler that a manager's event names.
class TSkinnedRoot : public TComponent {
  TK_CLASS(TSkinnedRoot)
public:
  explicit TSkinnedRoot(TComponent *owner) : TComponent(owner) {}
  void ExtraLine(TComponent *, std::string &section, bool &show, Image24 &, std::string &text) {
    section = "MENUEXTRA";
    show = true;
    text = "Kelvora";
  }
};

const TMetaClass &TSkinnedRoot::StaticMetaClass() {
  return DefineClass<TSkinnedRoot, TComponent>(
      "TSkinnedRoot", [](TClassBuilder<TSkinnedRoot> &c) { c.Handler("ExtraLine", &TSkinnedRoot::ExtraLine); });
}

// A stored layout: the internal skin comes before SkinName, so the skin is loaded while the form is read
// and announced once it has been read.
TEST_F(SkinManagerTest, AStoredLayoutLoadsTheSkinAndAnnouncesItAfterReading) {
  RegisterComponentClass(TsSkinManager::StaticMetaClass());
  const std::string hex = Hex(BlueGauzePack());
  const std::string layout = R"L(object Root : TSkinnedRoot {
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
      OnGetMenuExtraLineData = ExtraLine
    }
  })L";
  TSkinnedRoot root(nullptr);
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

  // The skinned menus ask the application's handler for the extra line.
  ASSERT_TRUE(manager->OnGetMenuExtraLineData);
  std::string section, text;
  bool show = false;
  Image24 picture;
  manager->OnGetMenuExtraLineData(nullptr, section, show, picture, text);
  EXPECT_EQ(section, "MENUEXTRA");
  EXPECT_TRUE(show);
  EXPECT_EQ(text, "Kelvora");
}

// An internal skin kept as collections and a master bitmap rather than a pack; the title button spacing
// (which collections do not carry) stays that of the skin before.
TEST_F(SkinManagerTest, AStoredLayoutCarriesAnInternalSkinAsCollections) {
  RegisterComponentClass(TsSkinManager::StaticMetaClass());
  Image24 master(12, 4);
  master.Fill(0x336699);
  const std::string layout = R"L(object Root : TSkinnedRoot {
    object sSkinManager1 : TsSkinManager {
      InternalSkins = collection {
        item { Name = "BlueGauze (internal)" Data = hex { )L" +
                             Hex(BlueGauzePack()) + R"L( } }
        item {
          Name = "Listed"
          Version = "5.2"
          MasterBitmap = hex { )L" +
                             Hex(WriteBitmap24(master)) + R"L( }
          GeneralData = collection {
            item { SectionName = "GLOBALINFO" Color = 255 FontColor = "65280 -1 -1 -1 -1" }
            item { SectionName = "BUTTON" Color = 16711680 GradientPercent = 40 GradientData = "N/A" }
          }
          Images = collection {
            item { SectionName = "button" PropertyName = "BordersMask" Right = 12 Bottom = 4 ImageCount = 0
                   ImgType = itisaBorder }
          }
        }
      }
      SkinName = "BlueGauze (internal)"
    }
  })L";
  TSkinnedRoot root(nullptr);
  LayoutReader::Read(root, layout);
  auto *manager = root.FindComponent<TsSkinManager>("sSkinManager1");
  ASSERT_NE(manager, nullptr);
  ASSERT_EQ(manager->Skin()->SkinData.BISpace, 1);

  manager->SetSkinName("Listed");
  const TsSkin *skin = manager->Skin();
  ASSERT_NE(skin, nullptr);
  EXPECT_FALSE(skin->FromPack);
  EXPECT_EQ(manager->SkinInfo(), "5.2");
  EXPECT_EQ(manager->GlobalColor(), TColor(255));
  EXPECT_EQ(manager->GlobalFontColor(), TColor(65280));
  const int button = manager->SectionIndex("BUTTON");
  ASSERT_GE(button, 0);
  EXPECT_EQ(skin->GeneralData[button].GradientPercent, 40);
  EXPECT_TRUE(skin->GeneralData[button].GradientArray.empty());
  EXPECT_EQ(skin->MasterBitmap.Width(), 12);
  EXPECT_EQ(skin->MasterBitmap.Pixel(5, 2), TColor(0x336699));
  const int mask = manager->ImageIndex(button, "BUTTON", "BORDERSMASK");
  ASSERT_GE(mask, 0);
  EXPECT_EQ(skin->Masks[mask].ImageCount, 3); // a stored count of 0 means three masked frames
  EXPECT_EQ(skin->Masks[mask].MaskType, 1);
  EXPECT_EQ(skin->SkinData.BISpace, 1);
}

// The manager's change and removal flags nest (a removal inside a change): the inner scope must leave the
// outer one's flag raised, also when it is left by an exception.
TEST(FlagScope, ANestedScopeLeavesTheFlagAsTheOuterOneSetIt) {
  bool flag = false;
  {
    FlagScope outer(flag);
    try {
      FlagScope inner(flag);
      throw std::runtime_error("left early");
    } catch (const std::runtime_error &) {
    }
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);
}

} // namespace
