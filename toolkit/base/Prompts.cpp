#include "toolkit/base/Prompts.h"

#include <utility>

namespace {
PromptStandIn *g_standIn = nullptr;
}

PromptStandIn *CurrentPromptStandIn() { return g_standIn; }

PromptStandIn *SetPromptStandIn(PromptStandIn *standIn) { return std::exchange(g_standIn, standIn); }

std::string ErrorReportText(const std::string &message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

int EscapeResult(TMsgDlgButtons buttons) {
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  if (buttons & mbOK) return mrOk;
  return mrCancel; // no button answers Escape: closing the box is all that is left
}

int DefaultResult(TMsgDlgButtons buttons) {
  if (buttons & mbOK) return mrOk;
  if (buttons & mbYes) return mrYes;
  return mrNone;
}
