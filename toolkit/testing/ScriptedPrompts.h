#pragma once
// A stand-in for the modal questions in unit tests: it answers message dialogs from a script, takes
// error reports, and records everything that was asked. Installed for its lifetime.

#include <deque>
#include <string>
#include <vector>

#include "toolkit/base/Prompts.h"

struct AskedPrompt {
  enum class Kind { MessageDialog, ErrorReport };
  Kind kind;
  std::string text;
  TMsgDlgType type = TMsgDlgType::mtCustom; // message dialogs only
  TMsgDlgButtons buttons = 0;               // message dialogs only
  std::string caption;                      // error reports only
};

class ScriptedPrompts : public PromptStandIn {
public:
  ScriptedPrompts();
  ~ScriptedPrompts() override;
  ScriptedPrompts(const ScriptedPrompts &) = delete;
  ScriptedPrompts &operator=(const ScriptedPrompts &) = delete;

  // Queues the results the next message dialogs return, in order.
  ScriptedPrompts &Answer(int modalResult);
  // Everything asked so far, in order.
  const std::vector<AskedPrompt> &Asked() const { return asked_; }
  // Message dialogs asked after the script ran out; each was answered as Escape would answer it.
  int Unanswered() const { return unanswered_; }
  int PendingAnswers() const { return static_cast<int>(answers_.size()); }
  std::vector<std::string> ErrorReports() const;

  int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  void ErrorReport(const std::string &text, const std::string &caption) override;

private:
  PromptStandIn *previous_;
  std::deque<int> answers_;
  std::vector<AskedPrompt> asked_;
  int unanswered_ = 0;
};
