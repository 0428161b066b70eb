// skinview: shows a form with every skinned control in a skin, for skin authors and for us (see
// PreviewSkin.h for the command line). Errors are reported in a box and on the error output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/controls/win/SkinControls.h"
#include "skin/model/SkinPackWriter.h"
#include "tools/skinview/PreviewForm.h"
#include "tools/skinview/PreviewSkin.h"
#include "toolkit/base/Text.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

std::vector<uint8_t> Resource(const char *name) {
  const std::string bytes = LoadLayoutResource(name);
  return {bytes.begin(), bytes.end()};
}

// The internal skin travels in the program as the files of its folder.
std::vector<uint8_t> InternalSkinPack() {
  return WriteSkinPack({{"Options.dat", Resource("BLUEGAUZE_OPTIONS")},
                        {"ButtonHuge.bmp", Resource("BLUEGAUZE_BUTTONHUGE")},
                        {"Master.bmp", Resource("BLUEGAUZE_MASTER")}});
}

int Report(const std::string &message) {
  std::fprintf(stderr, "skinview: %s\n", message.c_str());
  MessageBoxW(nullptr, Wide(message).c_str(), L"skinview", MB_OK | MB_ICONERROR);
  return 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    // The runtime's wide arguments, so file names outside the ANSI code page survive.
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i)
      args.push_back(text::Utf16ToUtf8(reinterpret_cast<const char16_t *>(__wargv[i])));
    const PreviewOptions options = ParsePreviewArguments(args);
    Application->Initialize();
    Application->SetTitle("skinview");
    InitializeSkinControls();
    TsSkinManager *manager = TComponent::Create<TsSkinManager>(Application);
    ApplyPreviewSkin(*manager, options, InternalSkinPack());
    CreatePreviewForm("skinview: " + manager->SkinName());
    Application->Run();
    return 0;
  } catch (const Exception &e) {
    return Report(e.Message());
  } catch (const std::exception &e) {
    return Report(e.what());
  }
}
