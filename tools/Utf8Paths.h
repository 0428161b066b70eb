#pragma once
// UTF-8 text to and from std::filesystem paths, for the tools and tests that walk folders with it (the
// programs keep to toolkit/base/FileSystem.h).

#include <filesystem>
#include <string>
#include <string_view>

inline std::filesystem::path PathFromUtf8(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

inline std::string PathToUtf8(const std::filesystem::path &path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}
