#pragma once
// Callback entries (window procedures, timers, hooks, sort callbacks) must not let a C++ exception
// cross into the system: they run the work here, which hands any exception to the application's
// error report and goes on.

#include <utility>

// Reports the exception being handled (call only inside a catch block).
void ReportCurrentException() noexcept;

template <class F> void GuardCallback(F &&work) noexcept {
  try {
    std::forward<F>(work)();
  } catch (...) {
    ReportCurrentException();
  }
}
