#include "tests/e2e/SystemFolders.h"

#include <windows.h>

#include <string>

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Turns the redirection of System32 to SysWOW64 off for this thread while it lives; a 64-bit process has
// none to turn off.
class RedirectionOff {
public:
  RedirectionOff() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
  ~RedirectionOff() {
    if (off_) Wow64RevertWow64FsRedirection(previous_);
  }
  RedirectionOff(const RedirectionOff &) = delete;
  RedirectionOff &operator=(const RedirectionOff &) = delete;

private:
  PVOID previous_ = nullptr;
  bool off_;
};

fs::path Environment(const wchar_t *name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? fs::path(value) : fs::path();
}

fs::path WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return folder;
}

} // namespace

fs::path SystemFolder(Width programs) {
  wchar_t folder[MAX_PATH] = {};
  if (programs == Width::k32Bit && GetSystemWow64DirectoryW(folder, MAX_PATH) > 0) return folder;
  return WindowsFolder() / "System32";
}

fs::path ProgramFilesFolder(Width programs) {
  // Both names are set in the environment of 32-bit and 64-bit programs on 64-bit Windows alike.
  fs::path folder = Environment(programs == Width::k32Bit ? L"ProgramFiles(x86)" : L"ProgramW6432");
  return folder.empty() ? Environment(L"ProgramFiles") : folder;
}

void CopyIntoPlace(const fs::path &from, const fs::path &to) {
  RedirectionOff redirection;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void RemoveFromPlace(const fs::path &path) {
  RedirectionOff redirection;
  fs::remove(path);
}

} // namespace e2e
