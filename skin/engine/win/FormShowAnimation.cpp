#include "skin/engine/win/FormShowAnimation.h"

#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/Blending.h"
#include "skin/engine/FadeSteps.h"
#include "skin/pixels/win/DibStorage.h"

namespace {

constexpr wchar_t OutputWindowClass[] = L"TOutputWindow";
constexpr COLORREF OutputWindowColor = 0x800080;
TsFormShowFrameWatch frameWatch;

LRESULT CALLBACK OutputWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1; // the frames cover it all
  return DefWindowProcW(window, msg, wParam, lParam);
}

// The window the frames are shown on, for one animation.
class OutputWindow {
public:
  explicit OutputWindow(const RECT &bounds, bool topmost) {
    static HBRUSH background = CreateSolidBrush(OutputWindowColor);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = OutputWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = background;
    wc.lpszClassName = OutputWindowClass;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (topmost ? WS_EX_TOPMOST : 0), OutputWindowClass,
                              L"acOutputWindow", WS_POPUP, bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, Application->Handle(), nullptr, wc.hInstance, nullptr);
  }
  ~OutputWindow() {
    if (window_) DestroyWindow(window_);
  }
  OutputWindow(const OutputWindow &) = delete;
  OutputWindow &operator=(const OutputWindow &) = delete;

  HWND Handle() const { return window_; }
  void Show(const RECT &bounds, bool topmost) {
    SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  template <int N> void Draw(const BasicImage<N> &image) {
    HDC dc = GetDC(window_);
    if (!dc) return;
    ImageSurface surface(image);
    BitBlt(dc, 0, 0, image.Width(), image.Height(), surface.Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window_, dc);
  }

private:
  HWND window_ = nullptr;
};

Image24 ScreenUnder(const RECT &bounds) {
  Image24 image = CreateDib24(bounds.right - bounds.left, bounds.bottom - bounds.top);
  HDC screen = GetDC(nullptr);
  {
    ImageSurface surface(image);
    BitBlt(surface.Handle(), 0, 0, image.Width(), image.Height(), screen, bounds.left, bounds.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  return image;
}

// Prints a window into dc with its origin at (x, y).
void PrintWindowAt(HWND window, HDC dc, int x, int y, UINT what) {
  POINT old;
  SetViewportOrgEx(dc, x, y, &old);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), what);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

// The form and its visible windowed children as they will look.
Image24 PictureOf(TCustomForm &form, const RECT &bounds) {
  Image24 image = CreateDib24(bounds.right - bounds.left, bounds.bottom - bounds.top);
  ImageSurface surface(image);
  const HWND window = form.Handle();
  PrintWindowAt(window, surface.Handle(), 0, 0, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    PrintWindowAt(child, surface.Handle(), r.left - bounds.left, r.top - bounds.top,
                  PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  }
  return image;
}

} // namespace

void SetFormShowFrameWatch(TsFormShowFrameWatch watch) { frameWatch = std::move(watch); }

void AnimShowForm(TCustomForm &form, int time) {
  const HWND window = form.Handle();
  RECT bounds;
  GetWindowRect(window, &bounds);
  if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
  const bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;

  const Image24 screen = ScreenUnder(bounds);
  OutputWindow output(bounds, topmost);
  if (!output.Handle()) return;
  output.Show(bounds, topmost);

  const Image24 picture = PictureOf(form, bounds);
  Image32 frame = CreateDib32(picture.Width(), picture.Height());
  if (TsFrameProviderLink *provider = QueryProvider(form)) {
    provider->PrepareFrame();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR)
      SetWindowRgn(output.Handle(), region, FALSE); // the window owns the region now
    else
      DeleteObject(region);
  }

  const std::vector<uint8_t> weights = FormShowWeights(time);
  for (size_t i = 0; i < weights.size(); ++i) {
    if (i > 0) Sleep(FormShowFramePauseMs);
    CrossFade32(frame, screen, picture, weights[i], nullptr);
    output.Draw(frame);
    if (frameWatch) frameWatch(static_cast<int>(i), weights[i]);
  }
  output.Draw(picture);
  if (frameWatch) frameWatch(static_cast<int>(weights.size()), 0);
  if (!(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) ShowWindow(output.Handle(), SW_HIDE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
