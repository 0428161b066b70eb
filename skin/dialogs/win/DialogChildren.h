#pragma once
// The adapters of a system dialog's child windows: every descendant with the child style, in Z order,
// takes the adapter its class calls for (skin/dialogs/DialogRules.h), in dialog mode; one that is already
// skin-aware is left alone, and classes whose adapter is not built keep the system's look. The adapters
// are freed in the reverse order of their making.

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/adapters/win/MainWnd.h"

class TacDialogChildren {
public:
  explicit TacDialogChildren(HWND dialog) : dialog_(dialog) {}
  ~TacDialogChildren() { Clear(); }
  TacDialogChildren(const TacDialogChildren &) = delete;
  TacDialogChildren &operator=(const TacDialogChildren &) = delete;

  // Adapts the children that have no adapter yet and forgets those whose window went. False when a child
  // vetoes skinning the dialog (a tab control of the one size that must keep the system's look); what was
  // adapted then stays until Clear.
  bool Adapt();
  // Frees every adapter, the last made first.
  void Clear();
  int Count() const { return static_cast<int>(adapters_.size()); }
  // Sends a skin command to every child whose adapter lives.
  void Send(uint16_t command) const;

private:
  bool AdaptBelow(HWND parent);

  HWND dialog_;
  std::vector<std::unique_ptr<TacMainWnd>> adapters_;
};
