#include "skin/model/SkinPaths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "skin/model/SkinErrors.h"
#include "toolkit/base/Text.h"

std::filesystem::path NativePath(std::string_view windowsPath) {
#ifdef _WIN32
  return PathFromUtf8(windowsPath);
#else
  std::string path(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  return PathFromUtf8(path);
#endif
}

std::filesystem::path PathFromUtf8(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string PathToUtf8(const std::filesystem::path &path) {
  std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::optional<std::filesystem::path> FindSkinFile(const std::filesystem::path &path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) return path;
#ifndef _WIN32
  std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  std::string wanted = PathToUtf8(path.filename());
  std::filesystem::directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error))
    if (text::SameText(PathToUtf8(it->path().filename()), wanted) && it->is_regular_file(error)) return it->path();
#endif
  return std::nullopt;
}

std::vector<uint8_t> ReadSkinFile(const std::filesystem::path &path, int64_t maxSize) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EFOpenError(PathToUtf8(path), std::strerror(errno));
  file.seekg(0, std::ios::end);
  std::streamoff size = file.tellg();
  if (size < 0) throw EFOpenError(PathToUtf8(path), "The file cannot be read.");
  if (size > maxSize)
    throw ESkinError("File \"" + PathToUtf8(path) + "\" is too large for a skin file (" + std::to_string(size) +
                     " bytes)");
  file.seekg(0, std::ios::beg);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!file.read(reinterpret_cast<char *>(bytes.data()), size)) throw EReadError();
  return bytes;
}
