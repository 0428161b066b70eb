#include "skin/dialogs/win/DialogHook.h"

#include <utility>

#include "skin/dialogs/win/DialogProvider.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/menus/win/MenuWindow.h"
#include "toolkit/ui/ErrorPath.h"

namespace {

HHOOK hook = nullptr;

bool HasClass(HWND window, const wchar_t *name) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return lstrcmpiW(className, name) == 0;
}

struct ClassSearch {
  const wchar_t *name;
  bool found;
};

BOOL CALLBACK MatchChildClass(HWND child, LPARAM data) {
  auto &search = *reinterpret_cast<ClassSearch *>(data);
  search.found = HasClass(child, search.name);
  return !search.found;
}

bool HasDescendantOfClass(HWND window, const wchar_t *name) {
  ClassSearch search{name, false};
  EnumChildWindows(window, MatchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool AnswersSkinned(HWND window) {
  const TMessage answer = SendSkinCommand(window, AC_QUERYSKINNED);
  return answer.LParam == 1 || answer.Result == 1;
}

// A window being activated is taken over when the manager's rules allow it.
void ConsiderForSkinning(HWND window) {
  TsSkinManager *manager = DefaultManager();
  if (!manager || FindDialogProvider(window) || AnswersSkinned(window)) return;
  if (HasClass(window, L"TApplication") || HasClass(window, L"TQRStandardPreview")) return;
  const TacSkinningRules rules = manager->SkinningRules();
  if (auto *form = dynamic_cast<TCustomForm *>(TWinControl::FindControl(window))) {
    if (ExcludedFromSkinning(*form)) return;
    const bool messageForm = form->ClassName() == "TMessageForm";
    if (!(rules & (messageForm ? srStdDialogs : srStdForms))) return;
    SkinProgramForm(*form);
    return;
  }
  if (!(rules & srStdDialogs)) return;
  // One system dialog at a time wears the skin; a second one keeps the system's look, unless it holds a
  // toolbar (as the system's file dialogs do).
  if (SkinnedSystemDialogShown() && !HasDescendantOfClass(window, L"ToolbarWindow32")) return;
  SkinSystemDialog(window);
}

// A popup menu window gets its one adapter from the menus layer, which frees it when the window goes.
void WindowCreated(HWND window) {
  if (HasClass(window, L"#32768")) AdoptMenuWindow(window);
}

LRESULT CALLBACK DialogHookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
  if (code < 0) return result;
  GuardHookProcedure([&] {
    const auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: WindowCreated(window); break;
    case HCBT_DESTROYWND: FreeGoneDialogProviders(); break;
    case HCBT_ACTIVATE: ConsiderForSkinning(window); break;
    default: break;
    }
  });
  return result;
}

} // namespace

void InstallDialogHook(TsSkinManager &) {
  if (hook) return;
  hook = SetWindowsHookExW(WH_CBT, DialogHookProcedure, nullptr, GetCurrentThreadId());
}

void RemoveDialogHook(TsSkinManager &) {
  if (!hook) return;
  UnhookWindowsHookEx(std::exchange(hook, nullptr));
  FreeDialogProviders();
}

bool DialogHookInstalled() { return hook != nullptr; }
