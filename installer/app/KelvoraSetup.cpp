// The installer's entry: initialise, create the window from its stored layout, run until termination.
#include <windows.h>

#include "installer/app/Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Application->Initialize();
  Application->SetTitle("Установка Kelvora");
  TForm1 *form = Application->CreateForm<TForm1>(LoadLayoutResource("FORM1"));
  Application->Run();
  return form->ExitCode();
}
