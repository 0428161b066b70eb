#pragma once
// The file system reached with UTF-8 paths: the wide (W) functions on Windows, POSIX elsewhere. Paths stay
// UTF-8 strings; std::filesystem would drag the standard library's whole locale machinery into the programs.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

// A slash anywhere; a backslash too on Windows (elsewhere it may be part of a name).
bool IsPathSeparator(char c);
// folder and name with one separator between them (none is added after an empty folder or a final one).
std::string JoinPath(std::string_view folder, std::string_view name);
// The part after the last separator.
std::string_view FileNameOf(std::string_view path);
// The part up to and with the last separator; empty when the path names no folder.
std::string_view FolderOf(std::string_view path);
// The file name's last dot and what follows ("a.b.tez" gives ".tez"); a name that starts with its only dot
// has none.
std::string_view ExtensionOf(std::string_view path);

// False also when the path cannot be reached.
bool IsRegularFile(const std::string &path);
bool IsDirectory(const std::string &path);

struct FolderEntry {
  std::string Name;
  bool IsDirectory = false;
};
// The folder's entries without "." and ".."; empty when the folder cannot be listed.
std::vector<FolderEntry> ListFolder(const std::string &folder);

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;
// The file opened with an fopen mode; null when it cannot be (errno tells why).
FileHandle OpenFile(const std::string &path, const char *mode);
// The size of an open regular file; -1 when it is not known.
int64_t FileSizeOf(std::FILE *file);
