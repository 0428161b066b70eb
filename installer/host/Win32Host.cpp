#include "installer/host/Win32Host.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <memory>
#include <vector>

#include "installer/host/CommandLine.h"
#include "toolkit/Dialogs.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"

namespace {

std::wstring Wide(const std::string &utf8) {
  std::u16string w = text::Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

std::string Narrow(const wchar_t *wide) { return text::Utf16ToUtf8(reinterpret_cast<const char16_t *>(wide)); }

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct ComReleaser {
  void operator()(IUnknown *p) const { p->Release(); }
};
template <class T> using ComPtr = std::unique_ptr<T, ComReleaser>;

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
  return text::Utf16ToUtf8(std::u16string(message.begin(), message.end()));
}

bool Win32Host::LibraryLoads(const std::string &fileName) {
  HMODULE module = LoadLibraryW(Wide(fileName).c_str());
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
  HANDLE raw = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) throw EFCreateError(path, SystemErrorText(GetLastError()));
  UniqueHandle file(raw);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) throw EWriteError();
    done += written;
  }
}

std::span<const uint8_t> Win32Host::OpenPayload(const std::string &name) {
  HRSRC info = FindResourceW(nullptr, Wide(name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
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
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
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
  if (index == 0) {
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return Narrow(path);
  }
  std::vector<std::string> words = SplitCommandLine(Narrow(GetCommandLineW()));
  return index >= 0 && static_cast<size_t>(index) < words.size() ? words[index] : std::string();
}

int Win32Host::MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return ::MessageDlg(text, type, buttons);
}
