#pragma once
// The adapter of edits, memos and list boxes (and, through its descendants, list and tree views): the
// window's border is cut from a cache image of its skin section painted over the parent's background,
// its scroll bars are skinned, and its content stays the system's. A disabled window's frame is faded.
//
// The skinned memo keeps one while a skin is in force:
//
//   adapter_ = TacMainWnd::Create<TacEditWnd>({Handle(), &SkinData, "EDIT"});
//
// and the control adapter attaches one to each foreign edit it finds.

#include "skin/adapters/win/BaseWnd.h"

class TacEditWnd : public TacBaseWnd {
public:
  using TacBaseWnd::TacBaseWnd;

protected:
  void WndProc(TMessage &m) override;
  void PrepareCache() override;
  bool ChangesView(const TMessage &m) const override;

private:
  // The frame (the window outside its client area and bars) copied from the cache, then the bars.
  void PaintFrame(HDC windowDc);
  // WM_PRINT: the frame, then the client area printed inside it; the device context goes back as it came.
  void Print(HDC dc, LPARAM flags);
};

// The adapters of list views and tree views: their content is the system's, their border and bars the
// skin's.
class TacListViewWnd : public TacEditWnd {
public:
  using TacEditWnd::TacEditWnd;

protected:
  bool ChangesView(const TMessage &m) const override;
};

class TacTreeViewWnd : public TacEditWnd {
public:
  using TacEditWnd::TacEditWnd;

protected:
  bool ChangesView(const TMessage &m) const override;
};
