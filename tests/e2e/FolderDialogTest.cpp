// Choosing the target folder through the folder edit's button and its "Select directory" dialog, with the
// mouse and with the keyboard, and installing into the folder chosen.
#include "tests/e2e/InstallerFixture.h"

namespace e2e {
namespace {

class FolderDialog : public InstallerFixture {
protected:
  static HWND Tree(HWND dialog) {
    std::vector<HWND> trees = Children(dialog, "TsShellTreeView");
    return trees.empty() ? nullptr : trees.front();
  }

  // Opens the dialog with the folder text set to start (the dialog starts there).
  HWND OpenAt(const fs::path &start) {
    SetFolderText(start);
    PressFolderButton();
    return WaitForFolderDialog();
  }

  void WaitUntilClosed(HWND dialog) {
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  }

  // Installs through the window and checks the program went into the folder.
  void InstallsInto(const fs::path &folder) {
    Click(InstallButton());
    HWND done = WaitForMessageDialog("Information");
    ASSERT_NE(done, nullptr);
    Answer(done, "OK");
    EXPECT_EQ(process->WaitForExit(), 0u);
    EXPECT_TRUE(ReadFileText(folder / "Kelvora.exe") == ReadFileText(standIns / "Kelvora.exe"));
    EXPECT_FALSE(fs::exists(target));
  }
};

TEST_F(FolderDialog, TheButtonAndAltDownOpenItAndCancelAndEscapeLeaveTheText) {
  Start();
  const std::string text = WindowText(FolderEdit());

  PressFolderButton();
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowEnabled(MainWindow())); // modal
  Answer(dialog, "Cancel");
  WaitUntilClosed(dialog);
  EXPECT_EQ(WindowText(FolderEdit()), text);

  ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == FolderEdit(); }));
  ASSERT_TRUE(TypeChord(MainWindow(), {VK_MENU, VK_DOWN}));
  dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(TypeChord(dialog, {VK_ESCAPE}));
  WaitUntilClosed(dialog);
  EXPECT_EQ(WindowText(FolderEdit()), text);
  EXPECT_TRUE(process->Running());
}

TEST_F(FolderDialog, AFolderChosenThereIsTheInstallTarget) {
  const fs::path parent = sandbox / "Choices";
  fs::create_directories(parent / "Chosen");
  Start();
  HWND dialog = OpenAt(parent);
  ASSERT_NE(dialog, nullptr);
  // The dialog selects the folder of the text; its only child is chosen.
  HWND tree = Tree(dialog);
  const auto item = [&](WPARAM relation, LPARAM from) { return SendMessageW(tree, TVM_GETNEXTITEM, relation, from); };
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, item(TVGN_CARET, 0));
  const LPARAM child = item(TVGN_CHILD, item(TVGN_CARET, 0));
  ASSERT_NE(child, 0);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, child);
  Answer(dialog, "OK");
  WaitUntilClosed(dialog);
  EXPECT_EQ(WindowText(FolderEdit()), paths::Utf8(parent / "Chosen"));
  InstallsInto(parent / "Chosen");
}

TEST_F(FolderDialog, CreateMakesTheNextFreeNewFolderNamedInPlaceThatBecomesTheTarget) {
  const fs::path parent = sandbox / "Choices";
  fs::create_directories(parent / "New folder1");
  Start();
  HWND dialog = OpenAt(parent);
  ASSERT_NE(dialog, nullptr);
  HWND create = FindButton(dialog, "Create");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(create); }));
  Click(create);
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(parent / "New folder2"); }));
  // The new folder's name is being edited: the first Enter keeps the typed name, the second closes.
  HWND label = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (label = TreeView_GetEditControl(Tree(dialog))) != nullptr; }));
  SendMessageW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Подписи"));
  ASSERT_TRUE(TypeChord(dialog, {VK_RETURN}));
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(parent / paths::FromUtf8("Подписи")); }));
  EXPECT_FALSE(fs::exists(parent / "New folder2"));
  EXPECT_FALSE(WaitUntil([&] { return !IsWindow(dialog); }, 500ms));
  ASSERT_TRUE(TypeChord(dialog, {VK_RETURN}));
  WaitUntilClosed(dialog);
  EXPECT_EQ(WindowText(FolderEdit()), paths::Utf8(parent / paths::FromUtf8("Подписи")));
  InstallsInto(parent / paths::FromUtf8("Подписи"));
}

} // namespace
} // namespace e2e
