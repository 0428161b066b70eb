#pragma once
// Where the modal questions go: the real message dialog and error report, or a stand-in that tests
// install to answer them (toolkit/testing/ScriptedPrompts.h).

#include <string>

#include "toolkit/base/DialogTypes.h"

class PromptStandIn {
public:
  virtual ~PromptStandIn() = default;
  // Answers in place of the message dialog; returns the modal result.
  virtual int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
  // Takes the default error report's text and caption in place of the system message box.
  virtual void ErrorReport(const std::string &text, const std::string &caption) = 0;
};

// The stand-in in force (null: the real dialogs). Setting one returns the one it replaces.
PromptStandIn *CurrentPromptStandIn();
PromptStandIn *SetPromptStandIn(PromptStandIn *standIn);

// The text the default error report shows for an error message: a full stop is added when the last
// character sorts after "." (so "!" and "." endings stay as they are).
std::string ErrorReportText(const std::string &message);

// The result of the button Escape presses: Cancel when present, else No, else OK; without any of them,
// mrCancel, what closing the box gives. Stand-ins use it for questions nobody scripted an answer to.
int EscapeResult(TMsgDlgButtons buttons);
// The result of the default button (Enter): OK when present, else Yes; mrNone when neither is there.
int DefaultResult(TMsgDlgButtons buttons);
