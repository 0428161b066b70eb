#include "skin/controls/win/HintSuppression.h"

#include <optional>

#include "toolkit/ui/Forms.h"

namespace {
// The program's setting while a press holds hints off; GUI thread only.
std::optional<bool> g_savedShowHint;
} // namespace

void TsHintSuppression::Begin() {
  if (holding_ || g_savedShowHint) return;
  g_savedShowHint = Application->ShowHint();
  Application->SetShowHint(false);
  holding_ = true;
}

void TsHintSuppression::End() {
  if (!holding_) return;
  holding_ = false;
  Application->SetShowHint(*g_savedShowHint);
  g_savedShowHint.reset();
}
