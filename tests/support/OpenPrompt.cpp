// Shows the installer's first prompt on the screen, for its picture: with an earlier installation in the
// installer's default folder the installer asks whether to remove it. Prints the prompt's outer rectangle
// as WIDTHxHEIGHT+LEFT+TOP once it wears the skin, keeps it until the file named second appears, then
// cancels and removes the earlier installation it made. Refuses to run over a real earlier installation.
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/engine/SkinCommands.h"
#include "tests/support/WindowDriver.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMark[] = "earlier installation shown for a picture";

// A folder this helper made and could not remove, when it was stopped while the prompt showed.
bool LeftOverByThisHelper(const fs::path &folder) {
  std::string content;
  std::getline(std::ifstream(folder / "Kelvora.exe"), content);
  return content == kMark && std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 1;
}

} // namespace

int main(int argc, char **argv) {
  using namespace e2e;
  if (argc != 3) return 2;
  wchar_t programFiles[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE)) return 1;
  const fs::path earlier = fs::path(programFiles) / "Kelvora";
  if (fs::exists(earlier) && !LeftOverByThisHelper(earlier)) return 1;
  fs::create_directories(earlier);
  std::ofstream(earlier / "Kelvora.exe") << kMark;
  int status = 1;
  {
    Process installer(argv[1], "");
    HWND prompt = installer.WaitForWindow("TMessageForm", "Confirm");
    if (prompt &&
        WaitUntil([&] { return SendMessageW(prompt, SM_TESSORACMD, SkinCommandWParam(AC_QUERYSKINNED), 0) == 1; })) {
      Sleep(500);
      RECT outer;
      GetWindowRect(prompt, &outer);
      std::printf("%ldx%ld+%ld+%ld\n", outer.right - outer.left, outer.bottom - outer.top, outer.left, outer.top);
      std::fflush(stdout);
      const fs::path signal = argv[2];
      WaitUntil([&] { return fs::exists(signal); }, 120s);
      if (HWND cancel = FindButton(prompt, "Cancel")) Click(cancel);
      status = installer.WaitForExit() ? 0 : 1;
    }
  }
  std::error_code ignored;
  fs::remove_all(earlier, ignored);
  return status;
}
