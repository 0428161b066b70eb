#include "skin/adapters/win/BaseWnd.h"

void TacBaseWnd::WndProc(TMessage &m) {
  const bool frameChanges = m.Msg == WM_SIZE || m.Msg == WM_ENABLE;
  const bool viewChanges = m.Msg == WM_SIZE || m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL || ChangesView(m);
  if (frameChanges) SkinData().BackgroundStale = true;
  const auto alive = AliveFlag();
  TacScrollWnd::WndProc(m);
  if (!*alive) return;
  if (viewChanges) UpdateBars();
  if (frameChanges) RedrawWindow(Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}
