#pragma once
// Paths to and from the UTF-8 text used everywhere else in the program.

#include <filesystem>
#include <string>

namespace paths {

inline std::string Utf8(const std::filesystem::path &path) {
  std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

inline std::filesystem::path FromUtf8(const std::string &text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// A path of the build machine (a Unix path under Wine, whose root is drive Z:) as a Windows program sees it.
inline std::string WindowsPath(const std::string &buildPath) {
  if (buildPath.empty() || buildPath[0] != '/') return buildPath;
  std::string path = "Z:" + buildPath;
  for (char &c : path)
    if (c == '/') c = '\\';
  return path;
}

} // namespace paths
