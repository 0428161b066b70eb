#include <gtest/gtest.h>

#include "TestSkins.h"
#include "skin/model/SkinErrors.h"
#include "skin/model/SkinOptions.h"

TEST(SkinOptionsFile, SectionsAndKeysFoundWithoutCaseButKeptAsWritten) {
  SkinOptions o = SkinOptions::FromUtf8("[Button]\r\n  Color = 123  \r\nfontColor=4\r\n[EDIT]\nCOLOR=5\n");
  ASSERT_EQ(o.Sections().size(), 2u);
  EXPECT_EQ(o.Sections()[0].Name(), "Button");
  EXPECT_EQ(o.Sections()[0].Keys()[0].Key, "Color");
  EXPECT_EQ(o.Find("BUTTON", "COLOR").value_or("?"), "123");
  EXPECT_EQ(o.Find("button", "FontColor").value_or("?"), "4");
  EXPECT_EQ(o.Find("edit", "color").value_or("?"), "5");
  EXPECT_FALSE(o.Find("EDIT", "FONTCOLOR"));
  EXPECT_FALSE(o.Find("MISSING", "COLOR"));
  EXPECT_EQ(o.ReadString("EDIT", "X", "dflt"), "dflt");
}

TEST(SkinOptionsFile, CommentsBlankLinesAndStrayLinesAreIgnored) {
  SkinOptions o = SkinOptions::FromUtf8("KEY=outside\r\n; [NOTASECTION]\r\n\r\n[ A ]\r\nno equals sign\r\n=novalue\r\n"
                                        "EMPTY=\r\nURL=a=b\r\n;COMMENT=1\r\n[B");
  ASSERT_EQ(o.Sections().size(), 1u);
  EXPECT_EQ(o.Sections()[0].Name(), "A");
  ASSERT_EQ(o.Sections()[0].Keys().size(), 2u);
  EXPECT_EQ(o.Find("A", "EMPTY").value_or("?"), "");
  EXPECT_EQ(o.Find("A", "URL").value_or("?"), "a=b");
  EXPECT_FALSE(o.Find("A", "COMMENT"));
}

TEST(SkinOptionsFile, RepeatedSectionsAndKeys) {
  SkinOptions o = SkinOptions::FromUtf8("[A]\nX=1\n[B]\nY=2\n[a]\nX=3\nZ=4\n");
  ASSERT_EQ(o.Sections().size(), 2u);
  EXPECT_EQ(o.Sections()[0].Name(), "A");
  EXPECT_EQ(o.Find("A", "X").value_or("?"), "1");
  EXPECT_EQ(o.Find("A", "Z").value_or("?"), "4");
  EXPECT_EQ(o.Sections()[0].Keys().size(), 2u);
}

TEST(SkinOptionsFile, RepeatedKeysInALargeSectionKeepTheirFirstValue) {
  std::string text = "[BIG]\n";
  for (int i = 0; i < 100; ++i)
    text += "KEY" + std::to_string(i % 40) + "=" + std::to_string(i) + "\n";
  SkinOptions o = SkinOptions::FromUtf8(text);
  const auto &keys = o.Sections()[0].Keys();
  ASSERT_EQ(keys.size(), 40u);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(keys[i].Key, "KEY" + std::to_string(i));
    EXPECT_EQ(keys[i].Value, std::to_string(i));
  }
  EXPECT_EQ(o.Find("big", "key39").value_or("?"), "39");
}

TEST(SkinOptionsFile, Windows1251TextBecomesUtf8) {
  SkinOptions o = SkinOptions::FromCp1251(Bytes("[GLOBALINFO]\r\nAUTHOR=\xC0\xE2\xF2\xEE\xF0\r\n"));
  EXPECT_EQ(o.Find("GLOBALINFO", "AUTHOR").value_or("?"), "Автор");
}

TEST(SkinOptionsFile, OversizedTextIsRefused) {
  std::vector<uint8_t> huge(static_cast<size_t>(MaxOptionsFileSize) + 1, 'x');
  EXPECT_THROW(SkinOptions::FromCp1251(huge), ESkinError);
}

TEST(OptionValues, NumbersRealsAndBooleans) {
  EXPECT_EQ(ReadOptionInteger("-12"), -12);
  EXPECT_EQ(ReadOptionInteger("0x1F"), 31);
  EXPECT_EQ(ReadOptionInteger("0"), 0);
  EXPECT_EQ(ReadOptionInteger("1"), 1);
  EXPECT_EQ(ReadOptionInteger("-2147483648"), INT32_MIN);
  EXPECT_FALSE(ReadOptionInteger("2147483648"));
  EXPECT_EQ(ReadOptionInteger("0xFF00000F"), -16777201);
  EXPECT_EQ(ReadOptionInteger("+7"), 7);
  EXPECT_FALSE(ReadOptionInteger("12px"));
  EXPECT_FALSE(ReadOptionInteger(""));
  EXPECT_DOUBLE_EQ(ReadOptionReal("5.41"), 5.41);
  EXPECT_DOUBLE_EQ(ReadOptionReal("5,41"), 0);
  EXPECT_DOUBLE_EQ(ReadOptionReal("abc"), 0);
  EXPECT_TRUE(ReadOptionBoolean("true"));
  EXPECT_FALSE(ReadOptionBoolean("YES"));
}
