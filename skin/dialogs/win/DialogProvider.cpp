#include "skin/dialogs/win/DialogProvider.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

// Flat scroll bars would paint over the skinned ones. Looked up at run time: the 32-bit import library of
// the common controls lacks the flat scroll bar functions.
void UninitializeFlatScrollBars(HWND window) {
  using Uninitialize = HRESULT(WINAPI *)(HWND);
  static const auto uninitialize = reinterpret_cast<Uninitialize>(
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "UninitializeFlatSB")));
  if (uninitialize) uninitialize(window);
}

std::vector<TacProvider *> providers;
// The system dialogs' providers belong to no component: they are kept here until their window goes.
std::vector<std::unique_ptr<TacProvider>> systemProviders;

bool IsSystemDialogClass(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return lstrcmpW(name, L"#32770") == 0 || lstrcmpW(name, L"TMessageForm") == 0;
}

// False when the provider is not kept here (it is still being made).
bool FreeSystemProvider(const TacProvider *provider) {
  const auto at = std::find_if(systemProviders.begin(), systemProviders.end(),
                               [provider](const auto &owned) { return owned.get() == provider; });
  if (at == systemProviders.end()) return false;
  const std::unique_ptr<TacProvider> freed = std::move(*at);
  systemProviders.erase(at);
  return true;
}

} // namespace

const TMetaClass &TacProvider::StaticMetaClass() { return DefineClass<TacProvider, TComponent>("TacProvider"); }

TacProvider::TacProvider(TComponent *owner, TCustomForm &form)
    : TComponent(owner), window_(form.Handle()), form_(&form) {
  providers.push_back(this);
  frameProvider_ = TComponent::Create<TsSkinProvider>(this);
  frameProvider_->MakeSkinMenu = false;
}

TacProvider::TacProvider(HWND dialog) : TComponent(nullptr), window_(dialog) { providers.push_back(this); }

TacProvider::~TacProvider() {
  dialogAdapter_.reset();
  std::erase(providers, this);
}

bool TacProvider::Attach() {
  if (!IsSystemDialogClass(window_)) return false;
  UninitializeFlatScrollBars(window_);
  dialogAdapter_ = TacMainWnd::Create<TacDialogWnd>({window_, nullptr, "DIALOG"});
  if (!dialogAdapter_) return false;
  if (!dialogAdapter_->AdaptChildren()) {
    // What was hooked goes again, the children first, the last hooked first.
    dialogAdapter_.reset();
    return false;
  }
  dialogAdapter_->OnGone = [this] { FreeSystemProvider(this); };
  dialogAdapter_->TakeSkin();
  return true;
}

const std::vector<TacProvider *> &DialogProviders() { return providers; }

TacProvider *FindDialogProvider(HWND window) {
  const auto at = std::find_if(providers.begin(), providers.end(),
                               [window](const TacProvider *provider) { return provider->Window() == window; });
  return at == providers.end() ? nullptr : *at;
}

bool SkinnedSystemDialogShown() {
  return std::any_of(providers.begin(), providers.end(), [](const TacProvider *provider) {
    return provider->DialogAdapter() && IsWindowVisible(provider->Window());
  });
}

TacProvider *SkinProgramForm(TCustomForm &form) { return TComponent::Create<TacProvider>(&form, form); }

TacProvider *SkinSystemDialog(HWND dialog) {
  auto provider = std::make_unique<TacProvider>(dialog);
  if (!provider->Attach()) return nullptr;
  systemProviders.push_back(std::move(provider));
  return systemProviders.back().get();
}

void FreeGoneDialogProviders() {
  std::vector<const TacProvider *> gone;
  for (const auto &provider : systemProviders)
    if (provider->DialogAdapter() && provider->DialogAdapter()->Destroyed()) gone.push_back(provider.get());
  for (const TacProvider *provider : gone)
    FreeSystemProvider(provider);
}

void FreeDialogProviders() {
  // The newest first, each taken out of the list as it goes.
  while (!providers.empty()) {
    TacProvider *provider = providers.back();
    if (provider->Form())
      provider->Free();
    else if (!FreeSystemProvider(provider))
      std::erase(providers, provider); // freed by whoever is making it
  }
}
