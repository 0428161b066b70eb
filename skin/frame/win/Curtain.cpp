#include "skin/frame/win/Curtain.h"

#include "skin/pixels/win/DibStorage.h"
#include "toolkit/ui/ErrorPath.h"

namespace {

constexpr const wchar_t *CurtainClass = L"TsCurtain";

void RegisterCurtainClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = CurtainClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

} // namespace

TsCurtain::TsCurtain(HWND window, const Image24 &cache, int height) : cache_(cache) {
  RegisterCurtainClass(&TsCurtain::Procedure);
  RECT outer;
  GetWindowRect(window, &outer);
  const bool topmost = GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CurtainClass, L"", WS_POPUP, outer.left, outer.top,
                            outer.right - outer.left, height, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowPos(handle_, topmost ? HWND_TOPMOST : HWND_TOP, outer.left, outer.top, outer.right - outer.left, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  UpdateWindow(handle_);
}

TsCurtain::~TsCurtain() {
  if (handle_) DestroyWindow(handle_);
}

LRESULT CALLBACK TsCurtain::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *self = reinterpret_cast<TsCurtain *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT || !self) return DefWindowProcW(window, message, wParam, lParam);
  GuardCallback([&] {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!self->cache_.Empty()) {
      ImageSurface surface(self->cache_);
      RECT r;
      GetClientRect(window, &r);
      BitBlt(dc, 0, 0, r.right, r.bottom, surface.Handle(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
  });
  return 0;
}
