#include <windows.h>

#include <io.h>

#include "toolkit/base/FileSystem.h"
#include "toolkit/base/win/Win32Text.h"

namespace {
DWORD AttributesOf(const std::string &path) { return GetFileAttributesW(Wide(path).c_str()); }

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};
} // namespace

bool IsRegularFile(const std::string &path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::string &path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<FolderEntry> ListFolder(const std::string &folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found;
  HANDLE first = FindFirstFileExW(Wide(JoinPath(folder.empty() ? "." : folder, "*")).c_str(), FindExInfoBasic, &found,
                                  FindExSearchNameMatch, nullptr, 0);
  if (first == INVALID_HANDLE_VALUE) return entries;
  std::unique_ptr<void, FindCloser> find(first);
  do {
    std::string name = Narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({std::move(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(first, &found));
  return entries;
}

FileHandle OpenFile(const std::string &path, const char *mode) {
  return FileHandle(_wfopen(Wide(path).c_str(), Wide(mode).c_str()));
}

int64_t FileSizeOf(std::FILE *file) {
  const long long size = _filelengthi64(_fileno(file));
  return size < 0 ? -1 : static_cast<int64_t>(size);
}
