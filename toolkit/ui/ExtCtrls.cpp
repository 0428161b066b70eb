#include "toolkit/ui/ExtCtrls.h"

#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/ErrorPath.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
constexpr wchar_t kTimerClass[] = L"KelvoraTimerWindow";
} // namespace

LRESULT CALLBACK TimerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_TIMER) return DefWindowProcW(window, msg, wParam, lParam);
  if (auto *timer = reinterpret_cast<TTimer *>(GetWindowLongPtrW(window, GWLP_USERDATA)))
    GuardCallback([&] { timer->Timer(); });
  return 0;
}

const TMetaClass &TTimer::StaticMetaClass() {
  return DefineClass<TTimer, TComponent>("TTimer", [](TClassBuilder<TTimer> &c) {
    c.Bool("Enabled", &TTimer::SetEnabled);
    c.Int("Interval", &TTimer::SetInterval);
    c.Event("OnTimer", &TTimer::OnTimer);
  });
}

TTimer::TTimer(TComponent *owner) : TComponent(owner) {
  // Each timer ticks on a message-only window of its own, which dies with it and takes any pending
  // tick along.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TimerWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kTimerClass;
  RegisterClassExW(&wc);
  window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  if (!window_) throw Exception("Not enough timers available");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  UpdateTimer();
}

TTimer::~TTimer() {
  ReleaseLinks();
  DestroyWindow(window_);
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(int milliseconds) {
  unsigned interval = milliseconds < 0 ? 0u : static_cast<unsigned>(milliseconds);
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_, kTimerId);
  // While a layout is read the timer waits for its final settings.
  if (!enabled_ || interval_ == 0 || IsLoading() || IsDestroying()) return;
  if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw Exception("Not enough timers available");
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

const TMetaClass &TImage::StaticMetaClass() {
  return DefineClass<TImage, TGraphicControl>("TImage", [](TClassBuilder<TImage> &c) {
    c.Bool("Center", &TImage::SetCenter);
    c.Bool("Stretch", &TImage::SetStretch);
  });
}

TImage::TImage(TComponent *owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetIcon(HICON icon) {
  icon_ = icon;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

void TImage::SetStretch(bool v) {
  stretch_ = v;
  Invalidate();
}

void TImage::Paint() {
  TCanvas &canvas = Canvas();
  if (icon_) {
    ICONINFO info{};
    int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    if (GetIconInfo(icon_, &info)) {
      GdiObject color(info.hbmColor), mask(info.hbmMask); // copies made for us
      BITMAP bm{};
      if (GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
        w = bm.bmWidth;
        h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
      }
    }
    int x = center_ ? (Width() - w) / 2 : 0, y = center_ ? (Height() - h) / 2 : 0;
    DrawIconEx(canvas.Handle(), x, y, icon_, stretch_ ? Width() : w, stretch_ ? Height() : h, 0, nullptr, DI_NORMAL);
    return;
  }
  if (bitmap_.Empty()) return;
  if (stretch_) return canvas.StretchDraw(ClientRect(), bitmap_);
  int x = center_ ? (Width() - bitmap_.Width()) / 2 : 0, y = center_ ? (Height() - bitmap_.Height()) / 2 : 0;
  canvas.Draw(x, y, bitmap_);
}
