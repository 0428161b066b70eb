#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>

#include "toolkit/base/Decimal.h"

using namespace text;

// The library's parser and formatter are the reference: ours must give the same bits and the same text.
namespace {

std::optional<double> LibraryParse(const std::string &s) {
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::string LibraryFormat(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  return std::string(text, result.ptr);
}

std::string RandomDecimal(std::mt19937_64 &random) {
  const int wholeDigits = static_cast<int>(random() % 12);
  const int decimals = std::min(static_cast<int>(random() % 28), 19 - wholeDigits);
  std::string s = random() % 4 == 0 ? "-" : "";
  for (int i = 0; i < wholeDigits; ++i)
    s += static_cast<char>('0' + random() % 10);
  if (decimals > 0 || wholeDigits == 0) s += '.';
  const int zeros = std::min(decimals, static_cast<int>(random() % 10)); // small numbers too
  for (int i = 0; i < decimals; ++i)
    s += static_cast<char>(i < zeros && wholeDigits == 0 ? '0' : '0' + random() % 10);
  return s;
}

} // namespace

TEST(Decimal, ParsesToTheNearestDoubleLikeTheLibrary) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const std::string s = RandomDecimal(random);
    const std::optional<double> ours = ParseDecimal(s), library = LibraryParse(s);
    ASSERT_EQ(ours.has_value(), library.has_value()) << s;
    if (ours) {
      ASSERT_EQ(std::memcmp(&*ours, &*library, sizeof(double)), 0) << s;
    }
  }
  EXPECT_EQ(ParseDecimal("5.41"), 5.41);
  EXPECT_EQ(ParseDecimal("-.5"), -0.5);
  EXPECT_EQ(ParseDecimal("7."), 7.0);
  EXPECT_EQ(ParseDecimal("0.000000000000000000000000001"), 1e-27);
  for (const char *bad : {"", "-", ".", "1.2.3", "+5", "5e3", " 5", "5,41", "inf", "nan", "12345678901234567890"})
    EXPECT_EQ(ParseDecimal(bad), std::nullopt) << bad;
}

TEST(Decimal, FormatsSixSignificantDigitsLikeTheLibrary) {
  std::mt19937_64 random(11);
  for (int i = 0; i < 50000; ++i) {
    const uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (i % 2) value = static_cast<double>(random() % 100000000) / 1000; // ties and carries: 999999.5
    if (std::isfinite(value)) {
      ASSERT_EQ(FormatGeneral(value), LibraryFormat(value)) << std::hexfloat << value;
    }
  }
  EXPECT_EQ(FormatGeneral(5.41), "5.41");
  EXPECT_EQ(FormatGeneral(-0.0), "-0");
  EXPECT_EQ(FormatGeneral(123456.5), "123456");
  EXPECT_EQ(FormatGeneral(999999.5), "1e+06");
  EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
  EXPECT_EQ(FormatGeneral(0.00001), "1e-05");
  EXPECT_EQ(FormatGeneral(4.9e-324), "4.94066e-324");
}
