#pragma once
// Routes the messages of a window the toolkit did not make (a system dialog's child, a foreign control)
// through a member handler: the handler sees each message first and passes on what it does not consume
// with CallPrevious. Detaches when destroyed (also from inside its own message, and in any order with
// other subclasses of the window), or by itself when the window goes. Made twice for one window, two
// objects stack two handlers: keep one per window and purpose.

#include <windows.h>

#include <functional>
#include <memory>

#include "toolkit/ui/Messages.h"

class WindowSubclass {
public:
  // handler returns true when it consumed the message (m.Result is then the answer).
  using Handler = std::function<bool(TMessage &m)>;

  WindowSubclass(HWND window, Handler handler);
  ~WindowSubclass();
  WindowSubclass(const WindowSubclass &) = delete;
  WindowSubclass &operator=(const WindowSubclass &) = delete;

  HWND Window() const { return binding_->window; }
  bool Attached() const { return binding_->window != nullptr; }
  // The window's previous procedure for this message.
  LRESULT CallPrevious(const TMessage &m) const;

private:
  // What the window procedure reaches; kept alive while a message runs, even when its owner goes.
  struct Binding : std::enable_shared_from_this<Binding> {
    Binding(HWND w, Handler h) : window(w), handler(std::move(h)) {}
    HWND window;
    Handler handler;
    void Detach();
  };
  static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  std::shared_ptr<Binding> binding_;
};
