// The installer window as a person sees it right after start.
#include "tests/e2e/InstallerFixture.h"

namespace e2e {
namespace {

using InstallerWindow = InstallerFixture;

TEST_F(InstallerWindow, ShowsTheDefaultFolderAnEmptyLogAndAnEmptyProgressBar) {
  Start();
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_EQ(WindowText(FolderEdit()), paths::Utf8(target));
  EXPECT_EQ(WindowText(Memo()), "");
  EXPECT_EQ(Progress(), 0);
  EXPECT_EQ(SendMessageW(ProgressBar(), PBM_GETRANGE, FALSE, 0), 7);
  EXPECT_NE(InstallButton(), nullptr);
  RECT client;
  GetClientRect(MainWindow(), &client);
  EXPECT_EQ(client.right, 440);
  EXPECT_EQ(client.bottom, 213);

  CloseWithTitleBar(MainWindow());
  EXPECT_EQ(process->WaitForExit(), 0u);
}

struct TitleButton {
  LRESULT code;
  POINT middle;
};

// The buttons of the caption from right to left, found by hit-testing its middle row.
std::vector<TitleButton> TitleButtons(HWND window) {
  RECT outer;
  GetWindowRect(window, &outer);
  POINT clientTop{0, 0};
  ClientToScreen(window, &clientTop);
  const int y = (outer.top + clientTop.y) / 2;
  std::vector<TitleButton> buttons;
  int right = 0;
  for (int x = outer.right - 1; x >= outer.left; --x) {
    const LRESULT code = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    const bool button = code == HTCLOSE || code == HTMINBUTTON || code == HTMAXBUTTON || code == HTHELP;
    if (button && (buttons.empty() || buttons.back().code != code)) {
      buttons.push_back({code, {x, y}});
      right = x;
    }
    if (button) buttons.back().middle.x = (right + x) / 2;
  }
  return buttons;
}

TEST_F(InstallerWindow, TheSkinnedCaptionHasCloseAndMinimiseButtonsThatWork) {
  Start();
  ASSERT_NE(MainWindow(), nullptr);
  // The skinned frame draws the system menu's buttons itself.
  EXPECT_EQ(GetWindowLongW(MainWindow(), GWL_STYLE) & WS_SYSMENU, 0);
  const std::vector<TitleButton> buttons = TitleButtons(MainWindow());
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].code, HTCLOSE);
  EXPECT_EQ(buttons[1].code, HTMINBUTTON);

  ClickScreen(buttons[1].middle);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(MainWindow()); }));
  ShowWindowAsync(MainWindow(), SW_RESTORE);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(MainWindow()); }));

  // Restoring moves the window back in steps; its caption is only hit-tested where it ends up.
  std::vector<TitleButton> restored;
  ASSERT_TRUE(WaitUntil([&] { return (restored = TitleButtons(MainWindow())).size() == 2; }));
  ClickScreen(restored[0].middle);
  EXPECT_EQ(process->WaitForExit(), 0u);
}

} // namespace
} // namespace e2e
