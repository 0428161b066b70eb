#pragma once
// Text conversions and the ASCII-only comparisons the skin files and command line rely on.
// Inside the program text is UTF-8; the Win32 boundary uses UTF-16; skin files are Windows-1251.

#include <string>
#include <string_view>

namespace text {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

std::string Cp1251ToUtf8(std::string_view cp1251);
// Characters that Windows-1251 lacks become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// Upper-cases ASCII letters only, as the skin options and resource names expect.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Case-insensitive (ASCII) comparison: <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

std::string Trim(std::string_view s);

// Decimal or "0x"/"$" hexadecimal, optional sign; raises EConvertError when s is no integer.
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int fallback);

} // namespace text
