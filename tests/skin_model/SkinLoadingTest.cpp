#include <gtest/gtest.h>

#include "TestSkins.h"
#include "skin/model/CommonSections.h"
#include "skin/model/QuickIndexes.h"
#include "skin/model/SkinLoader.h"

namespace {

const char *SampleOptions = "[GLOBALINFO]\r\n"
                            "VERSION=5.41\r\n"
                            "MASTERBITMAP=MASTER.BMP\r\n"
                            "COLOR=14604248\r\n"
                            "FONTCOLOR=5391682\r\n"
                            "HOTCOLOR=111\r\n"
                            "SUID=not read\r\n"
                            "BOXCHECKED=@0000@0000@0030@0010@3@0\r\n"
                            "BOXUNCHECKED=@0000@0010@0030@0020@3@0\r\n"
                            "[EDIT]\r\n"
                            "COLOR=16118514\r\n"
                            "BORDERSMASK=^0078^0048^0156^0099^0000^0000^0000^0000^1^0^1^1\r\n"
                            "PATTERN=~0000~0000~0010~0010~00\r\n"
                            "[COMBOBOX]\r\n"
                            "PARENTCLASS=EDIT\r\n"
                            "GLYPHMASK=@0000@0000@0010@0010@1@0\r\n"
                            "[PAGECONTROL]\r\n"
                            "BORDERSMASK=^0000^0000^0030^0030^0000^0000^0000^0000^1^0^1^0\r\n"
                            "[PAGECONTROLBOTTOM]\r\n"
                            "PARENTCLASS=PAGECONTROL\r\n"
                            "BORDERSMASK=^0000^0030^0030^0060^0000^0000^0000^0000^1^0^1^0\r\n"
                            "[TABCONTROLBOTTOM]\r\n"
                            "PARENTCLASS=PAGECONTROLBOTTOM\r\n"
                            "[BUTTON]\r\n"
                            "BORDERSMASK=^0000^0064^0018^0076^0000^0000^0000^0000^3^1^5^0\r\n"
                            "[BUTTON_HUGE]\r\n"
                            "BORDERSMASK=!BUTTONHUGE.BMP!3!1!0\r\n"
                            "[FORM]\r\n"
                            "PATTERN=wood.jpg\r\n"
                            "HOTPATTERN=Small.JPG\r\n"
                            "[COMBOBTN]\r\n"
                            "BORDERSMASK=^0000^0000^0009^0009^0000^0000^0000^0000^1^0^1^0\r\n"
                            "PATTERN=~0000~0000~0010~0010~00\r\n"
                            "HOTPATTERN=@0000@0000@0010@0010@1@0\r\n"
                            "[SCROLLBTNTOP]\r\n"
                            "PARENTCLASS=BUTTON\r\n"
                            "GLYPHMASK=@0000@0000@0010@0010@1@0\r\n"
                            "[LOOPA]\r\n"
                            "PARENTCLASS=LOOPB\r\n"
                            "[LOOPB]\r\n"
                            "PARENTCLASS=LOOPA\r\n";

std::vector<SkinPackMember> SampleMembers(const std::string &options = SampleOptions) {
  return {{"Options.dat", Bytes(options)},
          {"ButtonHuge.bmp", BitmapFile(288, 192)},
          {"Master.bmp", BitmapFile(156, 292, KeyColor)},
          {"Wood.jpg", JpegFixture("gray300x300.jpg")},
          {"Small.jpg", JpegFixture("gray299x300.jpg")}};
}

std::unique_ptr<TsSkin> SampleSkin() { return LoadSkinFromPack(PackOf(SampleMembers()), "", {}); }

class LoadedSkin : public ::testing::Test {
protected:
  static void SetUpTestSuite() { skin = SampleSkin().release(); }
  static void TearDownTestSuite() { delete skin; }
  static TsSkin *skin;
  int Section(const char *name) { return skin->SectionIndex(name); }
  int Image(const char *section, const char *key) { return skin->ImageIndex(Section(section), section, key); }
};
TsSkin *LoadedSkin::skin = nullptr;

} // namespace

TEST_F(LoadedSkin, RecordsOfEverySectionAndPicture) {
  EXPECT_TRUE(skin->FromPack);
  EXPECT_EQ(skin->SkinData.SkinPath, "");
  EXPECT_DOUBLE_EQ(skin->SkinData.Version, 5.41);
  ASSERT_EQ(skin->GeneralData.size(), 13u);
  EXPECT_EQ(skin->GeneralData.front().SectionName, "GLOBALINFO");
  EXPECT_EQ(skin->MasterBitmap.Width(), 156);
  EXPECT_EQ(skin->MasterBitmap.Height(), 292);
  // The master bitmap names no record of its own, nor does a key that holds plain text.
  EXPECT_EQ(skin->ImageIndexByName("GLOBALINFO", "MASTERBITMAP"), -1);
  EXPECT_EQ(skin->ImageIndexByName("GLOBALINFO", "SUID"), -1);
  EXPECT_EQ(skin->Masks.size(), 14u);
}

TEST_F(LoadedSkin, SectionNamesCompareWithCase) {
  EXPECT_EQ(Section("GLOBALINFO"), 0);
  EXPECT_EQ(Section("EDIT"), 1);
  EXPECT_EQ(Section("edit"), -1);
  EXPECT_EQ(Section(""), -1);
}

TEST_F(LoadedSkin, ImageIndexFallsBackToParents) {
  int pageBottom = skin->ImageIndexByName("PAGECONTROLBOTTOM", "BORDERSMASK");
  ASSERT_GE(pageBottom, 0);
  EXPECT_EQ(Image("TABCONTROLBOTTOM", "BORDERSMASK"), pageBottom);
  int edit = skin->ImageIndexByName("EDIT", "BORDERSMASK");
  EXPECT_EQ(Image("COMBOBOX", "BORDERSMASK"), edit);
  EXPECT_EQ(skin->ImageIndexByName("COMBOBOX", "BORDERSMASK"), -1);
  EXPECT_EQ(skin->ImageIndex(-1, "COMBOBOX", "BORDERSMASK"), -1);
  EXPECT_EQ(skin->ImageIndex(Section("COMBOBOX"), "", "BORDERSMASK"), -1);
  EXPECT_EQ(Image("LOOPA", "BORDERSMASK"), -1);
  EXPECT_EQ(Image("COMBOBOX", "bordersmask"), -1);
}

TEST_F(LoadedSkin, TextureIndexCountsTexturesOnly) {
  int texture = Image("COMBOBTN", "PATTERN");
  EXPECT_EQ(skin->TextureIndex(Section("COMBOBTN"), "COMBOBTN", "PATTERN"), texture);
  EXPECT_GE(Image("COMBOBTN", "HOTPATTERN"), 0);
  EXPECT_EQ(skin->TextureIndex(Section("COMBOBTN"), "COMBOBTN", "HOTPATTERN"), -1);
  EXPECT_EQ(skin->TextureIndex(Section("COMBOBOX"), "COMBOBOX", "PATTERN"), skin->ImageIndexByName("EDIT", "PATTERN"));
}

TEST_F(LoadedSkin, JpegPatternsBySize) {
  int form = Section("FORM");
  int pattern = skin->PatternIndex(form, "FORM", "PATTERN");
  ASSERT_EQ(pattern, 0);
  EXPECT_EQ(skin->Patterns[0].Image->Width(), 300);
  EXPECT_EQ(skin->PatternIndex(form, "FORM", "HOTPATTERN"), -1);
  int small = skin->TextureIndex(form, "FORM", "HOTPATTERN");
  ASSERT_GE(small, 0);
  const TsMaskData &m = skin->Masks[small];
  EXPECT_EQ(m.R, (TRect{0, 0, 0, 0}));
  ASSERT_TRUE(m.Image);
  EXPECT_EQ(m.Image->Width(), 299);
  EXPECT_EQ(m.ImageCount, 1);
}

TEST_F(LoadedSkin, OwnBitmapFromTheMemberOfThatName) {
  int huge = Image("BUTTON_HUGE", "BORDERSMASK");
  ASSERT_GE(huge, 0);
  const TsMaskData &m = skin->Masks[huge];
  ASSERT_TRUE(m.Image);
  EXPECT_EQ(m.Image->Width(), 288);
  EXPECT_EQ(m.Image->Height(), 192);
  EXPECT_EQ(skin->BorderLeftWidth(huge), 32);
  EXPECT_EQ(skin->BorderBottomWidth(huge), 32);
  EXPECT_EQ(skin->ImageFrameSize(huge).X, 96);
  EXPECT_EQ(skin->ImageFrameSize(huge).Y, 96);
}

TEST_F(LoadedSkin, BorderWidthsAndFrameSizes) {
  int edit = Image("EDIT", "BORDERSMASK");
  EXPECT_EQ(skin->BorderLeftWidth(edit), 1);
  EXPECT_EQ(skin->BorderTopWidth(edit), 1);
  int button = Image("BUTTON", "BORDERSMASK");
  EXPECT_EQ(skin->BorderRightWidth(button), 2);
  EXPECT_EQ(skin->BorderBottomWidth(button), 2);
  EXPECT_EQ(skin->ImageFrameSize(button).X, 6);
  EXPECT_EQ(skin->ImageFrameSize(button).Y, 6);
  EXPECT_EQ(skin->BorderLeftWidth(-1), 0);
  EXPECT_EQ(skin->ImageFrameSize(999).X, 0);
}

TEST(SkinLookups, BorderWidthFallbacks) {
  TsSkin skin;
  TsMaskData m;
  m.R = TRect{0, 0, 60, 40};
  m.ImageCount = 2;
  m.MaskType = 1;
  skin.Masks.push_back(std::move(m));
  EXPECT_EQ(skin.BorderLeftWidth(0), 10); // 60 div (2 * 3)
  EXPECT_EQ(skin.BorderTopWidth(0), 6);   // 40 div (2 * 3)
  skin.Masks[0].BorderWidth = 4;
  EXPECT_EQ(skin.BorderRightWidth(0), 4);
  skin.Masks[0].WR = 7;
  EXPECT_EQ(skin.BorderRightWidth(0), 7);
  EXPECT_EQ(skin.BorderLeftWidth(0), 4);
  skin.Masks[0].ImageCount = 0; // a record built by hand: still no division by zero
  skin.Masks[0].BorderWidth = 0;
  EXPECT_EQ(skin.BorderLeftWidth(0), 20);
  EXPECT_EQ(skin.ImageFrameSize(0).X, 60);
}

TEST_F(LoadedSkin, GlobalColours) {
  EXPECT_EQ(skin->GlobalColor(), 14604248);
  EXPECT_EQ(skin->GlobalFontColor(), 5391682);
  EXPECT_EQ(skin->GlobalHotColor(), 111);
  TsSkin none;
  EXPECT_EQ(none.GlobalColor(), 0xF0F0F0);
  EXPECT_EQ(none.GlobalFontColor(), KeyColor);
  EXPECT_EQ(none.GlobalHotColor(), 0xFFFFFF);
  EXPECT_EQ(none.SectionIndex("GLOBALINFO"), -1);
}

TEST_F(LoadedSkin, QuickIndexes) {
  TsQuickIndexes q = ComputeQuickIndexes(skin);
  EXPECT_EQ(q.GlobalInfo, 0);
  EXPECT_EQ(q.CheckBox[0], skin->ImageIndexByName("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(q.CheckBox[1], skin->ImageIndexByName("GLOBALINFO", "BOXUNCHECKED"));
  EXPECT_EQ(q.CheckBox[2], -1);
  EXPECT_EQ(q.ComboButton, Section("COMBOBTN"));
  EXPECT_EQ(q.ComboButtonBorder, skin->ImageIndexByName("COMBOBTN", "BORDERSMASK"));
  EXPECT_EQ(q.ComboButtonPattern, skin->ImageIndexByName("COMBOBTN", "PATTERN"));
  EXPECT_EQ(q.ComboButtonHotPattern, -1); // a glyph, not a texture
  EXPECT_EQ(q.ComboBoxGlyph, skin->ImageIndexByName("COMBOBOX", "GLYPHMASK"));
  EXPECT_EQ(q.ScrollButtons[0].Section, Section("SCROLLBTNTOP"));
  EXPECT_EQ(q.ScrollButtons[0].BordersMask, Image("BUTTON", "BORDERSMASK")); // through PARENTCLASS
  EXPECT_EQ(q.ScrollButtons[0].GlyphMask, skin->ImageIndexByName("SCROLLBTNTOP", "GLYPHMASK"));
  EXPECT_EQ(q.ScrollButtons[1].Section, -1);
  EXPECT_EQ(q.Tabs[0].BordersMask, -1);

  TsQuickIndexes removed = ComputeQuickIndexes(nullptr);
  EXPECT_EQ(removed.GlobalInfo, -1);
  EXPECT_EQ(removed.CheckBox[0], -1);
  EXPECT_EQ(removed.ComboButton, -1);
  EXPECT_EQ(removed.ScrollBars[3].HotPattern, -1);
}

TEST(SkinPictures, MasterBitmapNameIsMatchedAsWritten) {
  std::string options = SampleOptions;
  options.replace(options.find("MASTER.BMP"), 10, "Master.bmp");
  auto skin = LoadSkinFromPack(PackOf(SampleMembers(options)), "", {});
  EXPECT_TRUE(skin->MasterBitmap.Empty());
}

TEST(SkinPictures, MissingPicturesAddNoRecordButAreReported) {
  auto members =
      SampleMembers(std::string(SampleOptions) + "[EXTRA]\r\nBORDERSMASK=!GONE.BMP!3!1!0\r\nPATTERN=gone.jpg\r\n");
  auto skin = LoadSkinFromPack(PackOf(members), "", {});
  EXPECT_EQ(skin->ImageIndexByName("EXTRA", "BORDERSMASK"), -1);
  std::vector<std::string> missing;
  SkinProblemHandler report{{}, [&](const std::string &section, const std::string &key, const std::string &) {
                              missing.push_back(section + "/" + key);
                            }};
  LoadSkinFromPack(PackOf(members), "", {}, report);
  EXPECT_EQ(missing, (std::vector<std::string>{"EXTRA/BORDERSMASK", "EXTRA/PATTERN"}));
}

TEST(SkinPictures, BrokenPictureEndsTheLoadWithItsPlace) {
  auto members = SampleMembers();
  members[1].Data.resize(40); // "ButtonHuge.bmp" cut short
  try {
    LoadSkinFromPack(PackOf(members), "", {});
    FAIL();
  } catch (const ESkinOptionsError &e) {
    EXPECT_EQ(e.Section(), "BUTTON_HUGE");
    EXPECT_EQ(e.Key(), "BORDERSMASK");
  }
}

TEST(SkinPictures, PackWithoutOptionsOrMagicLoadsNothing) {
  EXPECT_THROW(LoadSkinFromPack(PackOf({{"Master.bmp", BitmapFile(4, 4)}}), "", {}), ESkinPackError);
  auto pack = PackOf(SampleMembers());
  pack[0] = 't';
  EXPECT_THROW(LoadSkinFromPack(pack, "", {}), ENotSkinPack);
}
