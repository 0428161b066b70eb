#pragma once
// The system menu of a skinned system dialog: Restore, Move, Size, Minimize, Maximize, a divider and
// Close, shown and enabled as the dialog's border and state allow, each sending its system command to the
// dialog. A popup menu of the toolkit, so skinned menus reach it as any other popup; its commands come
// back to the dialog, whose adapter hands them on with Dispatch.

#include <windows.h>

#include <functional>

#include "skin/frame/win/BasicSystemMenu.h"

class TacSystemMenu : public TsBasicSystemMenu {
  TK_CLASS(TacSystemMenu)
public:
  // style: the dialog's window style as the adapter read it when it took the dialog over.
  TacSystemMenu(HWND dialog, DWORD style);

  void UpdateItems();
  // Shows the menu at a screen point with its items up to date.
  void PopupAt(POINT screen);
  // The command belongs to one of its items.
  bool Owns(UINT command);
  // The command of one of its items: run, and true; false for any other command.
  bool Dispatch(UINT command);

private:
  // Sends the system command to the dialog; with updateAfter the items follow the dialog's new state.
  std::function<void()> SystemCommand(WPARAM command, bool updateAfter);

  HWND dialog_;
  DWORD style_;
};
