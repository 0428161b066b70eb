#include "toolkit/ui/WindowSubclass.h"

#include <commctrl.h>

#include "toolkit/ui/ErrorPath.h"

WindowSubclass::WindowSubclass(HWND window, Handler handler)
    : binding_(std::make_shared<Binding>(window, std::move(handler))) {
  if (!SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(binding_.get()), 0)) binding_->window = nullptr;
}

WindowSubclass::~WindowSubclass() { binding_->Detach(); }

void WindowSubclass::Binding::Detach() {
  if (!window) return;
  RemoveWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this));
  window = nullptr;
}

LRESULT WindowSubclass::CallPrevious(const TMessage &m) const {
  return DefSubclassProc(binding_->window, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR) {
  std::shared_ptr<Binding> binding = reinterpret_cast<Binding *>(id)->shared_from_this();
  TMessage m{msg, wParam, lParam, 0};
  bool consumed = false;
  GuardCallback([&] { consumed = binding->handler(m); });
  LRESULT result = consumed ? m.Result : DefSubclassProc(window, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) binding->Detach();
  return result;
}
