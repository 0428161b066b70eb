#include "toolkit/testing/ScriptedPrompts.h"

ScriptedPrompts::ScriptedPrompts() : previous_(SetPromptStandIn(this)) {}

ScriptedPrompts::~ScriptedPrompts() { SetPromptStandIn(previous_); }

ScriptedPrompts &ScriptedPrompts::Answer(int modalResult) {
  answers_.push_back(modalResult);
  return *this;
}

std::vector<std::string> ScriptedPrompts::ErrorReports() const {
  std::vector<std::string> texts;
  for (const AskedPrompt &p : asked_)
    if (p.kind == AskedPrompt::Kind::ErrorReport) texts.push_back(p.text);
  return texts;
}

int ScriptedPrompts::MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) {
  asked_.push_back({AskedPrompt::Kind::MessageDialog, text, type, buttons, {}});
  if (answers_.empty()) {
    ++unanswered_;
    return EscapeResult(buttons);
  }
  int result = answers_.front();
  answers_.pop_front();
  return result;
}

void ScriptedPrompts::ErrorReport(const std::string &text, const std::string &caption) {
  asked_.push_back({AskedPrompt::Kind::ErrorReport, text, TMsgDlgType::mtCustom, 0, caption});
}
