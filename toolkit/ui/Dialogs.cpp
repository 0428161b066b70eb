#include "toolkit/ui/Dialogs.h"

#include <algorithm>
#include <memory>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Prompts.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

constexpr int kMargin = 12;      // around the contents
constexpr int kIconSpacing = 12; // between the icon and the text
constexpr int kButtonGap = 8;    // between two buttons
constexpr int kButtonTop = 16;   // between the text and the buttons
constexpr int kButtonWidth = 75, kButtonHeight = 25;

struct DialogButton {
  TMsgDlgBtn button;
  const char *name;
  const char *caption;
  int result;
};

constexpr DialogButton kButtons[] = {
    {mbYes, "Yes", "&Yes", mrYes},
    {mbNo, "No", "&No", mrNo},
    {mbOK, "OK", "OK", mrOk},
    {mbCancel, "Cancel", "Cancel", mrCancel},
};

const char *CaptionOf(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning: return "Warning";
  case TMsgDlgType::mtError: return "Error";
  case TMsgDlgType::mtInformation: return "Information";
  case TMsgDlgType::mtConfirmation: return "Confirm";
  case TMsgDlgType::mtCustom: break;
  }
  return "";
}

HICON IconOf(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning: return LoadIconW(nullptr, IDI_WARNING);
  case TMsgDlgType::mtError: return LoadIconW(nullptr, IDI_ERROR);
  case TMsgDlgType::mtInformation: return LoadIconW(nullptr, IDI_INFORMATION);
  case TMsgDlgType::mtConfirmation: return LoadIconW(nullptr, IDI_QUESTION);
  case TMsgDlgType::mtCustom: break;
  }
  return nullptr;
}

// The text's size when wrapped at half the screen width, every character shown as it is.
SIZE MeasureText(const TFont &font, const std::string &text) {
  MemoryDC dc;
  TCanvas canvas;
  CanvasHandleScope scope(canvas, dc.Get());
  canvas.Font().Assign(font);
  return canvas.TextRectSize(text, ScreenInstance().Width() / 2, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
}

} // namespace

const TMetaClass &TMessageForm::StaticMetaClass() { return DefineClass<TMessageForm, TForm>("TMessageForm"); }

void TMessageForm::WndProc(TMessage &message) {
  if (message.Msg == WM_COPY || (message.Msg == CM_DIALOGCHAR && message.WParam == 3 /* Ctrl+C */)) {
    CopyToClipboard();
    message.Result = 1;
    return;
  }
  TForm::WndProc(message);
}

void TMessageForm::CopyToClipboard() {
  const std::string rule = "---------------------------\r\n";
  std::string text = rule + Caption() + "\r\n" + rule;
  if (auto *label = FindComponent<TLabel>("Message")) {
    // Lone carriage returns break the dialog's lines; on the clipboard each break is a full line end.
    for (char c : label->Caption())
      text += c == '\r' ? std::string("\r\n") : std::string(1, c);
    text += "\r\n";
  }
  text += rule;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto *button = dynamic_cast<TButton *>(Components(i))) {
      for (char c : button->Caption())
        if (c != '&') text += c;
      text += "   ";
    }
  text += "\r\n" + rule;

  std::wstring wide = Wide(text);
  if (!OpenClipboard(Handle())) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t))) {
    std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t *>(GlobalLock(memory)));
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

TMessageForm *CreateMessageDialog(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) {
  auto *form = TComponent::Create<TMessageForm>(Application);
  try {
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetBorderIcons(biSystemMenu);
    form->SetPosition(TPosition::poScreenCenter);
    form->SetCaption(CaptionOf(type));

    int textLeft = kMargin;
    int iconHeight = 0;
    if (HICON icon = IconOf(type)) {
      auto *image = TComponent::Create<TImage>(form);
      image->SetName("Image");
      image->SetParent(form);
      int size = GetSystemMetrics(SM_CXICON);
      image->SetBounds(kMargin, kMargin, size, size);
      image->SetIcon(icon);
      textLeft += size + kIconSpacing;
      iconHeight = size;
    }

    auto *label = TComponent::Create<TLabel>(form);
    label->SetName("Message");
    label->SetParent(form);
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetShowAccelChar(false); // "&" in a folder name is text, not an accelerator mark
    SIZE textSize = MeasureText(label->Font(), text);
    label->SetBounds(textLeft, kMargin, textSize.cx, textSize.cy);
    label->SetCaption(text);

    std::vector<const DialogButton *> present;
    for (const DialogButton &button : kButtons)
      if (buttons & button.button) present.push_back(&button);
    int buttonsWidth = static_cast<int>(present.size()) * kButtonWidth +
                       std::max(0, static_cast<int>(present.size()) - 1) * kButtonGap;
    int contentWidth = std::max(textLeft - kMargin + static_cast<int>(textSize.cx), buttonsWidth);
    int buttonTop = kMargin + std::max(iconHeight, static_cast<int>(textSize.cy)) + kButtonTop;
    int clientWidth = contentWidth + 2 * kMargin;

    int defaultResult = DefaultResult(buttons), escapeResult = EscapeResult(buttons);
    int x = (clientWidth - buttonsWidth) / 2;
    int tabOrder = 0;
    for (const DialogButton *kind : present) {
      auto *button = TComponent::Create<TButton>(form);
      button->SetName(kind->name);
      button->SetParent(form);
      button->SetCaption(kind->caption);
      button->SetModalResult(kind->result);
      button->SetBounds(x, buttonTop, kButtonWidth, kButtonHeight);
      button->SetTabOrder(tabOrder++);
      if (kind->result == defaultResult) {
        button->SetDefault(true);
        form->SetActiveControl(button);
      }
      if (kind->result == escapeResult) button->SetCancel(true);
      x += kButtonWidth + kButtonGap;
    }
    form->SetClientSize(clientWidth, buttonTop + kButtonHeight + kMargin);
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}

int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) {
  if (PromptStandIn *standIn = CurrentPromptStandIn()) return standIn->MessageDlg(text, type, buttons);
  TMessageForm *form = CreateMessageDialog(text, type, buttons);
  struct FreeForm {
    TMessageForm *form;
    ~FreeForm() { form->Free(); }
  } freeForm{form};
  return form->ShowModal();
}
