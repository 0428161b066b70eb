#pragma once
// The one way errors leave a callback. Every entry from the system into our code (window procedures, the
// message loop's key handling, timers, hook procedures) runs its work through a guard: an exception ends in
// the application's error report (TApplication::HandleException: its OnException, else the default report)
// and the caller goes on as if the work had returned.
//
// - A report is never shown inside another report or inside a system hook procedure: an error raised there
//   waits and is reported from the message loop. GuardHookProcedure marks a hook procedure.
// - Painting and forwarding paths that must stay silent run in a QuietScope (or through Quietly): errors that
//   any guard catches while it is open are dropped.
// - A modal loop (ShowModal, the error report's box, a popup menu) opens a ModalLoopScope: the messages it
//   handles are new user actions, so a QuietScope of its caller does not silence them.

#include <utility>

// Reports, defers or drops the exception being handled, as the scopes in force say. Call only inside a catch
// block.
void ReportCurrentException() noexcept;

// True while a QuietScope is open outside any modal loop started inside it.
bool ErrorsAreQuiet();
// True while a hook procedure guarded by GuardHookProcedure runs.
bool InsideHookProcedure();

class QuietScope {
public:
  QuietScope();
  ~QuietScope();
  QuietScope(const QuietScope &) = delete;
  QuietScope &operator=(const QuietScope &) = delete;
};

class HookProcedureScope {
public:
  HookProcedureScope();
  ~HookProcedureScope();
  HookProcedureScope(const HookProcedureScope &) = delete;
  HookProcedureScope &operator=(const HookProcedureScope &) = delete;
};

class ModalLoopScope {
public:
  ModalLoopScope();
  ~ModalLoopScope();
  ModalLoopScope(const ModalLoopScope &) = delete;
  ModalLoopScope &operator=(const ModalLoopScope &) = delete;

private:
  int savedQuiet_;
};

template <class F> void GuardCallback(F &&work) noexcept {
  try {
    std::forward<F>(work)();
  } catch (...) {
    ReportCurrentException();
  }
}

// For the procedure of a system hook (SetWindowsHookEx): its errors are reported once the loop gets to them.
template <class F> void GuardHookProcedure(F &&work) noexcept {
  HookProcedureScope hook;
  GuardCallback(std::forward<F>(work));
}

// Runs work with every error swallowed: its own and those that guards catch inside it.
template <class F> void Quietly(F &&work) noexcept {
  QuietScope quiet;
  try {
    std::forward<F>(work)();
  } catch (...) {
  }
}
