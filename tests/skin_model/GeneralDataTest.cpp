#include <gtest/gtest.h>

#include <algorithm>

#include "skin/model/GeneralDataReader.h"
#include "skin/model/SystemColors.h"

namespace {

const char *InheritanceOptions = R"([GLOBALINFO]
COLOR=14604248
FONTCOLOR=5391682
[SPEEDBUTTON_SMALL]
FONTCOLOR=5391682
TCLEFT=255
[SPLITTER]
PARENTCLASS=SPEEDBUTTON_SMALL
[PAGECONTROL]
FADINGITERATIONS=20
SHADOWCOLOR=255
[PAGECONTROLBOTTOM]
PARENTCLASS=PAGECONTROL
[TABCONTROLBOTTOM]
PARENTCLASS=PAGECONTROLBOTTOM
[PARENT50]
TRANSPARENCY=50
SHOWFOCUS=TRUE
GRADIENTDATA=1;2;50;0;0
[CHILD]
PARENTCLASS=parent50
TRANSPARENCY=-1
SHOWFOCUS=?
[EMPTYTEXT]
PARENTCLASS=PARENT50
GRADIENTDATA=
SHOWFOCUS=
[ORPHAN]
TRANSPARENCY=-1
SHOWFOCUS=?
[SELF]
PARENTCLASS=SELF
TRANSPARENCY=-1
[LOOPA]
PARENTCLASS=LOOPB
[LOOPB]
PARENTCLASS=loopa
[QUESTION]
PARENTCLASS=?
COLOR=-1
[NOTINT]
PARENTCLASS=PAGECONTROL
FADINGITERATIONS=twenty
[BEVELS]
BEVEL=7
HOTBEVEL=3
[COLORS]
COLOR=-16777201
HOTCOLOR=-16777201
BORDERCOLOR1=0x00FF00
)";

class GeneralData : public ::testing::Test {
protected:
  SkinOptions options = SkinOptions::FromUtf8(InheritanceOptions);
  TsGeneralDataArray records = ReadGeneralData(options, {});

  const TsGeneralData &Section(const std::string &name) {
    auto it =
        std::find_if(records.begin(), records.end(), [&](const TsGeneralData &g) { return g.SectionName == name; });
    EXPECT_NE(it, records.end()) << name;
    return *it;
  }
};

} // namespace

TEST_F(GeneralData, OneRecordPerSectionInFileOrder) {
  ASSERT_EQ(records.size(), options.Sections().size());
  EXPECT_EQ(records.front().SectionName, "GLOBALINFO");
  EXPECT_EQ(records.back().SectionName, "COLORS");
  EXPECT_EQ(Section("CHILD").ParentClass, "parent50");
}

TEST_F(GeneralData, ValuesComeFromParentsAndGrandparents) {
  EXPECT_EQ(Section("SPLITTER").FontColor[0], 5391682);
  EXPECT_EQ(Section("SPLITTER").FontColor[1], 255);
  EXPECT_EQ(Section("SPLITTER").FontColor[2], NoColor);
  EXPECT_EQ(Section("TABCONTROLBOTTOM").FadingIterations, 20);
  EXPECT_EQ(Section("NOTINT").FadingIterations, 20); // no integer counts as not given
}

TEST_F(GeneralData, MinusOneAndQuestionMarkNeverOverrideTheParent) {
  EXPECT_EQ(Section("CHILD").Transparency, 50);
  EXPECT_TRUE(Section("CHILD").ShowFocus);
  ASSERT_EQ(Section("CHILD").GradientArray.size(), 1u);
  EXPECT_EQ(Section("CHILD").GradientArray[0].Percent, 50);
  EXPECT_EQ(Section("ORPHAN").Transparency, 0);
  EXPECT_FALSE(Section("ORPHAN").ShowFocus);
}

TEST_F(GeneralData, AnEmptyTextIsAValueAndNotInherited) {
  EXPECT_EQ(Section("EMPTYTEXT").GradientData, "");
  EXPECT_TRUE(Section("EMPTYTEXT").GradientArray.empty());
  EXPECT_FALSE(Section("EMPTYTEXT").ShowFocus);
  EXPECT_EQ(Section("EMPTYTEXT").Transparency, 50);
}

TEST_F(GeneralData, DefaultsWhenNothingIsGiven) {
  const TsGeneralData &d = Section("QUESTION");
  EXPECT_EQ(d.Color, 0xFFFFFF);
  EXPECT_EQ(d.HotColor, 0xFFFFFF);
  EXPECT_EQ(d.ShadowBlur, 6);
  EXPECT_EQ(d.ShadowOffset, 3);
  EXPECT_EQ(d.ShadowTransparency, 50);
  EXPECT_EQ(d.FadingIntervalIn, 5);
  EXPECT_EQ(d.FadingIterations, 5);
  EXPECT_EQ(d.GradientData, " ");
  EXPECT_TRUE(d.GradientArray.empty());
  EXPECT_EQ(d.HotGradientData, "");
  EXPECT_EQ(d.FontColor[0], 0);
  EXPECT_EQ(d.HotFontColor[4], NoColor);
  EXPECT_FALSE(d.FadingEnabled);
}

TEST_F(GeneralData, SelfParentAndParentLoopsEndTheChain) {
  EXPECT_EQ(Section("SELF").Transparency, 0);
  EXPECT_EQ(Section("LOOPA").FadingIterations, 5);
  EXPECT_EQ(Section("LOOPB").Color, 0xFFFFFF);
}

TEST_F(GeneralData, ShadowColorIsNotInherited) {
  EXPECT_EQ(Section("PAGECONTROL").ShadowColor, 255);
  EXPECT_EQ(Section("PAGECONTROLBOTTOM").ShadowColor, 0);
}

TEST_F(GeneralData, BevelsOutOfRangeAreNone) {
  EXPECT_EQ(Section("BEVELS").Bevel, TsControlBevel::cbNone);
  EXPECT_EQ(Section("BEVELS").HotBevel, TsControlBevel::cbRaisedHard);
}

TEST_F(GeneralData, OnlyColorResolvesSystemColours) {
  EXPECT_EQ(Section("COLORS").Color, 0xF0F0F0); // the standard button face
  EXPECT_EQ(Section("COLORS").HotColor, SystemColorValue(15));
  EXPECT_EQ(Section("COLORS").BorderColor1, 0x00FF00);
  SetSystemColorLookup([](int index) { return index == 15 ? TColor{0x123456} : TColor{0}; });
  auto live = ReadGeneralData(options, {});
  SetSystemColorLookup(nullptr);
  EXPECT_EQ(live.back().Color, 0x123456);
}

TEST(GeneralDataErrors, BadGradientDataNamesSectionAndKey) {
  SkinOptions o = SkinOptions::FromUtf8("[A]\nGRADIENTDATA=1;2;x;0;0\n[B]\nHOTGRADIENTDATA=N/A\n");
  try {
    ReadGeneralData(o, {});
    FAIL();
  } catch (const ESkinOptionsError &e) {
    EXPECT_EQ(e.Section(), "A");
    EXPECT_EQ(e.Key(), "GRADIENTDATA");
  }
  std::vector<std::string> errors;
  SkinProblemHandler collect{[&](const ESkinError &e) { errors.push_back(e.Message()); }, {}};
  auto records = ReadGeneralData(o, collect);
  EXPECT_EQ(records.size(), 2u);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(records[1].HotGradientArray.empty());
}

TEST(SkinWideValues, ReadFromGlobalInfoWithDefaults) {
  SkinOptions o = SkinOptions::FromUtf8("[GLOBALINFO]\nVERSION=5.41\nAUTHOR=Someone\nBISPACE=2\nBORDERCOLOR=7\n"
                                        "SHADOW1COLOR=9\nSHADOW1OFFSET=3\n[OTHER]\nBISPACE=5\n");
  TsSkinData d;
  d.SkinPath = "kept\\";
  ReadSkinWideValues(o, d, {});
  EXPECT_DOUBLE_EQ(d.Version, 5.41);
  EXPECT_EQ(d.Author, "Someone");
  EXPECT_EQ(d.Description, "");
  EXPECT_EQ(d.BISpace, 2);
  EXPECT_EQ(d.BorderColor, 7);
  EXPECT_EQ(d.Shadow1Color, 9);
  EXPECT_EQ(d.Shadow1Offset, 3);
  EXPECT_EQ(d.Shadow1Blur, -1);
  EXPECT_EQ(d.Shadow1Transparency, 0);
  EXPECT_EQ(d.SkinPath, "kept\\");
}

TEST(SkinWideValues, StrictIntegersEndTheLoad) {
  for (const char *text : {"[GLOBALINFO]\nSHADOW1BLUR=soft\n", "[GLOBALINFO]\nSHADOW1TRANSPARENCY=\n"}) {
    TsSkinData d;
    EXPECT_THROW(ReadSkinWideValues(SkinOptions::FromUtf8(text), d, {}), ESkinOptionsError) << text;
  }
}

TEST(GeneralDataErrors, InheritedGradientsMatchTheParentAndBadOnesAreReportedForEachUser) {
  SkinOptions o = SkinOptions::FromUtf8("[P]\nGRADIENTDATA=1;2;30;1;0;3;4;70;0;0\n[C1]\nPARENTCLASS=P\n"
                                        "[C2]\nPARENTCLASS=C1\nHOTGRADIENTDATA=5;6;100;0;0\n"
                                        "[BADP]\nGRADIENTDATA=1;2;x;0;0\n[BADC]\nPARENTCLASS=BADP\n");
  std::vector<std::string> sections;
  SkinProblemHandler collect{[&](const ESkinError &e) {
                               const auto *options = dynamic_cast<const ESkinOptionsError *>(&e);
                               sections.push_back(options ? options->Section() : "?");
                             },
                             {}};
  const auto records = ReadGeneralData(o, collect);
  ASSERT_EQ(records.size(), 5u);
  for (size_t i : {1, 2}) {
    SCOPED_TRACE(records[i].SectionName);
    ASSERT_EQ(records[i].GradientArray.size(), 2u);
    EXPECT_EQ(records[i].GradientArray[1].StartColor, 3);
    EXPECT_EQ(records[i].GradientArray[1].Percent, 70);
    EXPECT_EQ(records[i].GradientArray[0].Mode, 1);
  }
  ASSERT_EQ(records[2].HotGradientArray.size(), 1u);
  EXPECT_EQ(records[2].HotGradientArray[0].EndColor, 6);
  EXPECT_TRUE(records[1].HotGradientArray.empty());
  EXPECT_TRUE(records[4].GradientArray.empty());
  EXPECT_EQ(sections, (std::vector<std::string>{"BADP", "BADC"}));
}
