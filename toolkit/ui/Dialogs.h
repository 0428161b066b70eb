#pragma once
// The modal message dialog: a toolkit form of class TMessageForm with an icon, the text and one push
// button per answer, centred on the screen.

#include <string>

#include "toolkit/base/DialogTypes.h"
#include "toolkit/ui/Forms.h"

class TMessageForm : public TForm {
  TK_CLASS(TMessageForm)
public:
  explicit TMessageForm(TComponent *owner) : TForm(owner) {}

  // Puts the caption, the text and the buttons on the clipboard as plain text, as Ctrl+C and WM_COPY do.
  void CopyToClipboard();

protected:
  void WndProc(TMessage &message) override;
};

// Builds the dialog (owned by the application, not yet shown). Buttons stand left to right as
// "&Yes" (6), "&No" (7), "OK" (1), "Cancel" (2); OK, else Yes, is the default button; Escape presses
// Cancel, else No, else OK. A lone "\r" in text breaks the line; lines wrap at half the screen width.
TMessageForm *CreateMessageDialog(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons);

// Shows the dialog modally and returns the modal result of the button pressed (mrCancel when closed
// through the title bar). A prompt stand-in, when installed, answers instead.
int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons);
