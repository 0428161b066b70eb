#pragma once
// Routes the messages of a window the toolkit did not make (a system dialog's child, a foreign control)
// through a member handler: the handler sees each message first and passes on what it does not consume
// with CallPrevious. Detaches when destroyed, or by itself when the window goes.

#include <windows.h>

#include <functional>

#include "toolkit/ui/Messages.h"

class WindowSubclass {
public:
  // handler returns true when it consumed the message (m.Result is then the answer).
  using Handler = std::function<bool(TMessage &m)>;

  WindowSubclass(HWND window, Handler handler);
  ~WindowSubclass();
  WindowSubclass(const WindowSubclass &) = delete;
  WindowSubclass &operator=(const WindowSubclass &) = delete;

  HWND Window() const { return window_; }
  bool Attached() const { return window_ != nullptr; }
  // The window's previous procedure for this message.
  LRESULT CallPrevious(const TMessage &m) const;

private:
  static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void Detach();

  HWND window_;
  Handler handler_;
};
