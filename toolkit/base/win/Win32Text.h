#pragma once
// UTF-8 inside the program, UTF-16 at the W functions.

#include <string>
#include <string_view>

#include "toolkit/base/Text.h"

inline std::wstring Wide(std::string_view utf8) {
  std::u16string w = text::Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return text::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t *>(wide.data()), wide.size()));
}
