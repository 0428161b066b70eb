#include "toolkit/ui/ErrorPath.h"

#include "toolkit/ui/Forms.h"

namespace {
// The GUI thread's scopes; everything that reports runs on that thread.
int g_quietDepth = 0;
int g_hookDepth = 0;
} // namespace

void ReportCurrentException() noexcept {
  if (ErrorsAreQuiet()) return;
  try {
    Application->HandleException(std::current_exception());
  } catch (...) {
    // The report itself failed (out of memory, no window): nothing is left to tell.
  }
}

bool ErrorsAreQuiet() { return g_quietDepth > 0; }
bool InsideHookProcedure() { return g_hookDepth > 0; }

QuietScope::QuietScope() { ++g_quietDepth; }
QuietScope::~QuietScope() { --g_quietDepth; }

HookProcedureScope::HookProcedureScope() { ++g_hookDepth; }
HookProcedureScope::~HookProcedureScope() { --g_hookDepth; }

ModalLoopScope::ModalLoopScope() : savedQuiet_(std::exchange(g_quietDepth, 0)) {}
ModalLoopScope::~ModalLoopScope() { g_quietDepth = savedQuiet_; }
