#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "toolkit/ui/Forms.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

std::map<UINT_PTR, std::function<void()>> &Pending() {
  static std::map<UINT_PTR, std::function<void()>> pending;
  return pending;
}

void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto it = Pending().find(id);
  if (it == Pending().end()) return;
  auto work = std::move(it->second);
  Pending().erase(it);
  try {
    work();
  } catch (const std::exception &e) {
    ADD_FAILURE() << "scheduled work failed: " << e.what();
  }
}

struct Search {
  std::wstring className;
  HWND found = nullptr;
};

BOOL CALLBACK VisitTop(HWND window, LPARAM param) {
  auto *search = reinterpret_cast<Search *>(param);
  wchar_t name[256];
  GetClassNameW(window, name, 256);
  if (IsWindowVisible(window) && search->className == name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void Poll(std::wstring className, std::function<void(HWND)> action, DWORD deadline) {
  Search search{className};
  EnumThreadWindows(GetCurrentThreadId(), VisitTop, reinterpret_cast<LPARAM>(&search));
  if (search.found) return action(search.found);
  if (GetTickCount() > deadline) {
    ADD_FAILURE() << "no window of class " << Narrow(className) << " appeared";
    return;
  }
  After(20, [=] { Poll(className, action, deadline); });
}

} // namespace

void After(unsigned milliseconds, std::function<void()> work) {
  UINT_PTR id = SetTimer(nullptr, 0, milliseconds, Fire);
  Pending()[id] = std::move(work);
}

void WhenWindowAppears(const wchar_t *className, std::function<void(HWND)> action) {
  std::wstring name = className;
  DWORD deadline = GetTickCount() + 5000;
  After(20, [=] { Poll(name, action, deadline); });
}

bool PumpUntil(const std::function<bool()> &done, unsigned timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
      Application->ProcessMessages();
    else
      Sleep(5);
  }
  return true;
}

std::string ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Narrow(name);
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

std::vector<HWND> ChildWindowsLeftToRight(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  std::sort(children.begin(), children.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return children;
}

void PressKey(WORD key) {
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}
