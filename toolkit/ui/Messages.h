#pragma once
// Messages of the toolkit: the record every message handler takes, the notifications that controls send
// each other synchronously (Perform), and the reflected notifications (CN_) a parent hands back to the
// child control that caused them.

#include <windows.h>

#include <functional>

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// A message handler.
using TWndMethod = std::function<void(TMessage &)>;

// Notifications whose numbers the skin components rely on.
constexpr UINT CM_FOCUSCHANGED = 0xB007;   // to the form's controls; lParam = the control focused
constexpr UINT CM_VISIBLECHANGED = 0xB00B; // wParam = new Visible
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
constexpr UINT CM_COLORCHANGED = 0xB00D;
constexpr UINT CM_MOUSEENTER = 0xB013; // lParam = the control entered; goes on up the parents
constexpr UINT CM_MOUSELEAVE = 0xB014; // lParam = the control left
constexpr UINT CM_MENUCHANGED = 0xB015;
constexpr UINT CM_SHOWINGCHANGED = 0xB019;    // before a window appears or after it disappears
constexpr UINT CM_CONTROLLISTCHANGE = 0xB02C; // wParam = control, lParam = 1 on insert, 0 on removal
constexpr UINT CM_FLOAT = 0xB03A;
constexpr UINT CM_MOUSEWHEEL = 0xB043; // as WM_MOUSEWHEEL

// The toolkit's own notifications (free numbers of the same range).
constexpr UINT CM_DIALOGKEY = 0xB060;  // wParam = virtual key; Result 1 when used
constexpr UINT CM_DIALOGCHAR = 0xB061; // wParam = character; Result 1 when used
constexpr UINT CM_ENTER = 0xB062;      // the control becomes the form's active control
constexpr UINT CM_EXIT = 0xB063;       // the control stops being the form's active control
constexpr UINT CM_TEXTCHANGED = 0xB064;
constexpr UINT CM_FONTCHANGED = 0xB065;
constexpr UINT CM_PARENTFONTCHANGED = 0xB066;
constexpr UINT CM_PARENTCOLORCHANGED = 0xB067;
constexpr UINT CM_CHANGED = 0xB068;    // an edit's text changed (after EN_CHANGE)
constexpr UINT CM_UIACTIVATE = 0xB069; // to the active control when its form activates
constexpr UINT CM_BIDIMODECHANGED = 0xB06A;
constexpr UINT CM_ACTIONUPDATE = 0xB06B;
constexpr UINT CM_BUTTONPRESSED = 0xB06C; // a speed button went down; wParam = group index
constexpr UINT CM_CANCELMODE = 0xB06D;

// Notifications reflected from the parent back to the child window that sent them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
