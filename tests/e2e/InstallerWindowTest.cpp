// The installer window as a person sees it right after start.
#include "tests/e2e/InstallerFixture.h"

namespace e2e {
namespace {

using InstallerWindow = InstallerFixture;

TEST_F(InstallerWindow, ShowsTheDefaultFolderAnEmptyLogAndAnEmptyProgressBar) {
  Start();
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_EQ(WindowText(FolderEdit()), paths::Utf8(target));
  EXPECT_EQ(WindowText(Memo()), "");
  EXPECT_EQ(Progress(), 0);
  EXPECT_EQ(SendMessageW(ProgressBar(), PBM_GETRANGE, FALSE, 0), 7);
  EXPECT_NE(InstallButton(), nullptr);
  RECT client;
  GetClientRect(MainWindow(), &client);
  EXPECT_EQ(client.right, 440);
  EXPECT_EQ(client.bottom, 213);

  CloseWithTitleBar(MainWindow());
  EXPECT_EQ(process->WaitForExit(), 0u);
}

} // namespace
} // namespace e2e
