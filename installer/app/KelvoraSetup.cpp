// The installer's entry: start the skin engine, its prompts and the system's dialogs included, and the
// application; create the window from its stored layout, run until termination.
#include <windows.h>

#include "installer/app/Unit1.h"
#include "skin/dialogs/win/SkinDialogs.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  InitializeSkinDialogs();
  Application->Initialize();
  Application->SetTitle("Установка Kelvora");
  TForm1 *form = Application->CreateForm<TForm1>(LoadLayoutResource("FORM1"));
  Application->Run();
  return form->ExitCode();
}
