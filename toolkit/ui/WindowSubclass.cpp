#include "toolkit/ui/WindowSubclass.h"

#include <commctrl.h>

#include "toolkit/ui/ErrorPath.h"

WindowSubclass::WindowSubclass(HWND window, Handler handler) : window_(window), handler_(std::move(handler)) {
  if (!SetWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this), 0)) window_ = nullptr;
}

WindowSubclass::~WindowSubclass() { Detach(); }

void WindowSubclass::Detach() {
  if (!window_) return;
  RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

LRESULT WindowSubclass::CallPrevious(const TMessage &m) const {
  return DefSubclassProc(window_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR) {
  auto *self = reinterpret_cast<WindowSubclass *>(id);
  TMessage m{msg, wParam, lParam, 0};
  bool consumed = false;
  GuardCallback([&] { consumed = self->handler_(m); });
  if (msg == WM_NCDESTROY) {
    LRESULT result = consumed ? m.Result : DefSubclassProc(window, msg, wParam, lParam);
    self->Detach();
    return result;
  }
  return consumed ? m.Result : DefSubclassProc(window, msg, wParam, lParam);
}
