// The internal skin "BlueGauze" as the build packs it: every section and picture that the painters read
// resolves, and the values the installer window rests on are what its records hold.
#include <gtest/gtest.h>

#include <filesystem>

#include "skin/model/QuickIndexes.h"
#include "skin/model/SkinLoader.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPaths.h"
#include "tools/Utf8Paths.h"
#include "tools/skinpack/SkinPackTool.h"
#include "tools/skinpack/SkinValidation.h"

namespace {

const std::filesystem::path Folder = KELVORA_BLUEGAUZE_DIR;

class InternalSkin : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(Folder / "Options.dat")) return;
    packFile = new std::string(PathToUtf8(std::filesystem::temp_directory_path() / "skindata-bluegauze-test.tez"));
    PackFolder(PathToUtf8(Folder), *packFile);
    pack = new std::vector<uint8_t>(ReadSkinFile(*packFile, 1 << 24));
    skin = LoadSkinFromPack(*pack, "", {}).release();
  }
  static void TearDownTestSuite() {
    delete skin;
    delete pack;
    if (packFile) std::filesystem::remove(PathFromUtf8(*packFile));
    delete packFile;
  }
  void SetUp() override {
    if (!skin) GTEST_SKIP() << "no internal skin at " << Folder;
  }

  static const TsGeneralData &Section(const char *name) {
    int index = skin->SectionIndex(name);
    EXPECT_GE(index, 0) << name;
    return skin->GeneralData.at(static_cast<size_t>(std::max(index, 0)));
  }
  static int Image(const char *section, const char *key) {
    return skin->ImageIndex(skin->SectionIndex(section), section, key);
  }

  static inline std::string *packFile = nullptr;
  static inline std::vector<uint8_t> *pack = nullptr;
  static inline TsSkin *skin = nullptr;
};

} // namespace

TEST_F(InternalSkin, PackHoldsTheOptionsAndTwoEightBitPictures) {
  TacSkinConvertor unpacker;
  unpacker.Unpack(*pack);
  ASSERT_EQ(unpacker.Members().size(), 3u);
  EXPECT_EQ(unpacker.Members()[0].Name, "Options.dat");
  EXPECT_EQ(unpacker.Members()[0].DataOffset, 27);
  EXPECT_EQ(unpacker.Members().back().EndOffset, static_cast<int64_t>(pack->size()));
  const TacImageItem *huge = unpacker.FindImage("BUTTONHUGE.BMP");
  const TacImageItem *master = unpacker.FindImage("MASTER.BMP");
  ASSERT_TRUE(huge && master);
  EXPECT_EQ(huge->Data.size(), 56374u);
  EXPECT_EQ(master->Data.size(), 46630u);
  EXPECT_EQ(huge->Data[28], 8); // bits per pixel
  EXPECT_EQ(master->Data[28], 8);
  EXPECT_TRUE(ValidateSkin(*packFile).empty());
}

TEST_F(InternalSkin, SectionsInFileOrder) {
  ASSERT_EQ(skin->GeneralData.size(), 65u);
  EXPECT_EQ(skin->GeneralData.front().SectionName, "GLOBALINFO");
  EXPECT_EQ(skin->GeneralData.back().SectionName, "UPDOWNBTN");
  EXPECT_EQ(skin->SectionIndex("edit"), -1);
  EXPECT_DOUBLE_EQ(skin->SkinData.Version, 5.41);
  EXPECT_EQ(skin->MasterBitmap.Width(), 156);
  EXPECT_EQ(skin->MasterBitmap.Height(), 292);
}

TEST_F(InternalSkin, ValuesTheInstallerWindowRestsOn) {
  EXPECT_EQ(skin->GlobalColor(), 14604248);
  EXPECT_EQ(skin->GlobalFontColor(), 5391682);
  const TsGeneralData &form = Section("FORM");
  EXPECT_EQ(form.Color, 14675954);
  EXPECT_EQ(form.ImagePercent, 100);
  EXPECT_GE(skin->TextureIndex(skin->SectionIndex("FORM"), "FORM", "PATTERN"), 0);
  const TsGeneralData &title = Section("FORMTITLE");
  ASSERT_EQ(title.GradientArray.size(), 4u);
  EXPECT_EQ(title.GradientArray[0].Mode, 0);
  const TsGeneralData &button = Section("BUTTON");
  EXPECT_EQ(button.GradientPercent, 100);
  EXPECT_EQ(button.Transparency, 50);
  EXPECT_TRUE(button.FadingEnabled);
  EXPECT_EQ(button.FadingIterations, 20);
  int buttonMask = Image("BUTTON", "BORDERSMASK");
  ASSERT_GE(buttonMask, 0);
  EXPECT_EQ(skin->Masks[buttonMask].ImageCount, 3);
  EXPECT_EQ(Section("EDIT").Color, 16118514);
  EXPECT_GE(Image("EDIT", "BORDERSMASK"), 0);
  EXPECT_EQ(Section("GAUGE").ImagePercent, 100);
  EXPECT_GE(skin->TextureIndex(skin->SectionIndex("GAUGE"), "GAUGE", "PATTERN"), 0);
  EXPECT_GE(Image("GAUGE", "BORDERSMASK"), 0);
  EXPECT_GE(skin->SectionIndex("ICOLINE"), 0);
}

TEST_F(InternalSkin, ExamplesOfTheDataModel) {
  const TsMaskData &edit = skin->Masks[Image("EDIT", "BORDERSMASK")];
  EXPECT_EQ(edit.BorderWidth, 1);
  EXPECT_EQ(edit.WL + edit.WT + edit.WR + edit.WB, 4);
  const TsMaskData &button = skin->Masks[Image("BUTTON", "BORDERSMASK")];
  EXPECT_EQ(button.R, (TRect{0, 64, 18, 76}));
  EXPECT_EQ(button.StretchMode, 5);
  EXPECT_EQ(button.WL, 2);
  EXPECT_EQ(button.WT, 2);
  int huge = Image("BUTTON_HUGE", "BORDERSMASK");
  ASSERT_GE(huge, 0);
  ASSERT_TRUE(skin->Masks[huge].Image);
  EXPECT_EQ(skin->Masks[huge].Image->Width(), 288);
  EXPECT_EQ(skin->Masks[huge].Image->Height(), 192);
  EXPECT_EQ(skin->Masks[huge].WL, 32);
  EXPECT_EQ(skin->Masks[huge].WT, 32);
  EXPECT_EQ(Section("SPLITTER").FontColor[0], 5391682);
  EXPECT_EQ(Section("TABCONTROLBOTTOM").FadingIterations, 20);
  EXPECT_EQ(Image("TABCONTROLBOTTOM", "BORDERSMASK"), skin->ImageIndexByName("PAGECONTROLBOTTOM", "BORDERSMASK"));
  const TsMaskData &grip = skin->Masks[Image("GRIPH", "PATTERN")];
  EXPECT_EQ(grip.StretchMode, 10);
  EXPECT_EQ(grip.MaskType, 1);
}

TEST_F(InternalSkin, EveryPictureThePaintersReadResolves) {
  for (const char *key : {"BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED", "SMALLCHECKED",
                          "SMALLUNCHECKED", "SMALLGRAYED", "CHECK", "GRIPIMAGE", "BICONCLOSE", "BICONHELP", "BICONMAX",
                          "BICONMIN", "BICONNORM", "TITLEBUTTON"})
    EXPECT_GE(Image("GLOBALINFO", key), 0) << key;
  for (const char *key : {"BICONCLOSE", "BICONMIN", "BICONMAX", "BICONNORM", "BICONHELP", "TITLEBUTTON", "GRIPIMAGE"})
    EXPECT_GE(Image("FORM", key), 0) << key;
  for (const char *key : {"SLIDERCHANNEL", "SLIDERMASK", "SLIDERVMASK", "TICKHORZ", "TICKVERT"})
    EXPECT_GE(Image("TRACKBAR", key), 0) << key;

  TsQuickIndexes q = ComputeQuickIndexes(skin);
  EXPECT_GE(q.GlobalInfo, 0);
  EXPECT_GE(q.ComboButton, 0);
  EXPECT_GE(q.ComboButtonBorder, 0);
  for (const auto &tab : q.Tabs)
    EXPECT_GE(tab.BordersMask, 0);
  for (const auto &button : q.ScrollButtons) {
    EXPECT_GE(button.BordersMask, 0);
    EXPECT_GE(button.GlyphMask, 0);
  }
  for (const auto &slider : q.ScrollSliders)
    EXPECT_GE(slider.BordersMask, 0);
  for (const auto &bar : q.ScrollBars)
    EXPECT_GE(bar.BordersMask, 0);
}

TEST_F(InternalSkin, MasterBitmapRectanglesLieInsideIt) {
  for (const auto &m : skin->Masks) {
    if (m.Image) continue;
    EXPECT_TRUE(m.R.Left >= 0 && m.R.Top >= 0 && m.R.Left < m.R.Right && m.R.Top < m.R.Bottom &&
                m.R.Right <= skin->MasterBitmap.Width() && m.R.Bottom <= skin->MasterBitmap.Height())
        << m.SectionName << " " << m.PropertyName;
  }
}
