#pragma once
// What the dialog hook attaches to a window it takes over: for a form of the program (the message form
// among them) a frame provider, which makes the form an ordinary skinned form; for a system dialog the
// dialog adapter with the adapters of its children. A form's provider belongs to the form and goes with
// it; a system dialog's goes with its window. Every provider is in the list from its making to its end, and
// leaves it then (the list does not grow with every dialog shown).

#include <windows.h>

#include <vector>

#include "skin/dialogs/win/DialogWnd.h"
#include "skin/frame/win/SkinProvider.h"

class TacProvider : public TComponent {
  TK_CLASS(TacProvider)
public:
  // A form's provider, owned by the form: it makes the frame provider (without the skins in its system
  // menu).
  TacProvider(TComponent *owner, TCustomForm &form);
  // A system dialog's provider; Attach takes the dialog over.
  explicit TacProvider(HWND dialog);
  ~TacProvider() override;

  HWND Window() const { return window_; }
  TCustomForm *Form() const { return form_; }
  TsSkinProvider *FrameProvider() const { return frameProvider_; }
  // The dialog's adapter; null for a form, or while the dialog is not taken over.
  TacDialogWnd *DialogAdapter() const { return dialogAdapter_.get(); }

private:
  friend TacProvider *SkinSystemDialog(HWND dialog);
  // Takes the system dialog over; false when it stays unskinned (nothing of it is hooked then).
  bool Attach();

  HWND window_;
  TCustomForm *form_ = nullptr;
  TsSkinProvider *frameProvider_ = nullptr;
  std::unique_ptr<TacDialogWnd> dialogAdapter_;
};

// The providers made and not yet freed, oldest first.
const std::vector<TacProvider *> &DialogProviders();
// The provider of a window, or null.
TacProvider *FindDialogProvider(HWND window);
// A visible system dialog that is skinned.
bool SkinnedSystemDialogShown();

// Gives a form of the program a frame provider; the form owns it.
TacProvider *SkinProgramForm(TCustomForm &form);
// Takes a system dialog over; null when it stays unskinned. The provider is freed when its window goes.
TacProvider *SkinSystemDialog(HWND dialog);
// Frees the system dialogs' providers whose dialog adapter has seen its window go.
void FreeGoneDialogProviders();
// Frees every provider: forms get their own frame back, system dialogs the system's.
void FreeDialogProviders();
