#include "skin/model/SkinPaths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "skin/model/SkinErrors.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/Text.h"

std::string NativePath(std::string_view windowsPath) {
  std::string path(windowsPath);
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return path;
}

std::optional<std::string> FindSkinFile(const std::string &path) {
  if (IsRegularFile(path)) return path;
#ifndef _WIN32
  const std::string folder(FolderOf(path));
  const std::string_view wanted = FileNameOf(path);
  for (const FolderEntry &entry : ListFolder(folder))
    if (text::SameText(entry.Name, wanted) && IsRegularFile(folder + entry.Name)) return folder + entry.Name;
#endif
  return std::nullopt;
}

std::vector<uint8_t> ReadSkinFile(const std::string &path, int64_t maxSize) {
  FileHandle file = OpenFile(path, "rb");
  if (!file) throw EFOpenError(path, std::strerror(errno));
  const int64_t size = FileSizeOf(file.get());
  if (size < 0) throw EFOpenError(path, "The file cannot be read.");
  if (size > maxSize)
    throw ESkinError("File \"" + path + "\" is too large for a skin file (" + std::to_string(size) + " bytes)");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) throw EReadError();
  return bytes;
}
