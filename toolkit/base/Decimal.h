#pragma once
// Real numbers as text, for the few the skins hold (a skin's version number and the like). Small code of our
// own: the library's general parsers and printf engine would take tens of kilobytes of the installer.

#include <optional>
#include <string>
#include <string_view>

namespace text {

// A plain decimal: an optional '-', digits with at most one '.', nothing else (no blanks, exponent or "+").
// Correctly rounded to the nearest double. Numbers of more than 19 significant digits or 27 decimals are not
// read (nullopt), like malformed ones.
std::optional<double> ParseDecimal(std::string_view text);

// As a stream prints a finite value by default ("%g"): six significant digits, exactly rounded (half to
// even), fixed or exponent form, whichever is shorter, without trailing zeros.
std::string FormatGeneral(double value);

} // namespace text
