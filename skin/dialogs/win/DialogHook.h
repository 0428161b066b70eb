#pragma once
// The default skin manager's hook on the windows of the GUI thread (a computer-based-training hook),
// installed once a skin is applied and removed with it: a window that is activated and not skinned yet is
// taken over when the manager's SkinningRules allow it — a form of the program (the message form with
// srStdDialogs, any other with srStdForms) gets a frame provider, any other window with srStdDialogs, when
// it is a system dialog, the dialog adapter; a second system dialog shown while a skinned one is visible
// keeps the system's look; a popup menu window gets its adapter from the menus layer as it is created.
// Removing the hook frees everything it attached.
//
// The dialogs layer hands the two calls to the manager at start-up (InitializeSkinDialogs).

#include <windows.h>

#include "skin/engine/SkinManager.h"

void InstallDialogHook(TsSkinManager &manager);
void RemoveDialogHook(TsSkinManager &manager);
bool DialogHookInstalled();
