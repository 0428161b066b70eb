#include "skin/dialogs/win/DialogChildren.h"

#include <algorithm>

#include "skin/adapters/win/BtnWnd.h"
#include "skin/adapters/win/EditWnd.h"
#include "skin/dialogs/DialogRules.h"
#include "skin/dialogs/win/StaticWnd.h"
#include "skin/engine/win/SkinDelivery.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

// The adapter of a kind; none for kinds whose adapter is not built, which keep the system's look.
std::unique_ptr<TacMainWnd> CreateChildAdapter(TacChildAdapter kind, const TacAdapterSetup &setup) {
  switch (kind) {
  case TacChildAdapter::Static: return TacMainWnd::Create<TacStaticWnd>(setup);
  case TacChildAdapter::Icon: return TacMainWnd::Create<TacIconWnd>(setup);
  case TacChildAdapter::PushButton: return TacMainWnd::Create<TacBtnWnd>(setup);
  case TacChildAdapter::Edit:
  case TacChildAdapter::ComboList: return TacMainWnd::Create<TacEditWnd>(setup);
  case TacChildAdapter::ListView: return TacMainWnd::Create<TacListViewWnd>(setup);
  case TacChildAdapter::TreeView: return TacMainWnd::Create<TacTreeViewWnd>(setup);
  default: return nullptr;
  }
}

std::string ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Narrow(name);
}

bool SkinAware(HWND window) { return TacMainWnd::Of(window) || SendSkinCommand(window, AC_QUERYSKINNED).Result == 1; }

} // namespace

bool TacDialogChildren::Adapt() {
  std::erase_if(adapters_, [](const std::unique_ptr<TacMainWnd> &adapter) { return adapter->Destroyed(); });
  return AdaptBelow(dialog_);
}

bool TacDialogChildren::AdaptBelow(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const auto style = static_cast<uint32_t>(GetWindowLongW(child, GWL_STYLE));
    if ((style & WS_CHILD) && !SkinAware(child)) {
      RECT r;
      GetWindowRect(child, &r);
      const TacChildChoice choice = ChildAdapterFor(ClassNameOf(child), style, {r.right - r.left, r.bottom - r.top});
      if (choice.Adapter == TacChildAdapter::Veto) return false;
      const TacAdapterSetup setup{child, nullptr, std::string(choice.Section), nullptr, true, true};
      if (auto adapter = CreateChildAdapter(choice.Adapter, setup)) adapters_.push_back(std::move(adapter));
    }
    if (!AdaptBelow(child)) return false;
  }
  return true;
}

void TacDialogChildren::Clear() {
  while (!adapters_.empty())
    adapters_.pop_back();
}

void TacDialogChildren::Send(uint16_t command) const {
  std::vector<HWND> windows;
  for (const auto &adapter : adapters_)
    if (!adapter->Destroyed()) windows.push_back(adapter->Window());
  for (HWND window : windows)
    SendSkinCommand(window, command);
}
