#include "tests/e2e/InstallerFixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include <fstream>

#include "toolkit/base/Text.h"

namespace e2e {

namespace {

const char kMainCaption[] = "Установка программы Kelvora [iKey / e-Kalit]";

std::string Narrow(const std::wstring &wide) { return text::Utf16ToUtf8({wide.begin(), wide.end()}); }

HWND ChildWithClassPart(HWND parent, const std::string &part) {
  for (HWND child : Children(parent))
    if (text::LowerCase(ClassName(child)).find(part) != std::string::npos) return child;
  return nullptr;
}

} // namespace

std::string WindowsPath(const std::string &buildPath) {
  if (buildPath.empty() || buildPath[0] != '/') return buildPath;
  std::string path = "Z:" + buildPath;
  for (char &c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string ReadFileText(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SplitLines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string ClipboardText() {
  std::string result;
  if (!OpenClipboard(nullptr)) return result;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto *chars = static_cast<const wchar_t *>(GlobalLock(data))) {
      result = Narrow(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

void InstallerFixture::SetUp() {
  static int counter = 0;
  sandbox = fs::temp_directory_path() /
            ("kelvora-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
  programFiles = sandbox / "Program Files";
  target = programFiles / "Kelvora";
  fs::create_directories(programFiles);
  fs::create_directories(sandbox / "drivers-iKey");
  fs::create_directories(sandbox / "drivers-eKalit");
  fs::path standins = fs::u8path(WindowsPath(KELVORA_STANDIN_DIR));
  fs::copy_file(standins / "iKeyAPI.dll", sandbox / "drivers-iKey" / "iKeyAPI.dll");
  fs::copy_file(standins / "eKalit.dll", sandbox / "drivers-eKalit" / "eKalit.dll");
  startsLog_ = sandbox / "program-starts.log";

  wchar_t folder[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, TRUE);
  sendTo = folder;
  shortcut = sendTo / fs::u8path("Подписать c ЭЦП ....lnk");
  fs::remove(shortcut);
}

void InstallerFixture::TearDown() {
  process.reset();
  std::error_code ignored;
  // Programs the installer started (the stand-in, the command interpreter) may still be finishing.
  WaitUntil([&] { return fs::remove_all(sandbox, ignored) != static_cast<std::uintmax_t>(-1) && !fs::exists(sandbox); },
            10s);
  fs::remove(shortcut, ignored);
}

Process &InstallerFixture::Start(const std::string &arguments, Drivers drivers, const std::string *programFilesValue,
                                 const std::string &program) {
  std::string path;
  if (drivers & kIKey) path += (sandbox / "drivers-iKey").u8string() + ";";
  if (drivers & kEKalit) path += (sandbox / "drivers-eKalit").u8string() + ";";
  char systemPath[4096] = {};
  GetEnvironmentVariableA("PATH", systemPath, sizeof systemPath);
  std::map<std::string, std::string> environment = {
      {"PATH", path + systemPath},
      {"ProgramFiles", programFilesValue ? *programFilesValue : programFiles.u8string()},
      {"KELVORA_STANDIN_LOG", startsLog_.u8string()},
  };
  process = std::make_unique<Process>(program.empty() ? WindowsPath(KELVORA_SETUP_EXE) : program, arguments,
                                      environment, sandbox.u8string());
  main_ = nullptr;
  return *process;
}

HWND InstallerFixture::MainWindow() {
  if (!main_ || !IsWindow(main_)) main_ = process->WaitForWindow("TForm1", kMainCaption);
  return main_;
}

HWND InstallerFixture::FolderEdit() { return ChildWithClassPart(MainWindow(), "edit"); }
HWND InstallerFixture::Memo() { return ChildWithClassPart(MainWindow(), "memo"); }
HWND InstallerFixture::ProgressBar() { return ChildWithClassPart(MainWindow(), "progress"); }
HWND InstallerFixture::InstallButton() { return FindButton(MainWindow(), "Установка"); }
std::vector<std::string> InstallerFixture::LogLines() { return SplitLines(WindowText(Memo())); }
int InstallerFixture::Progress() { return static_cast<int>(SendMessageW(ProgressBar(), PBM_GETPOS, 0, 0)); }

HWND InstallerFixture::WaitForMessageDialog(const std::string &caption) {
  return process->WaitForWindow("TMessageForm", caption);
}

std::string InstallerFixture::DialogText(HWND dialog) {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  SendMessageW(dialog, WM_COPY, 0, 0);
  return ClipboardText();
}

void InstallerFixture::Answer(HWND dialog, const std::string &button) {
  HWND found = FindButton(dialog, button);
  ASSERT_NE(found, nullptr) << "no button " << button;
  Click(found);
}

std::vector<std::string> InstallerFixture::ProgramStarts() { return SplitLines(ReadFileText(startsLog_)); }

bool InstallerFixture::WaitForProgramStart(const std::string &arguments) {
  return WaitUntil([&] {
    for (const std::string &line : ProgramStarts())
      if (line == arguments) return true;
    return false;
  });
}

} // namespace e2e
