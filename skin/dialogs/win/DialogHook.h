#pragma once
// The default skin manager's hook on the windows of the GUI thread (a computer-based-training hook),
// installed once a skin is applied and removed with it: a window that is activated and not skinned yet is
// taken over when the manager's SkinningRules allow it — a form of the program (the message form with
// srStdDialogs, any other with srStdForms) gets a frame provider, any other window with srStdDialogs, when
// it is a system dialog, the dialog adapter; a second system dialog shown while a skinned one is visible
// keeps the system's look. Removing the hook frees everything it attached.
//
// The dialogs layer hands the two calls to the manager at start-up (InitializeSkinDialogs).

#include <windows.h>

#include <functional>
#include <memory>

#include "skin/adapters/win/MainWnd.h"
#include "skin/engine/SkinManager.h"

void InstallDialogHook(TsSkinManager &manager);
void RemoveDialogHook(TsSkinManager &manager);
bool DialogHookInstalled();

// Makes the adapter of a popup menu window ("#32768") as the window is created, or none. The hook keeps
// each adapter until its window goes (or the hook is removed). None is set until skinned menus set one.
using TacMenuWindowFactory = std::function<std::unique_ptr<TacMainWnd>(HWND menuWindow)>;
void SetMenuWindowFactory(TacMenuWindowFactory factory);
