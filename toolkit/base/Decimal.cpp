#include "toolkit/base/Decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace text {
namespace {

constexpr int MaxDigits = 19;   // 10^19 - 1 fits in 64 bits
constexpr int MaxDecimals = 27; // 5^27 fits in 63 bits, so twice a remainder below it fits in 64

// Rounds digits / 10^decimals to the nearest double, exactly. Dividing by 10^k is dividing by 5^k and scaling
// by 2^-k; the quotient by 5^k is built bit by bit in integers, as floating-point division may round twice
// (the 32-bit processor divides in extended precision).
double DecimalToDouble(uint64_t digits, int decimals) {
  if (digits == 0) return 0;
  uint64_t divisor = 1;
  for (int i = 0; i < decimals; ++i)
    divisor *= 5;
  uint64_t quotient = digits / divisor, rest = digits % divisor;
  int exponent = -decimals;
  for (; quotient < uint64_t(1) << 54; --exponent) {
    rest <<= 1;
    quotient = quotient << 1 | (rest >= divisor);
    if (rest >= divisor) rest -= divisor;
  }
  const int dropped = std::bit_width(quotient) - 53;
  const uint64_t lost = quotient & ((uint64_t(1) << dropped) - 1), half = uint64_t(1) << (dropped - 1);
  quotient >>= dropped;
  if (lost > half || (lost == half && (rest != 0 || (quotient & 1)))) ++quotient;
  return std::ldexp(static_cast<double>(quotient), exponent + dropped);
}

// A non-negative integer in 32-bit limbs, lowest first.
using Limbs = std::vector<uint32_t>;

bool IsZero(const Limbs &n) {
  return std::all_of(n.begin(), n.end(), [](uint32_t limb) { return limb == 0; });
}

// Multiplies n by 10 and returns what carries out of its top limb.
uint32_t MultiplyByTen(Limbs &n) {
  uint64_t carry = 0;
  for (uint32_t &limb : n) {
    carry += uint64_t(limb) * 10;
    limb = static_cast<uint32_t>(carry);
    carry >>= 32;
  }
  return static_cast<uint32_t>(carry);
}

// Divides n by 10 and returns the remainder.
uint32_t DivideByTen(Limbs &n) {
  uint64_t rest = 0;
  for (size_t i = n.size(); i-- > 0;) {
    rest = rest << 32 | n[i];
    n[i] = static_cast<uint32_t>(rest / 10);
    rest %= 10;
  }
  return static_cast<uint32_t>(rest);
}

// The decimal digits of a positive finite value, exactly: the first `count` significant ones, whether any
// non-zero digit follows them, and the power of ten of the first one.
struct LeadingDigits {
  std::string digits;
  bool moreFollow = false;
  int exponent = 0;
};

LeadingDigits DigitsOf(double value, size_t count) {
  int binaryExponent = 0;
  const auto mantissa = static_cast<uint64_t>(std::ldexp(std::frexp(value, &binaryExponent), 53));
  binaryExponent -= 53;
  // value = mantissa * 2^binaryExponent, held as one integer scaled by 2^(32 * fractionLimbs), so that the
  // binary point falls between limbs: the low limbs are the fraction, the others the whole part.
  const int fractionLimbs = binaryExponent < 0 ? (31 - binaryExponent) / 32 : 0;
  const int shift = binaryExponent + 32 * fractionLimbs;
  Limbs scaled(shift / 32, 0);
  // mantissa < 2^53 shifted by less than 32 bits spans at most three limbs.
  const uint64_t low = mantissa << (shift % 32);
  const uint64_t high = (shift % 32) ? mantissa >> (64 - shift % 32) : 0;
  scaled.insert(scaled.end(),
                {static_cast<uint32_t>(low), static_cast<uint32_t>(low >> 32), static_cast<uint32_t>(high)});
  scaled.resize(std::max(scaled.size(), size_t(fractionLimbs)), 0);
  Limbs fraction(scaled.begin(), scaled.begin() + fractionLimbs);
  Limbs whole(scaled.begin() + fractionLimbs, scaled.end());

  LeadingDigits result;
  std::string wholeDigits;
  while (!IsZero(whole))
    wholeDigits += static_cast<char>('0' + DivideByTen(whole));
  std::reverse(wholeDigits.begin(), wholeDigits.end());
  result.exponent = static_cast<int>(wholeDigits.size()) - 1;
  result.digits = wholeDigits.substr(0, count);
  result.moreFollow = wholeDigits.find_first_not_of('0', result.digits.size()) != std::string::npos;
  while (result.digits.size() < count && !IsZero(fraction)) {
    const auto digit = static_cast<char>('0' + MultiplyByTen(fraction));
    if (result.digits.empty() && digit == '0') {
      --result.exponent;
      continue;
    }
    result.digits += digit;
  }
  result.moreFollow = result.moreFollow || !IsZero(fraction);
  result.digits.resize(count, '0');
  return result;
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (!std::all_of(whole.begin(), whole.end(), isDigit) || !std::all_of(fraction.begin(), fraction.end(), isDigit))
    return std::nullopt;
  // Zeros before the first digit or after the last decimal change nothing.
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
  std::string digits = std::string(whole) + std::string(fraction);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.size() > MaxDigits || fraction.size() > MaxDecimals) return std::nullopt;
  uint64_t number = 0;
  for (char c : digits)
    number = number * 10 + static_cast<uint64_t>(c - '0');
  const double value = DecimalToDouble(number, static_cast<int>(fraction.size()));
  return negative ? -value : value;
}

std::string FormatGeneral(double value) {
  constexpr int Precision = 6;
  std::string text = std::signbit(value) ? "-" : "";
  value = std::fabs(value);
  if (value == 0) return text + "0";
  LeadingDigits d = DigitsOf(value, Precision + 1);
  // Half to even on what lies beyond the sixth digit.
  const char next = d.digits.back();
  d.digits.pop_back();
  if (next > '5' || (next == '5' && (d.moreFollow || (d.digits.back() - '0') % 2 == 1))) {
    size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9')
      d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      d.digits.pop_back();
      ++d.exponent;
    } else {
      ++d.digits[i - 1];
    }
  }
  std::string &digits = d.digits;
  digits.erase(digits.find_last_not_of('0') + 1);
  const bool fixed = d.exponent >= -4 && d.exponent < Precision;
  const int wholeDigits = fixed ? d.exponent + 1 : 1;
  const auto point = static_cast<size_t>(std::max(wholeDigits, 1));
  if (wholeDigits <= 0) digits.insert(0, static_cast<size_t>(1 - wholeDigits), '0'); // 0.00541
  digits.resize(std::max(digits.size(), point), '0');                                // 100
  if (digits.size() > point) digits.insert(point, 1, '.');
  text += digits;
  if (fixed) return text;
  const int magnitude = std::abs(d.exponent);
  text += d.exponent < 0 ? "e-" : "e+";
  if (magnitude < 10) text += '0';
  return text + std::to_string(magnitude);
}

} // namespace text
