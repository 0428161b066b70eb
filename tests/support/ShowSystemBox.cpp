// Shows a system message box over the installer window, in this process with the installer's skin, for its
// picture: prints the box's outer rectangle as WIDTHxHEIGHT+LEFT+TOP once it wears the skin and closes it
// when the file named first appears.
#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "installer/app/Unit1.h"
#include "skin/dialogs/win/SkinDialogs.h"
#include "skin/engine/SkinCommands.h"

namespace {

std::filesystem::path closeSignal;

// Polls for the box: reports it once skinned, closes it once the signal file appears.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
  static bool reported = false;
  HWND box = FindWindowW(L"#32770", L"Kelvora");
  if (!box) return;
  if (!reported && SendMessageW(box, SM_TESSORACMD, SkinCommandWParam(AC_QUERYSKINNED), 0) == 1) {
    reported = true;
    RECT outer;
    GetWindowRect(box, &outer);
    std::printf("%ldx%ld+%ld+%ld\n", outer.right - outer.left, outer.bottom - outer.top, outer.left, outer.top);
    std::fflush(stdout);
  }
  if (reported && std::filesystem::exists(closeSignal)) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) return 2;
  closeSignal = argv[1];
  InitializeSkinDialogs();
  Application->Initialize();
  TForm1 *form = Application->CreateForm<TForm1>(LoadLayoutResource("FORM1"));
  form->Show();
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, Watch);
  MessageBoxW(form->Handle(), L"Установка программы Kelvora завершена.", L"Kelvora", MB_OKCANCEL | MB_ICONINFORMATION);
  KillTimer(nullptr, timer);
  form->Free();
  return 0;
}
