#include "tests/e2e/InstallerFixture.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "toolkit/base/Text.h"
#include "toolkit/ui/Graphics.h"
#include "toolkit/base/win/Win32Text.h"

namespace e2e {

namespace {

const char kMainCaption[] = "Установка программы Kelvora [iKey / e-Kalit]";

HWND ChildWithClassPart(HWND parent, const std::string &part) {
  for (HWND child : Children(parent))
    if (text::LowerCase(ClassName(child)).find(part) != std::string::npos) return child;
  return nullptr;
}

// Removes a folder with everything in it, waiting while programs the installer started (the stand-in, the
// command interpreter) still hold files there.
bool RemoveWhenFree(const fs::path &folder) {
  std::error_code error;
  return WaitUntil(
      [&] { return fs::remove_all(folder, error) != static_cast<std::uintmax_t>(-1) && !fs::exists(folder); }, 10s);
}

const char *const kDriverNames[] = {"iKeyAPI.dll", "eKalit.dll"};

// Takes the stand-in drivers out of both system folders, also those that an interrupted run left there.
void RemoveDrivers() {
  for (Width width : {Width::k32Bit, Width::k64Bit})
    for (const char *name : kDriverNames)
      RemoveFromPlace(SystemFolder(width) / name);
}

} // namespace

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

namespace {

// The pixels of a 24-bit bitmap, row by row.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;
  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Pixels PixelsOf(TBitmap &bitmap, RECT part) {
  Pixels p{part.right - part.left, part.bottom - part.top, {}};
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) {
      const uint8_t *bgr = bitmap.ScanLine(y) + 3 * x;
      p.rgb.push_back(bgr[0] | bgr[1] << 8 | bgr[2] << 16);
    }
  return p;
}

// How far two colours lie apart: their largest channel difference.
int Distance(uint32_t a, uint32_t b) {
  int distance = 0;
  for (int shift = 0; shift < 24; shift += 8)
    distance = std::max(distance, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
  return distance;
}

// Two colours a skin's texture may tell apart, but not text from its background.
bool Near(uint32_t a, uint32_t b) { return Distance(a, b) <= 24; }

} // namespace

bool ShowsText(HWND window, const std::string &text) {
  TBitmap sample;
  sample.SetSize(200, 40);
  TCanvas &canvas = sample.Canvas();
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect({0, 0, 200, 40});
  canvas.TextOut(4, 4, text);
  // The drawn pixels' box is the pattern looked for.
  const Pixels drawn = PixelsOf(sample, {0, 0, 200, 40});
  RECT box{200, 40, 0, 0};
  for (int y = 0; y < drawn.height; ++y)
    for (int x = 0; x < drawn.width; ++x)
      if (drawn.At(x, y) != drawn.At(0, 0))
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
               std::max<LONG>(box.bottom, y + 1)};
  if (box.right <= box.left) return false;
  const Pixels pattern = PixelsOf(sample, box);

  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  TBitmap shot;
  shot.SetSize(client.right, client.bottom);
  {
    WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, client.right, client.bottom, screen.Get(), origin.x, origin.y, SRCCOPY);
  }
  // The skin gives the text its own colours: the glyphs' shape is compared, each place's background being
  // the colour it shows where the pattern's first background pixel is, give or take its texture.
  const uint32_t background = drawn.At(0, 0);
  int backX = -1, backY = -1;
  for (int py = 0; backX < 0 && py < pattern.height; ++py)
    for (int px = 0; backX < 0 && px < pattern.width; ++px)
      if (pattern.At(px, py) == background) backX = px, backY = py;
  if (backX < 0) return false;
  // The glyphs' cores (smoothed edges take other shades on another background).
  int strongest = 0;
  for (uint32_t pixel : pattern.rgb)
    strongest = std::max(strongest, Distance(pixel, background));
  const Pixels shown = PixelsOf(shot, client);
  for (int y = 0; y + pattern.height <= shown.height; ++y)
    for (int x = 0; x + pattern.width <= shown.width; ++x) {
      const uint32_t shownBackground = shown.At(x + backX, y + backY);
      bool same = true;
      for (int py = 0; same && py < pattern.height; ++py)
        for (int px = 0; same && px < pattern.width; ++px) {
          const uint32_t want = pattern.At(px, py), got = shown.At(x + px, y + py);
          if (want == background)
            same = Near(got, shownBackground);
          else if (4 * Distance(want, background) >= 3 * strongest)
            same = !Near(got, shownBackground);
        }
      if (same) return true;
    }
  return false;
}

void InstallerFixture::SetUp() {
  static int counter = 0;
  sandbox = fs::temp_directory_path() /
            ("kelvora-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
  programFiles = ProgramFilesFolder(installerWidth);
  target = programFiles / "Kelvora";
  RemoveTarget();
  RemoveDrivers();
  fs::create_directories(sandbox);
  startsLog_ = sandbox / "program-starts.log";

  wchar_t folder[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, TRUE);
  sendTo = folder;
  shortcut = sendTo / paths::FromUtf8("Подписать c ЭЦП ....lnk");
  fs::remove(shortcut);
}

void InstallerFixture::TearDown() {
  process.reset();
  RemoveTarget();
  RemoveDrivers();
  RemoveWhenFree(sandbox);
  std::error_code ignored;
  fs::remove(shortcut, ignored);
}

void InstallerFixture::RemoveTarget() {
  EXPECT_TRUE(RemoveWhenFree(target)) << "cannot remove " << paths::Utf8(target);
}

Process &InstallerFixture::Start(const std::string &arguments, Drivers drivers, const std::string &program) {
  auto place = [&](const char *name) { CopyIntoPlace(standIns / name, SystemFolder(installerWidth) / name); };
  if (drivers & kIKey) place("iKeyAPI.dll");
  if (drivers & kEKalit) place("eKalit.dll");
  std::map<std::string, std::string> environment = {{"KELVORA_STANDIN_LOG", paths::Utf8(startsLog_)}};
  process = std::make_unique<Process>(program.empty() ? paths::Utf8(installer) : program, arguments, environment,
                                      paths::Utf8(sandbox));
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

void InstallerFixture::PressFolderButton() {
  RECT client;
  GetClientRect(FolderEdit(), &client);
  ClickAt(FolderEdit(), {client.right - 11, client.bottom / 2});
}

HWND InstallerFixture::WaitForFolderDialog() { return process->WaitForWindow("TPathDialogForm", "Select directory"); }

void InstallerFixture::SetFolderText(const fs::path &folder) {
  SendMessageW(FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.wstring().c_str()));
}

HWND InstallerFixture::FocusedWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), nullptr), &info);
  return info.hwndFocus;
}

bool InstallerFixture::TabTo(HWND window) {
  for (int presses = 0; presses < 8; ++presses) {
    HWND focused = FocusedWindow();
    if (focused == window) return true;
    PressKey(focused, VK_TAB);
    WaitUntil([&] { return FocusedWindow() != focused; }, 2s);
  }
  return FocusedWindow() == window;
}
std::vector<std::string> InstallerFixture::LogLines() { return SplitLines(WindowText(Memo())); }
int InstallerFixture::Progress() { return static_cast<int>(SendMessageW(ProgressBar(), PBM_GETPOS, 0, 0)); }

HWND InstallerFixture::WaitForMessageDialog(const std::string &caption, std::chrono::milliseconds timeout) {
  return process->WaitForWindow("TMessageForm", caption, timeout);
}

std::string InstallerFixture::DialogMessage(HWND dialog) {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  SendMessageW(dialog, WM_COPY, 0, 0);
  // The copy reads: rule, caption, rule, the message's lines, rule, buttons, rule.
  std::vector<std::string> lines = SplitLines(ClipboardText());
  std::string message;
  if (lines.size() < 5) return message;
  for (size_t i = 3; i + 3 < lines.size(); ++i)
    message += (i > 3 ? "\r" : "") + lines[i];
  return message;
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
