#include <dirent.h>
#include <sys/stat.h>

#include "toolkit/base/FileSystem.h"

namespace {
bool StatOf(const std::string &path, struct stat &info) { return ::stat(path.c_str(), &info) == 0; }

struct FolderCloser {
  void operator()(DIR *folder) const { ::closedir(folder); }
};
} // namespace

bool IsRegularFile(const std::string &path) {
  struct stat info;
  return StatOf(path, info) && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string &path) {
  struct stat info;
  return StatOf(path, info) && S_ISDIR(info.st_mode);
}

std::vector<FolderEntry> ListFolder(const std::string &folder) {
  std::vector<FolderEntry> entries;
  std::unique_ptr<DIR, FolderCloser> listing(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!listing) return entries;
  while (const dirent *entry = ::readdir(listing.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    // The entry's type as a link's target has it, as on Windows.
    const bool isDirectory = IsDirectory(JoinPath(folder, name));
    entries.push_back({std::move(name), isDirectory});
  }
  return entries;
}

FileHandle OpenFile(const std::string &path, const char *mode) { return FileHandle(std::fopen(path.c_str(), mode)); }

int64_t FileSizeOf(std::FILE *file) {
  struct stat info;
  if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return static_cast<int64_t>(info.st_size);
}
