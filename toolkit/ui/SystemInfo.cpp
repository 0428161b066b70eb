#include "toolkit/ui/SystemInfo.h"

namespace {

HMODULE UxTheme() {
  static HMODULE module = LoadLibraryW(L"uxtheme.dll");
  return module;
}

template <class F> F UxThemeFunction(const char *name) {
  HMODULE module = UxTheme();
  return module ? reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(module, name))) : nullptr;
}

} // namespace

bool ThemesInUse() {
  using IsThemeActiveFn = BOOL(WINAPI *)();
  auto isAppThemed = UxThemeFunction<IsThemeActiveFn>("IsAppThemed");
  auto isThemeActive = UxThemeFunction<IsThemeActiveFn>("IsThemeActive");
  return isAppThemed && isThemeActive && isAppThemed() && isThemeActive();
}

bool RemoveWindowTheme(HWND window) {
  using SetWindowThemeFn = HRESULT(WINAPI *)(HWND, LPCWSTR, LPCWSTR);
  auto setWindowTheme = UxThemeFunction<SetWindowThemeFn>("SetWindowTheme");
  return setWindowTheme && SUCCEEDED(setWindowTheme(window, L"", L""));
}

int WindowsMajorVersion() {
  // GetVersionEx reports what the manifest allows; the kernel's own record tells the truth.
  using RtlGetVersionFn = LONG(WINAPI *)(OSVERSIONINFOW *);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto rtlGetVersion =
      ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void *>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion && rtlGetVersion(&info) == 0) return static_cast<int>(info.dwMajorVersion);
  return 6;
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolder() {
  std::wstring path = ProgramPath();
  path.resize(path.find_last_of(L"\\/") + 1);
  return path;
}
