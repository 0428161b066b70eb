// Installing through the window and silently, driving the real installer from outside.
#include "tests/e2e/InstallerFixture.h"
#include "tests/support/ShellLink.h"

namespace e2e {
namespace {

const std::vector<std::string> kCompleteLog = {
    "Начата установка программы ...",      "Копирование файла Kelvora.exe",        "Копирование файла KelvoraV3DLL.dll",
    "Копирование файла iKeyAPI.dll",       "Копирование файла eKalit.dll",         "Копирование файла registerdll.cmd",
    "Копирование файла unregisterdll.cmd", "Копирование файла getmypublickey.cmd", "Регистрация KelvoraV3DLL.dll",
};

std::vector<std::string> WithFolderLine(const std::string &folder) {
  std::vector<std::string> lines = kCompleteLog;
  lines.insert(lines.begin() + 1, "Создание папки " + folder);
  return lines;
}

// A file with a text, held open by this process without sharing, as a running program would hold it.
class HeldFile {
public:
  HeldFile(const fs::path &path, const std::string &text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
    handle_ = CreateFileW(path.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  HeldFile(const HeldFile &) = delete;
  HeldFile &operator=(const HeldFile &) = delete;
  ~HeldFile() { Release(); }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class Install : public InstallerFixture {
protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }

  void ExpectInstalled(const fs::path &folder) {
    fs::path standins = paths::FromUtf8(WindowsPath(KELVORA_STANDIN_DIR));
    for (const char *file : {"Kelvora.exe", "KelvoraV3DLL.dll", "iKeyAPI.dll", "eKalit.dll"})
      EXPECT_TRUE(ReadFileText(folder / file) == ReadFileText(standins / file)) << file << " differs";
    EXPECT_EQ(ReadFileText(folder / "registerdll.cmd"), "Kelvora -install");
    EXPECT_EQ(ReadFileText(folder / "unregisterdll.cmd"), "Kelvora -uninstall");
    EXPECT_EQ(ReadFileText(folder / "getmypublickey.cmd"), "Kelvora -getpublickey");
    ShellLinkContents link = ReadShellLink(shortcut);
    EXPECT_EQ(link.target, paths::Utf8(folder / "Kelvora.exe"));
    EXPECT_EQ(link.arguments, "-sign");
    EXPECT_TRUE(WaitForProgramStart("-install"));
  }

  // Presses the install button and answers the completion box; returns the log shown with it.
  std::vector<std::string> InstallAndConfirm() {
    Click(InstallButton());
    HWND done = WaitForMessageDialog("Information");
    EXPECT_NE(done, nullptr);
    if (!done) return {};
    EXPECT_EQ(DialogMessage(done), "Установка завершена !");
    EXPECT_EQ(Progress(), 7);
    std::vector<std::string> log = LogLines();
    Answer(done, "OK");
    EXPECT_EQ(process->WaitForExit(), 0u);
    return log;
  }
};

TEST_F(Install, CompleteInstallIntoANewFolder) {
  Start();
  EXPECT_EQ(InstallAndConfirm(), WithFolderLine(paths::Utf8(target)));
  ExpectInstalled(target);
  EXPECT_EQ(ReadFileText(target / "KelvoraDLL.dll"), "Kelvora -install");
}

TEST_F(Install, ExistingFolderKeepsItsKelvoraDllAndAcceptsATrailingBackslash) {
  fs::path folder = sandbox / "Existing folder";
  fs::create_directories(folder);
  std::ofstream(folder / "KelvoraDLL.dll") << "kept";
  Start();
  SendMessageW(FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>((folder.wstring() + L"\\").c_str()));
  EXPECT_EQ(InstallAndConfirm(), kCompleteLog);
  ExpectInstalled(folder);
  EXPECT_EQ(ReadFileText(folder / "KelvoraDLL.dll"), "kept");
}

TEST_F(Install, EachTokenArgumentInstallsSilently) {
  for (const char *token : {"iKey", "eKalit", "iKey_eKalit"}) {
    SCOPED_TRACE(token);
    RemoveTarget();
    Start(token);
    EXPECT_EQ(process->WaitForExit(), 0u);
    EXPECT_EQ(process->FindWindow("TMessageForm"), nullptr);
    ExpectInstalled(target);
  }
}

TEST_F(Install, OneDriverIsEnough) {
  Start({}, kEKalit);
  EXPECT_EQ(InstallAndConfirm(), WithFolderLine(paths::Utf8(target)));
}

TEST_F(Install, WithoutDriversOnlyTheModalErrorBoxAppearsAndTheButtonProbesAgain) {
  Start({}, kNoDrivers);
  for (bool byKeyboard : {false, true}) {
    SCOPED_TRACE(byKeyboard ? "Enter on the focused button" : "click");
    if (byKeyboard) {
      ASSERT_TRUE(TabTo(InstallButton()));
      PressKey(InstallButton(), VK_RETURN);
    } else {
      Click(InstallButton());
    }
    HWND box = process->WaitForWindow("#32770", "Установка Kelvora");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowEnabled(MainWindow())); // no second press while the box is up
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    EXPECT_EQ(Progress(), 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(MainWindow()); }));
  }
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(process->Running());
}

TEST_F(Install, SilentInstallWithoutDriversEndsWithAFailureCode) {
  Start("iKey", kNoDrivers);
  HWND box = process->WaitForWindow("#32770", "Установка Kelvora");
  ASSERT_NE(box, nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  CloseWithTitleBar(MainWindow());
  EXPECT_EQ(process->WaitForExit(), 1u);
}

TEST_F(Install, SilentInstallDeclinedAfterAnErrorEndsWithCode2) {
  HeldFile program(target / "Kelvora.exe", "in use");
  ASSERT_TRUE(program.Held());
  Start("eKalit");
  HWND prompt = WaitForMessageDialog("Error");
  ASSERT_NE(prompt, nullptr);
  Answer(prompt, "&No");
  EXPECT_EQ(process->WaitForExit(), 2u);
  program.Release();
  EXPECT_EQ(ReadFileText(target / "Kelvora.exe"), "in use");
  EXPECT_FALSE(fs::exists(target / "KelvoraV3DLL.dll"));
}

TEST_F(Install, SilentInstallWithALibraryInUseEndsWithCode3) {
  HeldFile driver(target / "iKeyAPI.dll", "in use");
  ASSERT_TRUE(driver.Held());
  Start("iKey_eKalit");
  EXPECT_EQ(process->WaitForExit(), 3u);
  driver.Release();
  EXPECT_EQ(ReadFileText(target / "iKeyAPI.dll"), "in use");
  fs::path standins = paths::FromUtf8(WindowsPath(KELVORA_STANDIN_DIR));
  EXPECT_TRUE(ReadFileText(target / "eKalit.dll") == ReadFileText(standins / "eKalit.dll"));
  EXPECT_EQ(ReadFileText(target / "getmypublickey.cmd"), "Kelvora -getpublickey");
  EXPECT_TRUE(WaitForProgramStart("-install"));
}

// The new program is written beside its target and then takes its name; a folder standing where it would be
// written makes the write fail after the target itself could be opened.
TEST_F(Install, FailedWriteOfTheProgramLeavesNoFileForTheNextStartToFind) {
  fs::create_directories(target / "Kelvora.exe.partial");
  Start();
  Click(InstallButton());
  HWND prompt = WaitForMessageDialog("Error");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(
      DialogMessage(prompt).rfind("Ошибка !\rCannot create file \"" + paths::Utf8(target / "Kelvora.exe") + "\". ", 0),
      0u);
  Answer(prompt, "&No");
  EXPECT_TRUE(process->WaitForExit().has_value());
  EXPECT_FALSE(fs::exists(target / "Kelvora.exe"));

  Start();
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_EQ(process->WaitForWindow("TMessageForm", {}, 2s), nullptr); // no earlier installation to remove
  EXPECT_TRUE(process->Running());
}

TEST_F(Install, MissingParentFolderIsReportedByTheOuterHandler) {
  Start();
  std::string folder = paths::Utf8(sandbox / "missing" / "Kelvora");
  SendMessageW(FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(paths::FromUtf8(folder).wstring().c_str()));
  Click(InstallButton());
  HWND box = WaitForMessageDialog("Information");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(DialogMessage(box), "Во время установки возникла ошибка :\rInvalid filename");
  EXPECT_EQ(LogLines().back(), "Ошибка: Invalid filename");
  Answer(box, "OK");
  EXPECT_FALSE(process->WaitForExit(1s).has_value()); // the window stays open
}

class LockedProgram : public Install {
protected:
  // A folder whose Kelvora.exe another process holds open without sharing; its name has an "&".
  void SetUp() override {
    Install::SetUp();
    folder = sandbox / "R&D locked";
    held = std::make_unique<HeldFile>(folder / "Kelvora.exe", "in use");
    ASSERT_TRUE(held->Held());
    Start();
    SetFolderText(folder);
    Click(InstallButton());
    prompt = WaitForMessageDialog("Error");
    ASSERT_NE(prompt, nullptr);
    std::string text = DialogMessage(prompt);
    EXPECT_NE(text.find("Ошибка !\rCannot create file \"" + paths::Utf8(folder / "Kelvora.exe") + "\". "),
              std::string::npos);
    EXPECT_NE(text.find("\rПродолжить ?"), std::string::npos);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{kCompleteLog[0], kCompleteLog[1]}));
    EXPECT_EQ(Progress(), 1);
  }
  void TearDown() override {
    held.reset();
    Install::TearDown();
  }
  fs::path folder;
  std::unique_ptr<HeldFile> held;
  HWND prompt = nullptr;
};

TEST_F(LockedProgram, ThePromptShowsTheFolderNameAsItIs) {
  EXPECT_TRUE(WaitUntil([&] { return ShowsText(prompt, "Kelvora"); }, 5s)); // the screen is read
  EXPECT_TRUE(ShowsText(prompt, "&"));
  Answer(prompt, "&No");
}

TEST_F(LockedProgram, AnsweredNoEndsWithoutFurtherLines) {
  Answer(prompt, "&No");
  EXPECT_TRUE(process->WaitForExit(5s).has_value());
  held->Release();
  EXPECT_EQ(ReadFileText(folder / "Kelvora.exe"), "in use");
  EXPECT_FALSE(fs::exists(folder / "KelvoraV3DLL.dll"));
}

TEST_F(LockedProgram, AnsweredYesGoesOnToTheEnd) {
  Answer(prompt, "&Yes");
  HWND done = WaitForMessageDialog("Information");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(LogLines(), kCompleteLog);
  Answer(done, "OK");
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_EQ(ReadFileText(folder / "eKalit.dll").empty(), false);
}

} // namespace
} // namespace e2e
