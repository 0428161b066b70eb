// Stands in for the Kelvora signing program in test builds: every start appends one line holding the raw
// argument text of its command line (UTF-8, CRLF) to a log, and ends at once. The log is "Kelvora.log" beside
// the program, or the file that the environment variable KELVORA_STANDIN_LOG names, so that a test can keep
// the record of starts outside a folder that the installer removes.

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>

namespace {

struct CloseHandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseHandleDeleter>;

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool NamesThisProgram(const std::wstring &candidate, const std::wstring &modulePath) {
  for (const std::wstring &name : {candidate, candidate + L".exe"}) {
    wchar_t full[32768];
    DWORD length = GetFullPathNameW(name.c_str(), ARRAYSIZE(full), full, nullptr);
    if (length > 0 && length < ARRAYSIZE(full) &&
        CompareStringOrdinal(full, static_cast<int>(length), modulePath.c_str(), static_cast<int>(modulePath.size()),
                             TRUE) == CSTR_EQUAL)
      return true;
  }
  return false;
}

// Where the program's own name ends. A quoted name ends at its closing quote. An unquoted one may contain
// blanks ("C:\Program Files\Kelvora\Kelvora.exe -install"), so, as Windows does when it starts such a line,
// the blank-separated prefixes are tried as paths of this program; otherwise the first blank ends it.
size_t ProgramNameEnd(const std::wstring &line, const std::wstring &modulePath) {
  if (!line.empty() && line[0] == L'"') {
    size_t close = line.find(L'"', 1);
    return close == std::wstring::npos ? line.size() : close + 1;
  }
  size_t firstBlank = line.size();
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && !IsBlank(line[i])) continue;
    firstBlank = std::min(firstBlank, i);
    if (i > 0 && NamesThisProgram(line.substr(0, i), modulePath)) return i;
  }
  return firstBlank;
}

std::wstring ArgumentText() {
  const std::wstring line = GetCommandLineW();
  size_t start = ProgramNameEnd(line, ModulePath());
  while (start < line.size() && IsBlank(line[start]))
    ++start;
  return line.substr(start);
}

std::string Utf8(const std::wstring &wide) {
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::wstring LogPath() {
  wchar_t chosen[32768];
  DWORD length = GetEnvironmentVariableW(L"KELVORA_STANDIN_LOG", chosen, ARRAYSIZE(chosen));
  if (length > 0 && length < ARRAYSIZE(chosen)) return std::wstring(chosen, length);
  std::wstring path = ModulePath();
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"Kelvora.log";
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Appending with one write keeps the lines of starts that overlap whole.
  UniqueHandle log(CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (log.get() == INVALID_HANDLE_VALUE) {
    (void)log.release();
    return 1;
  }
  const std::string line = Utf8(ArgumentText()) + "\r\n";
  DWORD written = 0;
  return WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size()
             ? 0
             : 1;
}
