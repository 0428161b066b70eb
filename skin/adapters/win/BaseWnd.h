#pragma once
// The base of the adapters of scrollable client windows (edits, list boxes, list and tree views): the
// skinned bars are read again after the window was sized or scrolled, or after any message the derived
// class names as one that changes the content or the view; the frame is painted again after the window
// was enabled or disabled.

#include "skin/adapters/win/ScrollWnd.h"

class TacBaseWnd : public TacScrollWnd {
public:
  using TacScrollWnd::TacScrollWnd;

protected:
  void WndProc(TMessage &m) override;
  // Messages after which the bars may have changed, beyond sizing and scrolling.
  virtual bool ChangesView(const TMessage &) const { return false; }
};
