// What the installer does at start over an earlier installation, with other arguments, and with a damaged
// payload.
#include <algorithm>

#include "skin/engine/SkinCommands.h"
#include "tests/e2e/InstallerFixture.h"

namespace e2e {
namespace {

const char kQuestion[] = "Программа была ранее установлена !\rДля удаления программы нажмите Yes\r"
                         "Для продолжения установки нажмите No\rДля отмены нажмите Cancel";

bool AnswersSkinned(HWND window) {
  return SendMessageW(window, SM_TESSORACMD, SkinCommandWParam(AC_QUERYSKINNED), 0) == 1;
}

// The prompt wears the skin: its frame is cut to the skin's shape and its buttons are skinned.
bool PromptSkinned(HWND dialog) {
  RECT box;
  if (!AnswersSkinned(dialog) || GetWindowRgnBox(dialog, &box) == ERROR) return false;
  const std::vector<HWND> buttons = Children(dialog, "TButton");
  return buttons.size() == 3 && std::all_of(buttons.begin(), buttons.end(), AnswersSkinned);
}

class EarlierInstallation : public InstallerFixture {
protected:
  void SetUp() override {
    InstallerFixture::SetUp();
    fs::create_directories(target / "data");
    fs::copy_file(paths::FromUtf8(WindowsPath(KELVORA_STANDIN_DIR)) / "Kelvora.exe", target / "Kelvora.exe");
    std::ofstream(target / "registerdll.cmd") << "Kelvora -install";
    Start();
    question = WaitForMessageDialog("Confirm");
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return PromptSkinned(question); }));
    EXPECT_EQ(DialogMessage(question), kQuestion);
  }
  HWND question = nullptr;
};

TEST_F(EarlierInstallation, CancelEndsTheInstaller) {
  Answer(question, "Cancel");
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_TRUE(fs::exists(target / "Kelvora.exe"));
}

TEST_F(EarlierInstallation, NoLeavesTheWindowForANormalInstall) {
  Answer(question, "&No");
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(MainWindow()) != FALSE; }));
  EXPECT_TRUE(process->Running());
  EXPECT_TRUE(fs::exists(target / "Kelvora.exe"));
}

TEST_F(EarlierInstallation, YesRunsTheUninstallerAndRemovesTheFolder) {
  Answer(question, "&Yes");
  HWND removed = WaitForMessageDialog("Information", 30s);
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(DialogMessage(removed), "Програма удалена !");
  EXPECT_TRUE(WaitForProgramStart("-uninstall"));
  Answer(removed, "OK");
  EXPECT_EQ(process->WaitForExit(), 0u);
  // The command interpreter deletes the files and then the folder; a subfolder keeps the folder.
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(target / "Kelvora.exe"); }));
  EXPECT_FALSE(fs::exists(target / "registerdll.cmd"));
  EXPECT_TRUE(fs::exists(target / "data"));
}

TEST_F(InstallerFixture, EmptyEarlierFolderIsRemovedCompletely) {
  fs::create_directories(target);
  fs::copy_file(paths::FromUtf8(WindowsPath(KELVORA_STANDIN_DIR)) / "Kelvora.exe", target / "Kelvora.exe");
  Start();
  HWND question = WaitForMessageDialog("Confirm");
  ASSERT_NE(question, nullptr);
  Answer(question, "&Yes");
  HWND removed = WaitForMessageDialog("Information", 30s);
  ASSERT_NE(removed, nullptr);
  Answer(removed, "OK");
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(target); }));
}

TEST_F(InstallerFixture, AnArgumentThatIsNoTokenSkipsTheEarlierInstallationCheck) {
  fs::create_directories(target);
  std::ofstream(target / "Kelvora.exe") << "old";
  Start("IKEY");
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_FALSE(process->WaitForWindow("TMessageForm", {}, 2s));
  EXPECT_TRUE(process->Running());
}

// A copy of the installer whose program stream is damaged.
TEST_F(InstallerFixture, DamagedPayloadStreamIsPromptedWithError) {
  fs::path copy = sandbox / "DamagedSetup.exe";
  fs::copy_file(paths::FromUtf8(WindowsPath(KELVORA_SETUP_EXE)), copy);
  HANDLE update = BeginUpdateResourceW(copy.wstring().c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  char garbage[] = "\x78\xDA this is not deflate data";
  ASSERT_TRUE(UpdateResourceW(update, RT_RCDATA, L"KELVORA_EXE", MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), garbage,
                              sizeof garbage - 1));
  ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

  Start({}, kBothDrivers, paths::Utf8(copy));
  Click(InstallButton());
  HWND prompt = WaitForMessageDialog("Error");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(DialogMessage(prompt), "Ошибка !\rError\rПродолжить ?");
  Answer(prompt, "&No");
  EXPECT_TRUE(process->WaitForExit().has_value());
  EXPECT_FALSE(fs::exists(target / "Kelvora.exe"));
}

} // namespace
} // namespace e2e
