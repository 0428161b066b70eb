#include <gtest/gtest.h>

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"

using namespace text;

TEST(TextConversion, Cp1251RoundTripsCyrillicThroughUtf8) {
  std::string cp1251 = "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0 \xA8\xB8 \xB9"; // "Установка Ёё №"
  std::string utf8 = Cp1251ToUtf8(cp1251);
  EXPECT_EQ(utf8, "Установка Ёё №");
  EXPECT_EQ(Utf8ToCp1251(utf8), cp1251);
}

TEST(TextConversion, CharactersOutsideCp1251BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xAC"
                         "b\xE4\xB8\xAD"),
            "a\x88"
            "b?");
}

TEST(TextConversion, Utf16HandlesSurrogatesAndMalformedInput) {
  std::u16string wide = Utf8ToUtf16("Я\xF0\x9F\x98\x80");
  ASSERT_EQ(wide.size(), 3u);
  EXPECT_EQ(wide[0], u'Я');
  EXPECT_EQ(Utf16ToUtf8(wide), "Я\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD"); // cut-off sequence
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextCompare, AsciiOnlyCaseFolding) {
  EXPECT_EQ(UpperCase("Kelvora_exe"), "KELVORA_EXE");
  EXPECT_TRUE(SameText("iKeyAPI_dll", "IKEYAPI_DLL"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(TextNumbers, DecimalHexAndFailures) {
  EXPECT_EQ(StrToInt(" 42 "), 42);
  EXPECT_EQ(StrToInt("-98"), -98);
  EXPECT_EQ(StrToInt("0xFF00FF"), 0xFF00FF);
  EXPECT_EQ(StrToInt("$10"), 16);
  EXPECT_EQ(static_cast<unsigned>(StrToInt("0xFF00000F")), 0xFF00000Fu);
  EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
  EXPECT_THROW(StrToInt("12a"), EConvertError);
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_EQ(StrToIntDef("x", -1), -1);
}

TEST(ErrorTexts, InOutErrorsByCode) {
  EXPECT_EQ(EInOutError(3).Message(), "Invalid filename");
  EXPECT_EQ(EInOutError(101).Message(), "Disk full");
  EXPECT_EQ(EInOutError(183).Message(), "I/O error 183");
  EXPECT_EQ(EOleSysError(0x80004002u, "").Message(), "OLE error 80004002");
  EXPECT_EQ(EOleSysError(0x1Au, "").Message(), "OLE error 0000001a");
  EXPECT_EQ(EOleSysError(1, "No such interface supported").Message(), "No such interface supported");
  EXPECT_EQ(EFCreateError("C:\\a.txt", "Access is denied").Message(),
            "Cannot create file \"C:\\a.txt\". Access is denied");
  EXPECT_EQ(EResNotFound("Kelvora_exe").Message(), "Resource Kelvora_exe not found");
}
