// Opens the system menu of another program's window and leaves it open, for screenshots: waits for the
// visible top-level window of the class given first, moves the mouse out of the way, opens the menu as
// Alt+Space does and moves the selection down as many times as the second argument says.
// Exit code 0 once the menu is open.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/support/WindowDriver.h"

int main(int argc, char **argv) {
  if (argc < 2) return 2;
  const std::string className = argv[1];
  const int downs = argc > 2 ? std::atoi(argv[2]) : 0;
  HWND window = nullptr;
  const bool found = e2e::WaitUntil([&] {
    window = FindWindowA(className.c_str(), nullptr);
    return window && IsWindowVisible(window);
  });
  if (!found) return 1;
  SetCursorPos(0, 0); // no item is hot under the mouse
  SetForegroundWindow(window);
  PostMessageW(window, WM_SYSCHAR, VK_SPACE, 1 << 29);
  HWND menu = nullptr;
  if (!e2e::WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); })) return 1;
  for (int i = 0; i < downs; ++i)
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
  return 0;
}
