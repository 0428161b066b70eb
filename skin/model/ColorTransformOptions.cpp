#include "skin/model/ColorTransformOptions.h"

#include <charconv>
#include <string>

#include "toolkit/base/Exceptions.h"

namespace {

int WholeNumberIn(std::string_view option, std::string_view text, int lowest, int highest) {
  const bool plus = text.starts_with('+');
  const std::string_view digits = plus ? text.substr(1) : text;
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || (plus && digits.starts_with('-')) || error != std::errc() ||
      end != digits.data() + digits.size() || value < lowest || value > highest)
    throw Exception(std::string(option) + " \"" + std::string(text) + "\" is not a whole number from " +
                    std::to_string(lowest) + " to " + std::to_string(highest));
  return value;
}

} // namespace

int ParseHueOffset(std::string_view text) { return WholeNumberIn(HueOption, text, -360, 360); }

int ParseSaturation(std::string_view text) { return WholeNumberIn(SaturationOption, text, -100, 100); }
