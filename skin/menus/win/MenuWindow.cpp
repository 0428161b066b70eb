#include "skin/menus/win/MenuWindow.h"

#include <map>
#include <memory>
#include <utility>

#include "skin/menus/win/MenuPictures.h"

namespace {

constexpr const wchar_t *MenuWindowClass = L"#32768";

TsMenuBackdrop *backdrop = nullptr;
std::map<HWND, std::unique_ptr<TacMnuWnd>> adopted;
// The menu window printing itself now, and the context it prints into.
TsMenuSurface printing;
HDC printingDc = nullptr;

bool IsMenuWindow(HWND window) {
  wchar_t name[16] = {};
  return window && GetClassNameW(window, name, 16) && lstrcmpW(name, MenuWindowClass) == 0;
}

// The items that the window prints into dc belong to it.
class PrintScope {
public:
  PrintScope(HWND window, HDC dc)
      : saved_(std::exchange(printing, {window, true})), savedDc_(std::exchange(printingDc, dc)) {}
  ~PrintScope() {
    printing = saved_;
    printingDc = savedDc_;
  }
  PrintScope(const PrintScope &) = delete;
  PrintScope &operator=(const PrintScope &) = delete;

private:
  TsMenuSurface saved_;
  HDC savedDc_;
};

void CopyWhole(HDC dc, const Image24 &image) {
  CopyImageToDC(dc, image, {0, 0, image.Width(), image.Height()}, {0, 0});
}

} // namespace

void SetMenuBackdrop(TsMenuBackdrop *value) { backdrop = value; }

POINT ClientOriginOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  POINT client{0, 0};
  ClientToScreen(window, &client);
  return {client.x - r.left, client.y - r.top};
}

void TacMnuWnd::WndProc(TMessage &m) {
  const Image24 *background = backdrop ? backdrop->BackgroundOf(Window()) : nullptr;
  switch (m.Msg) {
  case WM_ERASEBKGND:
    if (!background) break;
    m.Result = 1; // the items lie over the background, which the window's frame copies already show
    return;
  case WM_NCPAINT:
    if (!background) break;
    PaintFrame(*background);
    return;
  case WM_PRINT:
    if (!background) break;
    Print(m, *background);
    return;
  case WM_DESTROY: {
    const HWND window = Window();
    if (backdrop) backdrop->WindowGone(window);
    TacScrollWnd::WndProc(m); // unhooks
    adopted.erase(window);    // frees this adapter
    return;
  }
  }
  TacScrollWnd::WndProc(m);
}

void TacMnuWnd::PaintFrame(const Image24 &background) {
  const WindowDC dc(Window(), true);
  const DcStateScope state(dc.Get());
  RECT client;
  GetClientRect(Window(), &client);
  const POINT origin = ClientOriginOf(Window());
  ExcludeClipRect(dc.Get(), origin.x, origin.y, origin.x + client.right, origin.y + client.bottom);
  CopyWhole(dc.Get(), background);
}

void TacMnuWnd::Print(TMessage &m, const Image24 &background) {
  const HDC dc = reinterpret_cast<HDC>(m.WParam);
  const DcStateScope state(dc);
  CopyWhole(dc, background);
  if (!(m.LParam & PRF_CLIENT)) return;
  const POINT origin = ClientOriginOf(Window());
  RECT client;
  GetClientRect(Window(), &client);
  OffsetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  const PrintScope scope(Window(), dc);
  TMessage items{WM_PRINTCLIENT, m.WParam, PRF_CLIENT, 0};
  CallPrevious(items);
}

TacMnuWnd *AdoptMenuWindow(HWND window) {
  if (auto it = adopted.find(window); it != adopted.end()) {
    // An adapter whose window went without telling it must not serve a new window of the same handle.
    if (!it->second->Destroyed() && TacMainWnd::Of(window) == it->second.get()) return it->second.get();
    adopted.erase(it);
  }
  if (!IsMenuWindow(window)) return nullptr;
  TacAdapterSetup setup{window, nullptr, "MAINMENU", DefaultManager()};
  setup.RepaintNow = false;
  std::unique_ptr<TacMnuWnd> adapter = TacMainWnd::Create<TacMnuWnd>(setup);
  if (!adapter) return nullptr;
  return adopted.emplace(window, std::move(adapter)).first->second.get();
}

int AdoptedMenuWindows() { return static_cast<int>(adopted.size()); }

void ReleaseMenuWindows() { adopted.clear(); }

TsMenuSurface MenuSurfaceOf(HDC dc) {
  if (dc && dc == printingDc) return printing;
  const HWND window = WindowFromDC(dc);
  return IsMenuWindow(window) ? TsMenuSurface{window, false} : TsMenuSurface{};
}
