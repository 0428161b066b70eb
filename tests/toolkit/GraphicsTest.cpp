// Graphics over GDI (bitmaps, canvas, fonts, colours), the speed button, and subclassing foreign windows.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/base/Stream.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/SystemInfo.h"
#include "toolkit/ui/WindowSubclass.h"

namespace {

// A 2x2 bottom-up 8-bit BMP file with a four-colour palette.
std::vector<uint8_t> EightBitBmp() {
  std::vector<uint8_t> file(14 + 40 + 4 * 4 + 2 * 4, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      file[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 14 + 40 + 16);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);        // bottom-up
  file[26] = 1;        // planes
  file[28] = 8;        // bits per pixel
  put32(46, 4);        // colours used
  put32(54, 0x0000FF); // palette: blue, green, red, white (B, G, R, 0)
  put32(58, 0x00FF00);
  put32(62, 0xFF0000);
  put32(66, 0xFFFFFF);
  file[70] = 0; // bottom row: blue, green
  file[71] = 1;
  file[74] = 2; // top row: red, white
  file[75] = 3;
  return file;
}

TEST(Bitmap, ReadsEightBitImagesIntoTopDownRowsWithADeepCopy) {
  std::vector<uint8_t> bytes = EightBitBmp();
  TBytesStream stream(bytes.data(), bytes.size());
  TBitmap bitmap;
  bitmap.LoadFromStream(stream);
  ASSERT_EQ(bitmap.Width(), 2);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  const uint8_t *top = bitmap.ScanLine(0), *bottom = bitmap.ScanLine(1);
  EXPECT_EQ(bottom - top, bitmap.Stride());
  EXPECT_EQ((std::vector<int>{top[0], top[1], top[2], top[3], top[4], top[5]}),
            (std::vector<int>{0, 0, 255, 255, 255, 255}));                                       // red, white (B, G, R)
  EXPECT_EQ((std::vector<int>{bottom[0], bottom[1], bottom[2]}), (std::vector<int>{255, 0, 0})); // blue
  EXPECT_EQ(bitmap.TransparentColor(), clBlue); // the bottom-left pixel

  TBitmap copy;
  copy.Assign(bitmap);
  bitmap.ScanLine(0)[0] = 7;
  EXPECT_EQ(copy.ScanLine(0)[0], 0);
  copy.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(copy.ScanLine(1)[4 + 1], 255); // green survives the conversion
  EXPECT_THROW(copy.ScanLine(2), EInvalidGraphic);

  bytes[10] = 0xFF; // pixel data beyond the end
  TBytesStream broken(bytes.data(), bytes.size());
  EXPECT_THROW(bitmap.LoadFromStream(broken), EInvalidGraphic);
}

TEST(Canvas, DrawsOnABitmapWithItsBrushAndMeasuresText) {
  TBitmap bitmap;
  bitmap.SetSize(20, 10);
  TCanvas &canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({0, 0, 20, 10});
  canvas.SetPixel(3, 4, clLime);
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(3, 4), RGB(0, 255, 0));
  EXPECT_GT(canvas.TextWidth("Установка"), canvas.TextWidth("Уст"));
  EXPECT_GT(canvas.TextHeight("X"), 0);
  EXPECT_EQ(canvas.TextRectSize("Установка", 1000, DT_SINGLELINE).cx, canvas.TextWidth("Установка"));
  EXPECT_GT(canvas.TextRectSize("R&D", 1000, DT_SINGLELINE | DT_NOPREFIX).cx,
            canvas.TextRectSize("R&D", 1000, DT_SINGLELINE).cx);
  EXPECT_EQ(canvas.TextRectSize("a b", canvas.TextWidth("a"), DT_WORDBREAK).cy, 2 * canvas.TextHeight("a"));
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(RGBColor(1, 2, 3)), RGB(1, 2, 3));
}

TEST(Font, DefaultsAndHandleFollowTheProperties) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  font.SetStyle(fsBold);
  LOGFONTW lf{};
  GetObjectW(font.Handle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);
  int changes = 0;
  font.OnChange = [&](TObject *) { ++changes; };
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  TFont other;
  other.Assign(font);
  EXPECT_TRUE(other.SameAs(font));
  EXPECT_EQ(changes, 1);
}

class SpeedButtonTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 100);
    for (TSpeedButton *&b : buttons) {
      b = TComponent::Create<TSpeedButton>(form);
      b->SetParent(form);
    }
    buttons[0]->SetBounds(10, 10, 20, 20);
    buttons[1]->SetBounds(40, 10, 20, 20);
    form->Show();
  }
  void TearDown() override { form->Free(); }
  void ClickAt(int x, int y) {
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  TForm *form = nullptr;
  TSpeedButton *buttons[2] = {};
};

TEST_F(SpeedButtonTest, PressesWhileHeldAndClicksOnRelease) {
  int clicks = 0;
  buttons[0]->OnClick = [&](TObject *) { ++clicks; };
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
  EXPECT_EQ(buttons[0]->State(), TButtonState::bsDown);
  SendMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 80)); // dragged off: up again
  EXPECT_EQ(buttons[0]->State(), TButtonState::bsUp);
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 80));
  EXPECT_EQ(clicks, 0);
  ClickAt(15, 15);
  EXPECT_EQ(clicks, 1);
  buttons[0]->SetEnabled(false);
  EXPECT_EQ(buttons[0]->State(), TButtonState::bsDisabled);
  ClickAt(15, 15);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, GroupedButtonsStayDownOneAtATime) {
  for (TSpeedButton *b : buttons)
    b->SetGroupIndex(1);
  ClickAt(15, 15);
  EXPECT_TRUE(buttons[0]->Down());
  ClickAt(45, 15);
  EXPECT_TRUE(buttons[1]->Down());
  EXPECT_FALSE(buttons[0]->Down());
  EXPECT_EQ(buttons[1]->State(), TButtonState::bsExclusive);
  ClickAt(45, 15); // without AllowAllUp the last one stays down
  EXPECT_TRUE(buttons[1]->Down());
}

TEST(WindowSubclass, HandlerSeesForeignMessagesFirstAndPassesTheRestOn) {
  HWND window = CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  constexpr UINT kAsk = WM_APP + 3;
  int seen = 0;
  {
    WindowSubclass subclass(window, [&](TMessage &m) {
      ++seen;
      if (m.Msg != kAsk) return false;
      m.Result = 99;
      return true;
    });
    ASSERT_TRUE(subclass.Attached());
    EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 99);
    EXPECT_EQ(WindowText(window), "foreign"); // WM_GETTEXT passed on
  }
  EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 0);
  EXPECT_GE(seen, 2);

  // An older subclass removed first, and one that frees itself inside its own message.
  auto older = std::make_unique<WindowSubclass>(window, [](TMessage &) { return false; });
  std::unique_ptr<WindowSubclass> self;
  self = std::make_unique<WindowSubclass>(window, [&](TMessage &m) {
    if (m.Msg == kAsk) self.reset();
    return false;
  });
  older.reset();
  EXPECT_EQ(WindowText(window), "foreign");
  EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 0);
  EXPECT_EQ(self, nullptr);
  EXPECT_EQ(WindowText(window), "foreign");
  DestroyWindow(window);
  EXPECT_GE(WindowsMajorVersion(), 5);
}

} // namespace
