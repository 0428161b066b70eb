#pragma once
// How skin commands reach the windows of the program: to one control or window, down a control's
// children, to every form of the application and to the skinned forms (those whose frame provider has
// hooked in). Also what a frame provider answers the manager, and the window under the mouse.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/engine/SkinManager.h"
#include "skin/render/ParentLink.h"
#include "toolkit/ui/Forms.h"

// Registers the skin command message with the system by name (every part then uses SM_TESSORACMD).
void RegisterSkinCommandMessage();

// The message record of a skin command.
TMessage SkinCommand(uint16_t command, uint16_t param = 0, LPARAM lParam = 0);
inline LPARAM ManagerParam(const TsSkinManager &manager) { return reinterpret_cast<LPARAM>(&manager); }

// Runs the command through the control's handler directly, so answers put into lParam are seen.
TMessage PerformSkinCommand(TControl &control, uint16_t command, uint16_t param = 0, LPARAM lParam = 0);
// The same for a window: directly when the toolkit made it, else sent (then only the result answers).
TMessage SendSkinCommand(HWND window, uint16_t command, uint16_t param = 0, LPARAM lParam = 0);
// The parent as item painting asks it: its colour and its answers to AC_QUERYCOLOR and AC_QUERYOWNBG.
TsParentLink ParentLinkOf(TWinControl &parent);
// The same for a window the toolkit may not have made: that one has the button face colour and answers
// in its result. Nothing exists without a window.
TsParentLink ParentLinkOfWindow(HWND parent);
// The control answers AC_QUERYSKINNED (asked through its handler, then through its window).
bool AnswersSkinned(TControl &control);

// What a form's frame provider offers the manager; a form answers AC_QUERYPROVIDER with a pointer to it.
class TsFrameProviderLink {
public:
  virtual ~TsFrameProviderLink() = default;
  virtual TsSkinManager *ProviderManager() const = 0;
  // Brings the frame up to date after the form was thawed (Part of a skin change).
  virtual void UpdateFrame() = 0;
  // Renders the frame so that a picture of the form can be taken before it shows.
  virtual void PrepareFrame() = 0;
};
// The form's frame provider, or null.
TsFrameProviderLink *QueryProvider(TCustomForm &form);

// Forms whose frame provider has hooked in, in the order they hooked in; kept by the providers.
const std::vector<TCustomForm *> &SkinnedForms();
void AddSkinnedForm(TCustomForm &form);
void RemoveSkinnedForm(TCustomForm &form);

// A Tag or TabOrder of -98 keeps a control or form out of automatic skinning: the dialog hook and the
// window adapters leave it alone. A skinned control so marked still hears the skin commands.
constexpr int NoSkinTag = -98;
bool ExcludedFromSkinning(const TControl &control);

// The delivery operations.
void SendToChildren(TWinControl &control, TMessage message);
void BroadcastToForms(const TMessage &message);
void SendToSkinnedForms(const TMessage &message);
void FreezeForms(TsSkinManager &manager);
// With the skin-change animation when AnimEffects.SkinChanging is active.
void ThawForms(TsSkinManager &manager);

// The animation that shows a form fading in from what the screen showed (installed by the painting side).
using TsFormAnimation = std::function<void(TCustomForm &form, int time)>;
void SetSkinChangeAnimation(TsFormAnimation animation);

// Installed by the dialog skinning: the default manager's hook on windows being created and activated.
struct TsDialogHooks {
  std::function<void(TsSkinManager &)> Install;
  std::function<void(TsSkinManager &)> Remove;
};
void SetDialogHooks(TsDialogHooks hooks);

// The default manager's note of the window under the mouse: the previous one gets AC_MOUSELEAVE and
// the new one AC_MOUSEENTER; the same window again does nothing.
void SetWindowUnderMouse(HWND window);
HWND WindowUnderMouse();

// The windows side of managers on Windows.
std::unique_ptr<TsSkinWindows> CreateSkinWindows();
