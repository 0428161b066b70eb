#include "toolkit/base/Text.h"

#include "toolkit/base/Exceptions.h"

#include <array>
#include <cstdint>
#include <limits>

namespace text {
namespace {

// Code points of Windows-1251 bytes 0x80..0xFF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t Cp1251ToCodePoint(unsigned char c) {
  if (c < 0x80) return c;
  if (c >= 0xC0) return static_cast<char16_t>(0x0410 + (c - 0xC0));
  char16_t cp = kCp1251High[c - 0x80];
  return cp ? cp : u'?';
}

void AppendUtf8(std::string &out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one code point at s[i], advancing i; malformed bytes decode to U+FFFD one byte at a time.
char32_t NextCodePoint(std::string_view s, size_t &i) {
  auto b0 = static_cast<unsigned char>(s[i]);
  int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
  if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
    ++i;
    return extra == 0 ? b0 : 0xFFFD;
  }
  char32_t cp = extra == 0 ? b0 : b0 & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += extra + 1;
  return cp;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251)
    AppendUtf8(out, Cp1251ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, i);
    char byte = '?';
    if (cp < 0x80) {
      byte = static_cast<char>(cp);
    } else if (cp >= 0x0410 && cp <= 0x044F) {
      byte = static_cast<char>(0xC0 + (cp - 0x0410));
    } else {
      for (size_t k = 0; k < kCp1251High.size(); ++k)
        if (kCp1251High[k] == cp) byte = static_cast<char>(0x80 + k);
    }
    out += byte;
  }
  return out;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char &c : out)
    c = AsciiUpper(c);
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char &c : out)
    c = AsciiLower(c);
  return out;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = static_cast<unsigned char>(AsciiUpper(a[i])) - static_cast<unsigned char>(AsciiUpper(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string Trim(std::string_view s) {
  size_t begin = 0, end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ')
    ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ')
    --end;
  return std::string(s.substr(begin, end - begin));
}

int StrToIntDef(std::string_view s, int fallback) {
  std::string t = Trim(s);
  std::string_view v = t;
  bool negative = false;
  if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
    negative = v[0] == '-';
    v.remove_prefix(1);
  }
  int base = 10;
  if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
    base = 16;
    v.remove_prefix(2);
  } else if (v.size() > 1 && v[0] == '$') {
    base = 16;
    v.remove_prefix(1);
  }
  if (v.empty()) return fallback;
  int64_t value = 0;
  for (char c : v) {
    int digit = c >= '0' && c <= '9'                                         ? c - '0'
                : base == 16 && AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'F' ? AsciiUpper(c) - 'A' + 10
                                                                             : -1;
    if (digit < 0) return fallback;
    value = value * base + digit;
    // Hexadecimal may spell the full unsigned 32-bit range (colours such as 0xFF00000F).
    if (value > (base == 16 ? int64_t{0xFFFFFFFF} : int64_t{std::numeric_limits<int>::max()} + 1)) return fallback;
  }
  if (negative) value = -value;
  if (base == 10 && value > std::numeric_limits<int>::max()) return fallback;
  return static_cast<int>(static_cast<uint32_t>(value));
}

int StrToInt(std::string_view s) {
  constexpr int kSentinel = std::numeric_limits<int>::min() + 7;
  int v = StrToIntDef(s, kSentinel);
  if (v == kSentinel && StrToIntDef(s, 0) != kSentinel)
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
  return v;
}

} // namespace text
