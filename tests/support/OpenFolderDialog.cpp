// Opens the "Select directory" dialog of the installer window on the screen, for its picture: clicks the
// folder edit's button and prints the dialog's outer rectangle as WIDTHxHEIGHT+LEFT+TOP once it shows.
#include <cstdio>

#include "tests/support/WindowDriver.h"

int main() {
  using namespace e2e;
  HWND installer = nullptr;
  if (!WaitUntil([&] { return (installer = FindWindowW(L"TForm1", nullptr)) != nullptr; })) return 1;
  const std::vector<HWND> edits = Children(installer, "TsDirectoryEdit");
  if (edits.empty()) return 1;
  RECT client;
  GetClientRect(edits.front(), &client);
  ClickAt(edits.front(), {client.right - 11, client.bottom / 2});
  HWND dialog = nullptr;
  if (!WaitUntil([&] { return (dialog = FindWindowW(L"TPathDialogForm", L"Select directory")) != nullptr; })) return 1;
  RECT outer;
  GetWindowRect(dialog, &outer);
  std::printf("%ldx%ld+%ld+%ld\n", outer.right - outer.left, outer.bottom - outer.top, outer.left, outer.top);
  return 0;
}
