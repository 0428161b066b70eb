#include "toolkit/base/FileSystem.h"

bool IsPathSeparator(char c) {
#ifdef _WIN32
  if (c == '\\') return true;
#endif
  return c == '/';
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string result(folder);
  if (!result.empty() && !IsPathSeparator(result.back())) result += PathSeparator;
  result += name;
  return result;
}

namespace {
size_t NameStart(std::string_view path) {
  size_t start = path.size();
  while (start > 0 && !IsPathSeparator(path[start - 1]))
    --start;
  return start;
}
} // namespace

std::string_view FileNameOf(std::string_view path) { return path.substr(NameStart(path)); }

std::string_view FolderOf(std::string_view path) { return path.substr(0, NameStart(path)); }

std::string_view ExtensionOf(std::string_view path) {
  std::string_view name = FileNameOf(path);
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || name == "..") return {};
  return name.substr(dot);
}
