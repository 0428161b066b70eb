#include "tests/skin_adapters/SkinnedFormsTest.h"

#include "skin/engine/win/SkinEngine.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "toolkit/ui/Graphics.h"

void SkinnedFormsTest::SetUpTestSuite() {
  Application->Initialize();
  InitializeSkinEngine();
}

SkinnedFormsTest::SkinnedFormsTest() {
  manager = std::make_unique<TsSkinManager>(nullptr);
  AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
  manager->AnimEffects().SkinChanging.Active = false;
}

SkinnedFormsTest::~SkinnedFormsTest() {
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    (*it)->Free();
  manager.reset();
}

void SkinnedFormsTest::LoadSkin() { manager->SetSkinName(InternalSkinName); }

TForm *SkinnedFormsTest::Form(int clientWidth, int clientHeight) {
  auto *form = TComponent::Create<TForm>(Application);
  form->SetBounds(40, 40, 100, 100);
  form->SetClientSize(clientWidth, clientHeight);
  form->Show();
  forms.push_back(form);
  return form;
}

namespace {
Image24 WindowSizedImage(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return CreateDib24(r.right - r.left, r.bottom - r.top);
}
} // namespace

Image24 ScreenOfWindow(HWND window) {
  Image24 image = WindowSizedImage(window);
  const WindowDC screen(window, true);
  const ImageSurface surface(image);
  BitBlt(surface.Handle(), 0, 0, image.Width(), image.Height(), screen.Get(), 0, 0, SRCCOPY);
  return image;
}

Image24 PrintOfWindow(HWND window) {
  Image24 image = WindowSizedImage(window);
  const ImageSurface surface(image);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(surface.Handle()),
               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  return image;
}

RECT InWindow(HWND window, RECT screen) {
  RECT frame;
  GetWindowRect(window, &frame);
  OffsetRect(&screen, -frame.left, -frame.top);
  return screen;
}

bool SameArea(const Image24 &a, const Image24 &b, const RECT &r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

int CountColor(const Image24 &image, const RECT &r, TColor color) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      count += image.Pixel(x, y) == color;
  return count;
}

void MouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  Pump(30);
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
  Pump(30);
}

void Pump(unsigned milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
      Application->ProcessMessages();
    else
      Sleep(2);
  }
}
