#include "skin/engine/win/SkinDelivery.h"

#include <algorithm>

#include "toolkit/base/Text.h"
#include "toolkit/ui/SystemInfo.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

std::vector<TCustomForm *> skinnedForms;
TsFormAnimation skinChangeAnimation;
TsDialogHooks dialogHooks;
HWND windowUnderMouse = nullptr;

LRESULT Send(HWND window, const TMessage &message) {
  return SendMessageW(window, message.Msg, message.WParam, message.LParam);
}

// Top-level forms that are shown and whose provider belongs to the manager: the ones a skin change
// freezes and redraws.
template <class Visit> void ForEachOwnSkinnedForm(TsSkinManager &manager, Visit visit) {
  for (TCustomForm *form : std::vector<TCustomForm *>(skinnedForms)) {
    // Visible as the form says: a frozen window has lost its visible style.
    if (form->FormStyle() == TFormStyle::fsMDIChild || form->Parent() || !form->HandleAllocated() || !form->Visible())
      continue;
    TsFrameProviderLink *provider = QueryProvider(*form);
    if (provider && provider->ProviderManager() == &manager) visit(*form, *provider);
  }
}

// The client window that holds the child forms of an MDI main form, or null.
HWND MdiClientOf(TCustomForm &form) {
  if (form.FormStyle() != TFormStyle::fsMDIForm || !form.HandleAllocated()) return nullptr;
  return FindWindowExW(form.Handle(), nullptr, L"MDICLIENT", nullptr);
}

// To the form's window, down its controls, and to the client window of an MDI main form.
void SendToForm(TCustomForm &form, const TMessage &message) {
  if (form.HandleAllocated()) Send(form.Handle(), message);
  SendToChildren(form, message);
  if (HWND client = MdiClientOf(form)) Send(client, message);
}

class WindowsOfTheProgram final : public TsSkinWindows {
public:
  void Broadcast(TsSkinManager &manager, uint16_t command) override {
    BroadcastToForms(SkinCommand(command, 0, ManagerParam(manager)));
  }
  void FreezeForms(TsSkinManager &manager) override { ::FreezeForms(manager); }
  void ThawForms(TsSkinManager &manager) override { ::ThawForms(manager); }
  void InstallDialogHook(TsSkinManager &manager) override {
    if (dialogHooks.Install) dialogHooks.Install(manager);
  }
  void RemoveDialogHook(TsSkinManager &manager) override {
    if (dialogHooks.Remove) dialogHooks.Remove(manager);
  }
  // While popups are skinned, the theme change would give menus back the system's look.
  void HookApplicationWindow(TsSkinManager &manager) override {
    hook_.Attach(Application->WindowHooks(), [&manager](TMessage &m, const TWindowHookNext &next) {
      if (m.Msg != WM_THEMECHANGED || !manager.SkinnedPopups()) next(m);
    });
  }
  void UnhookApplicationWindow(TsSkinManager &) override { hook_.Detach(); }
  std::string ProgramFolder() const override { return Narrow(::ProgramFolder()); }
  void ShowWarning(const std::string &text) override {
    MessageBoxW(GetActiveWindow(), Wide(text).c_str(), L"Warning", MB_OK | MB_ICONEXCLAMATION);
  }

private:
  TWindowHook hook_;
};

// A parent asked through ask; answersInResult: a foreign window, which can answer only in its result.
TsParentLink LinkAsking(TColor color, std::function<TMessage(uint16_t command, LPARAM lParam)> ask,
                        bool answersInResult) {
  TsParentLink link;
  link.Exists = true;
  link.Color = color;
  link.QueryColor = [ask]() -> std::optional<TColor> {
    TColor answer = KeyColor;
    ask(AC_QUERYCOLOR, reinterpret_cast<LPARAM>(&answer));
    if (answer == KeyColor) return std::nullopt;
    return answer;
  };
  link.QueryOwnBackground = [ask, answersInResult] {
    const TMessage answer = ask(AC_QUERYOWNBG, 0);
    return (answersInResult ? answer.Result : answer.LParam) == 1;
  };
  return link;
}

} // namespace

TsParentLink ParentLinkOf(TWinControl &parent) {
  return LinkAsking(
      parent.Color(),
      [&parent](uint16_t command, LPARAM lParam) { return PerformSkinCommand(parent, command, 0, lParam); }, false);
}

TsParentLink ParentLinkOfWindow(HWND parent) {
  if (!parent) return {};
  if (TWinControl *control = TWinControl::FindControl(parent)) return ParentLinkOf(*control);
  return LinkAsking(
      clBtnFace, [parent](uint16_t command, LPARAM lParam) { return SendSkinCommand(parent, command, 0, lParam); },
      true);
}

void RegisterSkinCommandMessage() { RegisterWindowMessageW(SkinCommandMessageName); }

TMessage SkinCommand(uint16_t command, uint16_t param, LPARAM lParam) {
  return TMessage{SM_TESSORACMD, SkinCommandWParam(command, param), lParam, 0};
}

TMessage PerformSkinCommand(TControl &control, uint16_t command, uint16_t param, LPARAM lParam) {
  TMessage message = SkinCommand(command, param, lParam);
  control.Dispatch(message);
  return message;
}

TMessage SendSkinCommand(HWND window, uint16_t command, uint16_t param, LPARAM lParam) {
  if (TWinControl *control = TWinControl::FindControl(window))
    return PerformSkinCommand(*control, command, param, lParam);
  TMessage message = SkinCommand(command, param, lParam);
  if (IsWindow(window)) message.Result = Send(window, message);
  return message;
}

bool AnswersSkinned(TControl &control) {
  const TMessage direct = PerformSkinCommand(control, AC_QUERYSKINNED);
  if (direct.LParam == 1 || direct.Result == 1) return true;
  auto *windowed = dynamic_cast<TWinControl *>(&control);
  return windowed && windowed->HandleAllocated() && Send(windowed->Handle(), SkinCommand(AC_QUERYSKINNED)) == 1;
}

TsFrameProviderLink *QueryProvider(TCustomForm &form) {
  return reinterpret_cast<TsFrameProviderLink *>(PerformSkinCommand(form, AC_QUERYPROVIDER).Result);
}

const std::vector<TCustomForm *> &SkinnedForms() { return skinnedForms; }

void AddSkinnedForm(TCustomForm &form) {
  if (std::find(skinnedForms.begin(), skinnedForms.end(), &form) == skinnedForms.end()) skinnedForms.push_back(&form);
}

void RemoveSkinnedForm(TCustomForm &form) { std::erase(skinnedForms, &form); }

bool ExcludedFromSkinning(const TControl &control) {
  const auto *windowed = dynamic_cast<const TWinControl *>(&control);
  return control.Tag() == NoSkinTag || (windowed && windowed->TabOrder() == NoSkinTag);
}

void SendToChildren(TWinControl &control, TMessage message) {
  for (int i = 0; i < control.ControlCount(); ++i) {
    TControl *child = control.Controls(i);
    if (child->IsDestroying()) break;
    auto *windowed = dynamic_cast<TWinControl *>(child);
    if (!windowed || !windowed->HandleAllocated() || !control.HandleAllocated()) {
      TMessage copy = message;
      child->Dispatch(copy);
    } else if (AnswersSkinned(*windowed)) {
      Send(windowed->Handle(), message);
    } else {
      SendToChildren(*windowed, message);
    }
  }
}

void BroadcastToForms(const TMessage &message) {
  TComponent &application = *Application;
  for (int i = application.ComponentCount() - 1; i >= 0; --i) {
    if (i >= application.ComponentCount()) continue; // a receiver freed forms meanwhile
    auto *form = dynamic_cast<TCustomForm *>(application.Components(i));
    if (!form || form->FormStyle() == TFormStyle::fsMDIChild || form->IsDestroying() || form->IsLoading()) continue;
    if (PerformSkinCommand(*form, AC_QUERYSKINNED).Result == 1) continue; // reached as a skinned form
    SendToForm(*form, message);
  }
  SendToSkinnedForms(message);
}

void SendToSkinnedForms(const TMessage &message) {
  for (TCustomForm *form : std::vector<TCustomForm *>(skinnedForms))
    if (std::find(skinnedForms.begin(), skinnedForms.end(), form) != skinnedForms.end() && !form->IsDestroying())
      SendToForm(*form, message);
}

void FreezeForms(TsSkinManager &manager) {
  ForEachOwnSkinnedForm(
      manager, [](TCustomForm &form, TsFrameProviderLink &) { SendMessageW(form.Handle(), WM_SETREDRAW, 0, 0); });
}

void ThawForms(TsSkinManager &manager) {
  const bool olderWindows = WindowsMajorVersion() < 6;
  ForEachOwnSkinnedForm(manager, [&](TCustomForm &form, TsFrameProviderLink &provider) {
    const TacSkinChanging &animation = manager.AnimEffects().SkinChanging;
    if (animation.Active && skinChangeAnimation) skinChangeAnimation(form, olderWindows ? animation.Time : 0);
    SendMessageW(form.Handle(), WM_SETREDRAW, 1, 0);
    if (olderWindows) SetWindowRgn(form.Handle(), nullptr, FALSE);
    provider.UpdateFrame();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_NOERASE | RDW_INVALIDATE);
  });
}

void SetSkinChangeAnimation(TsFormAnimation animation) { skinChangeAnimation = std::move(animation); }
void SetDialogHooks(TsDialogHooks hooks) { dialogHooks = std::move(hooks); }

void SetWindowUnderMouse(HWND window) {
  if (window == windowUnderMouse) return;
  const HWND previous = std::exchange(windowUnderMouse, window);
  TsSkinManager *manager = DefaultManager();
  if (!manager) return;
  if (previous) SendSkinCommand(previous, AC_MOUSELEAVE, 0, ManagerParam(*manager));
  if (window) SendSkinCommand(window, AC_MOUSEENTER, 0, ManagerParam(*manager));
}

HWND WindowUnderMouse() { return windowUnderMouse; }

std::unique_ptr<TsSkinWindows> CreateSkinWindows() { return std::make_unique<WindowsOfTheProgram>(); }
