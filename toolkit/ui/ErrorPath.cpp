#include "toolkit/ui/ErrorPath.h"

#include <cstdlib>
#include <exception>

#include "toolkit/base/Exceptions.h"
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

// The runtime's default terminate handler, defined here in its place: an error that escapes everything
// (thrown through a noexcept function, or a failure while an error unwinds) is reported at once, then the
// process ends. The runtime's own handler writes to a console that a window program has not, and brings a
// name demangler along for it.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  static bool reporting = false; // a failure inside the report ends the process at once
  if (!reporting) {
    reporting = true;
    std::exception_ptr error = std::current_exception();
    try {
      Application->HandleFinalException(error ? error
                                              : std::make_exception_ptr(Exception("Abnormal program termination")));
    } catch (...) {
    }
  }
  std::_Exit(EXIT_FAILURE);
}
} // namespace __gnu_cxx
