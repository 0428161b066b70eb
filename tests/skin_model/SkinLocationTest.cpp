#include <gtest/gtest.h>

#include <algorithm>

#include "TestSkins.h"
#include "skin/model/CommonSections.h"
#include "skin/model/SkinErrors.h"
#include "skin/model/SkinLoader.h"
#include "skin/model/SkinPaths.h"

namespace {

std::vector<uint8_t> OptionsWithColor(int color) {
  return Bytes("[GLOBALINFO]\r\nCOLOR=" + std::to_string(color) +
               "\r\nMASTERBITMAP=MASTER.BMP\r\n"
               "[EDIT]\r\nBORDERSMASK=!FRAME.BMP!3!1!0\r\n");
}

std::vector<uint8_t> PackWithColor(int color) {
  return PackOf({{"Options.dat", OptionsWithColor(color)},
                 {"Master.bmp", BitmapFile(20, 20)},
                 {"Frame.bmp", BitmapFile(18, 12)}});
}

class SkinLocations : public ::testing::Test {
protected:
  TempFolder folder;
  std::vector<TsStoredSkin> internal;
  SkinLoadSettings settings;

  void SetUp() override {
    TsStoredSkin stored;
    stored.Name = "BlueGauze (internal)";
    stored.Data = PackWithColor(1);
    internal.push_back(std::move(stored));
    TsStoredSkin second;
    second.Name = "Second";
    second.Data = PackWithColor(2);
    internal.push_back(std::move(second));
    settings.SkinDirectory = folder.Text();
    settings.SkinName = "BlueGauze (internal)";
    settings.ProgramFolder = "/nowhere/";
    settings.InternalSkins = internal;
  }
  void WriteFolderSkin(const std::string &name, int color) const {
    folder.Write(name + "/Options.dat", OptionsWithColor(color));
    // Names on disk in another case than the options file writes them.
    folder.Write(name + "/Master.bmp", BitmapFile(20, 20));
    folder.Write(name + "/frame.BMP", BitmapFile(18, 12));
  }
  int LoadedColor(const SkinLoadResult &result) const { return result.Skin->GlobalColor(); }
};

} // namespace

TEST(SkinDirectories, FullSkinDirectoryAgainstTheProgramFolder) {
  EXPECT_EQ(FullSkinDirectory("..\\skins", "C:\\App\\bin\\"), "C:\\App\\skins\\");
  EXPECT_EQ(FullSkinDirectory(".\\skins", "C:\\App\\"), "C:\\App\\skins\\");
  EXPECT_EQ(FullSkinDirectory("./skins/", "C:\\App\\"), "C:\\App\\skins\\");
  EXPECT_EQ(FullSkinDirectory("skins", "C:\\App\\"), "C:\\App\\skins\\");
  EXPECT_EQ(FullSkinDirectory("c:\\Skins", "C:\\App\\"), "c:\\Skins\\");
  EXPECT_EQ(FullSkinDirectory("c:/Skins/", "C:\\App\\"), "c:/Skins\\");
  EXPECT_EQ(FullSkinDirectory("\\\\server\\skins", "C:\\App\\"), "\\\\server\\skins\\");
  EXPECT_EQ(FullSkinDirectory("d", ""), "d:\\");
  EXPECT_EQ(AddSkinDirectoryBackslash("c:\\Skins\\"), "c:\\Skins\\");
  EXPECT_EQ(PackFilePath("c:\\Skins", "Blue"), "c:\\Skins\\Blue.tez");
  EXPECT_EQ(PackFilePath("c:\\Skins\\", "Blue"), "c:\\Skins\\Blue.tez");
}

TEST_F(SkinLocations, PackFileBeforeFolderBeforeInternalSkin) {
  WriteFolderSkin(settings.SkinName, 20);
  folder.Write(settings.SkinName + ".tez", PackWithColor(30));
  SkinLoadResult fromPack = LoadSkin(settings);
  EXPECT_EQ(LoadedColor(fromPack), 30);
  EXPECT_TRUE(fromPack.Skin->FromPack);
  EXPECT_EQ(fromPack.Skin->SkinData.SkinPath, FullSkinDirectory(settings.SkinDirectory, "") + "\\");

  std::filesystem::remove(folder.Path() / (settings.SkinName + ".tez"));
  SkinLoadResult fromFolder = LoadSkin(settings);
  EXPECT_EQ(LoadedColor(fromFolder), 20);
  EXPECT_FALSE(fromFolder.Skin->FromPack);
  EXPECT_EQ(fromFolder.Skin->SkinData.SkinPath,
            FullSkinDirectory(settings.SkinDirectory, "") + "\\" + settings.SkinName + "\\");
  EXPECT_EQ(fromFolder.Skin->MasterBitmap.Width(), 20);
  int frame = fromFolder.Skin->ImageIndexByName("EDIT", "BORDERSMASK");
  ASSERT_GE(frame, 0);
  EXPECT_EQ(fromFolder.Skin->BorderLeftWidth(frame), 2);

  std::filesystem::remove_all(folder.Path() / settings.SkinName);
  SkinLoadResult fromInternal = LoadSkin(settings);
  EXPECT_EQ(LoadedColor(fromInternal), 1);
  EXPECT_TRUE(fromInternal.Skin->FromPack);
  EXPECT_EQ(fromInternal.Skin->SkinData.SkinPath, "");
  EXPECT_EQ(fromInternal.SkinName, settings.SkinName);
}

TEST_F(SkinLocations, UnknownNameTakesTheFirstInternalSkin) {
  settings.SkinName = "Nothing";
  SkinLoadResult result = LoadSkin(settings);
  ASSERT_TRUE(result.Skin);
  EXPECT_EQ(result.SkinName, "BlueGauze (internal)");
  EXPECT_EQ(LoadedColor(result), 1);
  settings.SkinName = "Second";
  EXPECT_EQ(LoadedColor(LoadSkin(settings)), 2);
  settings.SkinName = "second"; // names of internal skins match exactly
  EXPECT_EQ(LoadedColor(LoadSkin(settings)), 1);
}

TEST_F(SkinLocations, NoSkinAtAllLeavesNoSkin) {
  settings.InternalSkins = {};
  SkinLoadResult result = LoadSkin(settings);
  EXPECT_FALSE(result.Skin);
  EXPECT_EQ(result.SkinName, settings.SkinName);
}

TEST_F(SkinLocations, BrokenPackFileIsAnErrorNotAFallback) {
  folder.Write(settings.SkinName + ".tez", Bytes("TEZF not a pack"));
  EXPECT_THROW(LoadSkin(settings), ENotSkinPack);
  auto pack = PackWithColor(3);
  pack.resize(pack.size() - 5);
  folder.Write(settings.SkinName + ".tez", pack);
  EXPECT_THROW(LoadSkin(settings), ESkinPackError);
}

TEST_F(SkinLocations, ListSkinsOfEveryKind) {
  folder.Write("Zeta.tez", PackWithColor(1));
  folder.Write("alpha.v2.tez", PackWithColor(1));
  folder.Write("Other.TEZ", PackWithColor(1));
  folder.Write(".hidden.tez", PackWithColor(1));
  WriteFolderSkin("beta", 1);
  folder.Write("NoOptions/readme.txt", Bytes("x"));
  std::vector<std::string> list;
  std::string first = ListSkins(list, SkinListKind::Both, settings);
  EXPECT_EQ(first, "BlueGauze (internal)");
  EXPECT_EQ(list, (std::vector<std::string>{"alpha", "beta", "BlueGauze (internal)", "Second", "Zeta"}));
  ListSkins(list, SkinListKind::Folders, settings);
  EXPECT_EQ(list, (std::vector<std::string>{"beta", "BlueGauze (internal)", "Second"}));
  settings.InternalSkins = {};
  first = ListSkins(list, SkinListKind::Packs, settings);
  EXPECT_EQ(list, (std::vector<std::string>{"alpha", "Zeta"}));
  EXPECT_TRUE(first == "alpha" || first == "Zeta");
}

TEST(SkinFiles, AFileAboveTheLimitIsRefusedBeforeItIsRead) {
  TempFolder folder;
  folder.Write("Big.bmp", std::vector<uint8_t>(10, 7));
  const std::string path = folder.Text() + "Big.bmp";
  EXPECT_EQ(ReadSkinFile(path, 10), std::vector<uint8_t>(10, 7));
  try {
    ReadSkinFile(path, 9);
    ADD_FAILURE() << "a file above the limit was read";
  } catch (const ESkinError &e) {
    EXPECT_NE(e.Message().find("is too large for a skin file (10 bytes)"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(ReadSkinFile(folder.Text() + "Missing.bmp", 10), EFOpenError);
  EXPECT_THROW(ReadSkinFile(folder.Text(), 1 << 20), EFOpenError); // a folder is no skin file
}

TEST(CommonSections, AddedToEverySkinUnlessTheSkinHasThem) {
  auto lines =
      RemoveBlanksFromCommonSections({"[EDIT]", "COLOR = 1", "[MyPanel]", "PARENTCLASS = edit", "TRANSPARENCY = 30",
                                      "; keep  blanks", "[Plain]", "GRADIENTDATA = 1;2;100;0;0"});
  EXPECT_EQ(lines[1], "COLOR=1");
  EXPECT_EQ(lines[5], "; keep  blanks");
  auto pack = PackOf({{"Options.dat", Bytes("[EDIT]\r\nCOLOR=16118514\r\nSHADOWBLUR=9\r\n")}});
  auto skin = LoadSkinFromPack(pack, "", lines);
  ASSERT_EQ(skin->GeneralData.size(), 3u);
  EXPECT_EQ(skin->GeneralData[0].Color, 16118514);
  const TsGeneralData &panel = skin->GeneralData[1];
  EXPECT_EQ(panel.SectionName, "MyPanel");
  EXPECT_EQ(panel.ParentClass, "EDIT");
  EXPECT_EQ(panel.Color, 16118514);
  EXPECT_EQ(panel.ShadowBlur, 9);
  EXPECT_EQ(panel.Transparency, 30);
  const TsGeneralData &plain = skin->GeneralData[2];
  EXPECT_EQ(plain.ParentClass, "-1");
  EXPECT_EQ(plain.Color, 0xFFFFFF);
  ASSERT_EQ(plain.GradientArray.size(), 1u);
}

TEST(CommonSections, PictureFilesRelativeToTheSkinPath) {
  TempFolder folder;
  folder.Write("Extra.bmp", BitmapFile(10, 6));
  folder.Write("Big.jpg", JpegFixture("gray299x300.jpg"));
  auto pack = PackOf(
      {{"Options.dat", Bytes("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n")}, {"Master.bmp", BitmapFile(40, 40)}});
  auto skin = LoadSkinFromPack(pack, folder.Text(),
                               {"[PANEL]", "BORDERSMASK=EXTRA.BMP", "GLYPH=#M(0,0,30,30)(3,1)", "PATTERN=big.jpg",
                                "[GLOBALINFO]", "CHECK=Extra.bmp"});
  int extra = skin->ImageIndexByName("PANEL", "BORDERSMASK");
  ASSERT_GE(extra, 0);
  EXPECT_EQ(skin->Masks[extra].Image->Width(), 10);
  EXPECT_GE(skin->ImageIndexByName("PANEL", "GLYPH"), 0);
  EXPECT_EQ(skin->ImageIndexByName("GLOBALINFO", "CHECK"), -1);
  ASSERT_EQ(skin->Patterns.size(), 1u); // a JPEG pattern whatever its size
  EXPECT_EQ(skin->Patterns[0].PropertyName, "PATTERN");
}

TEST(StoredSkins, CollectionsInsteadOfAPack) {
  TsStoredSkin stored;
  stored.Name = "Kept";
  TsSkinGeneral edit;
  edit.SectionName = "EDIT";
  edit.Color = 77;
  edit.FontColor = "1 2 3 4 5";
  edit.HotFontColor = "1 2";
  edit.GradientData = "1;2;100;1;0";
  stored.GeneralData.push_back(edit);
  TsSkinImage frame;
  frame.SectionName = "edit";
  frame.PropertyName = "BordersMask";
  frame.Right = 30;
  frame.Bottom = 12;
  stored.Images.push_back(frame);
  TsSkinImage pattern = frame;
  pattern.PropertyName = "PATTERN";
  pattern.StretchMode = 3;
  stored.Images.push_back(pattern);
  TsSkinPattern withPicture{"wood", "FORM", "PATTERN", std::make_shared<Image24>(5, 5)};
  TsSkinPattern borrowing{"wood", "FORM", "HOTPATTERN", nullptr};
  stored.Patterns = {borrowing, withPicture};
  std::vector<TsStoredSkin> internal;
  internal.push_back(std::move(stored));

  SkinLoadSettings settings;
  settings.SkinDirectory = "/nonexistent-skins";
  settings.SkinName = "Kept";
  settings.InternalSkins = internal;
  SkinLoadResult result = LoadSkin(settings);
  ASSERT_TRUE(result.Skin);
  const TsSkin &skin = *result.Skin;
  EXPECT_FALSE(skin.FromPack);
  EXPECT_EQ(skin.SkinData.Shadow1Blur, -1);
  EXPECT_EQ(skin.SkinData.BorderColor, 0xFF00FF);
  ASSERT_EQ(skin.GeneralData.size(), 1u);
  EXPECT_EQ(skin.GeneralData[0].FontColor, (std::array<TColor, 5>{1, 2, 3, 4, 5}));
  EXPECT_EQ(skin.GeneralData[0].HotFontColor, (std::array<TColor, 5>{0, -1, -1, -1, -1}));
  EXPECT_EQ(skin.GeneralData[0].GradientArray.size(), 1u);
  int mask = skin.ImageIndexByName("EDIT", "BORDERSMASK");
  ASSERT_GE(mask, 0);
  EXPECT_EQ(skin.Masks[mask].ImageCount, 3);
  EXPECT_EQ(skin.Masks[mask].MaskType, 1);
  EXPECT_EQ(skin.Masks[mask].WL, 3);
  EXPECT_EQ(skin.Masks[mask].WT, 2);
  int texture = skin.TextureIndex(0, "EDIT", "PATTERN");
  ASSERT_GE(texture, 0);
  EXPECT_EQ(skin.Masks[texture].StretchMode, 0);
  ASSERT_EQ(skin.Patterns.size(), 2u);
  EXPECT_EQ(skin.Patterns[0].Image->Width(), 5);
}
