#include "installer/host/Win32Host.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <memory>
#include <vector>

#include "installer/host/CommandLine.h"
#include "toolkit/ui/Dialogs.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"
#include "toolkit/ui/SystemInfo.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct ComReleaser {
  void operator()(IUnknown *p) const { p->Release(); }
};
template <class T> using ComPtr = std::unique_ptr<T, ComReleaser>;

// Creates or truncates the file at path and writes all bytes into it; raises EFCreateError (naming shownPath)
// when it cannot be opened, EWriteError when the bytes do not all land.
void WriteWholeFile(const std::wstring &path, const std::string &shownPath, std::span<const uint8_t> bytes) {
  HANDLE raw = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) throw EFCreateError(shownPath, SystemErrorText(GetLastError()));
  UniqueHandle file(raw);
  for (size_t done = 0; done < bytes.size();) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) throw EWriteError();
    done += written;
  }
  // Not flushed: the system writes the file out in its own time, as for any program's files; waiting for the
  // disk after each file took longer than all the rest of writing it.
}

// Where a library is looked for: the Windows folder and the absolute folders on PATH, except the folder
// of this program (the system folder is searched first, by the loader itself).
std::vector<std::wstring> LibrarySearchFolders() {
  std::vector<std::wstring> folders;
  wchar_t windows[MAX_PATH] = {};
  if (GetWindowsDirectoryW(windows, MAX_PATH)) folders.push_back(windows);
  std::wstring own = ProgramFolder();
  own.pop_back();
  DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  std::wstring path(size, L'\0');
  path.resize(GetEnvironmentVariableW(L"PATH", path.data(), size));
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find(L';', start);
    if (end == std::wstring::npos) end = path.size();
    std::wstring folder = path.substr(start, end - start);
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
      folder.pop_back();
    bool absolute = folder.size() >= 3 && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/');
    if (absolute && _wcsicmp(folder.c_str(), own.c_str()) != 0) folders.push_back(folder);
    start = end + 1;
  }
  return folders;
}

void CheckOle(HRESULT hr) {
  if (FAILED(hr)) throw EOleSysError(static_cast<uint32_t>(hr), SystemErrorText(static_cast<DWORD>(hr)));
}

} // namespace

std::string SystemErrorText(DWORD code) {
  wchar_t *buffer = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
  std::wstring message = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!message.empty() && (message.back() <= L' ' || message.back() == L'.'))
    message.pop_back();
  return Narrow(message);
}

bool Win32Host::LibraryLoads(const std::string &fileName) {
  // The normal search order without the installer's own folder and the current folder: a library of the
  // same name planted beside a downloaded installer must not run its code here.
  std::wstring name = Wide(fileName);
  HMODULE module = LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  for (const std::wstring &folder : LibrarySearchFolders()) {
    if (module) break;
    module = LoadLibraryExW((folder + L"\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (module) FreeLibrary(module);
  return module != nullptr;
}

bool Win32Host::DirectoryExists(const std::string &path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Host::FileExists(const std::string &path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Wide(path).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32Host::CreateDir(const std::string &path) {
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) throw EInOutError(static_cast<int>(GetLastError()));
}

void Win32Host::RemoveDir(const std::string &path) { RemoveDirectoryW(Wide(path).c_str()); }

void Win32Host::WriteFile(const std::string &path, std::span<const uint8_t> bytes) {
  std::wstring target = Wide(path);
  // Open the target as the plain write would, so a file in use fails here with the system's own reason. A
  // target that this open creates is gone again once it closes: until all bytes are written, no file of that
  // name appears, and a later start does not take an empty one for an earlier installation.
  {
    HANDLE raw = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) throw EFCreateError(path, SystemErrorText(GetLastError()));
    bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    UniqueHandle probe(raw);
    FILE_DISPOSITION_INFO deleteOnClose = {TRUE};
    if (created) SetFileInformationByHandle(raw, FileDispositionInfo, &deleteOnClose, sizeof deleteOnClose);
  }

  // The bytes go to a file beside the target, which takes the target's place only once complete: a write
  // that fails part-way leaves the previous file as it was, or none at all.
  std::wstring partial = target + L".partial";
  try {
    WriteWholeFile(partial, path, bytes);
    if (!MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
      throw EFCreateError(path, SystemErrorText(GetLastError()));
  } catch (...) {
    DeleteFileW(partial.c_str());
    throw;
  }
}

std::span<const uint8_t> Win32Host::OpenPayload(const std::string &name) {
  // The payload is stored in Russian; the plain lookup's language fallback differs between systems.
  std::wstring wideName = Wide(name);
  HRSRC info = FindResourceExW(nullptr, MAKEINTRESOURCEW(10) /* RT_RCDATA */, wideName.c_str(),
                               MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  if (!info) info = FindResourceW(nullptr, wideName.c_str(), MAKEINTRESOURCEW(10));
  HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw EResNotFound(name);
  return {static_cast<const uint8_t *>(bytes), SizeofResource(nullptr, info)};
}

std::string Win32Host::SendToFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  SHGetSpecialFolderPathW(owner_, buffer, CSIDL_SENDTO, FALSE);
  return Narrow(buffer);
}

void Win32Host::CreateShortcut(const std::string &linkPath, const std::string &target, const std::string &arguments) {
  IShellLinkW *rawLink = nullptr;
  CheckOle(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                            reinterpret_cast<void **>(&rawLink)));
  ComPtr<IShellLinkW> link(rawLink);
  IPersistFile *rawFile = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&rawFile)))) throw EIntfCastError();
  ComPtr<IPersistFile> file(rawFile);
  CheckOle(link->SetPath(Wide(target).c_str()));
  link->SetArguments(Wide(arguments).c_str());
  file->Save(Wide(linkPath).c_str(), TRUE);
}

void Win32Host::StartProgram(const std::string &commandLine) {
  std::wstring line = Wide(commandLine);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    // The installer does not wait for the program; its handles are released at once.
    UniqueHandle thread(process.hThread), started(process.hProcess);
  }
}

void Win32Host::StartCommandInterpreter(const std::string &parameters, const std::string &workingDir) {
  ShellExecuteW(nullptr, L"open", L"cmd", Wide(parameters).c_str(), Wide(workingDir).c_str(), SW_SHOWNORMAL);
}

void Win32Host::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void Win32Host::BroadcastSettingsChange() {
  SendMessageW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"RegistrySection"));
}

std::string Win32Host::EnvironmentVariable(const std::string &name) {
  std::wstring wideName = Wide(name);
  DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::vector<wchar_t> value(size);
  DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  return length < size ? Narrow(value.data()) : std::string();
}

int Win32Host::ParamCount() { return static_cast<int>(SplitCommandLine(Narrow(GetCommandLineW())).size()) - 1; }

std::string Win32Host::ParamStr(int index) {
  if (index == 0) return Narrow(ProgramPath());
  std::vector<std::string> words = SplitCommandLine(Narrow(GetCommandLineW()));
  return index >= 0 && static_cast<size_t>(index) < words.size() ? words[index] : std::string();
}

int Win32Host::MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return ::MessageDlg(text, type, buttons);
}
