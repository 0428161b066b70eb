#include "tests/support/WindowDriver.h"

#include <thread>

#include "toolkit/base/Text.h"
#include "toolkit/base/win/Win32Text.h"

namespace e2e {
namespace {

// The environment block of this process with overrides applied, sorted as CreateProcess expects.
std::wstring EnvironmentBlock(const std::map<std::string, std::string> &overrides) {
  std::map<std::wstring, std::wstring,
           decltype([](const std::wstring &a, const std::wstring &b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; })>
      variables;
  wchar_t *block = GetEnvironmentStringsW();
  for (const wchar_t *p = block; *p; p += wcslen(p) + 1) {
    std::wstring entry = p;
    size_t equals = entry.find(L'=', 1);
    if (equals != std::wstring::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
  }
  FreeEnvironmentStringsW(block);
  for (const auto &[name, value] : overrides) {
    if (value.empty())
      variables.erase(Wide(name));
    else
      variables[Wide(name)] = Wide(value);
  }
  std::wstring result;
  for (const auto &[name, value] : variables)
    result += name + L"=" + value + L'\0';
  result += L'\0';
  return result;
}

} // namespace

bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

std::string WindowText(HWND window) {
  // WM_GETTEXT reaches other processes' edit controls too, where GetWindowText does not.
  LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return Narrow(text);
}

std::string ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Narrow(name);
}

Process::Process(const std::string &program, const std::string &arguments,
                 const std::map<std::string, std::string> &environment, const std::string &workingDir) {
  std::wstring commandLine = L"\"" + Wide(program) + L"\"" + (arguments.empty() ? L"" : L" " + Wide(arguments));
  std::wstring env = EnvironmentBlock(environment);
  std::wstring dir = Wide(workingDir);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, env.data(),
                      dir.empty() ? nullptr : dir.c_str(), &startup, &info_))
    throw std::runtime_error("cannot start " + program);
  WaitForInputIdle(info_.hProcess, 10000);
}

Process::~Process() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool Process::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

// A window enumeration callback: the system calls it with its own (stdcall) convention on 32-bit Windows.
BOOL CALLBACK CollectVisibleWindowOfProcess(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<WindowSearch *>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

} // namespace

std::vector<HWND> Process::TopLevelWindows() const {
  WindowSearch search{info_.dwProcessId, {}};
  EnumWindows(CollectVisibleWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Process::FindWindow(const std::string &className, const std::string &caption) const {
  for (HWND window : TopLevelWindows())
    if (ClassName(window) == className && (caption.empty() || WindowText(window) == caption)) return window;
  return nullptr;
}

HWND Process::WaitForWindow(const std::string &className, const std::string &caption,
                            std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindow(className, caption)) != nullptr; }, timeout);
  return found;
}

std::vector<HWND> Children(HWND parent, const std::string &className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (className.empty() || ClassName(child) == className) found.push_back(child);
  return found;
}

HWND FindButton(HWND parent, const std::string &text) {
  for (HWND child : Children(parent))
    if (WindowText(child) == text) return child;
  return nullptr;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PressKey(HWND window, WORD virtualKey) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

bool TypeChord(HWND window, const std::vector<WORD> &keys) {
  SetForegroundWindow(window);
  if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 2s)) return false;
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

void ClickAt(HWND window, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, at);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
}

void CloseWithTitleBar(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void ClickScreen(POINT point) {
  SetCursorPos(point.x, point.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
}

} // namespace e2e
