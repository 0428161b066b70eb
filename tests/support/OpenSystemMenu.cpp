// Opens the system menu of another program's window and leaves it open, for screenshots: waits for the
// visible top-level window of the class given first, moves the mouse out of the way, opens the menu as
// Alt+Space does and moves the selection down as many times as the second argument says. With "close" as
// the second argument it closes the open menu instead, as Escape does.
// Exit code 0 once the menu is open (closed).

#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/support/WindowDriver.h"

namespace {

bool MenuOpen() {
  const HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) return 2;
  const std::string className = argv[1];
  const std::string action = argc > 2 ? argv[2] : "0";
  HWND window = nullptr;
  const bool found = e2e::WaitUntil([&] {
    window = FindWindowA(className.c_str(), nullptr);
    return window && IsWindowVisible(window);
  });
  if (!found) return 1;
  if (action == "close") {
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    return e2e::WaitUntil([] { return !MenuOpen(); }) ? 0 : 1;
  }
  SetCursorPos(0, 0); // no item is hot under the mouse
  SetForegroundWindow(window);
  PostMessageW(window, WM_SYSCHAR, VK_SPACE, 1 << 29);
  if (!e2e::WaitUntil(MenuOpen)) return 1;
  for (int i = std::atoi(action.c_str()); i > 0; --i)
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
  return 0;
}
