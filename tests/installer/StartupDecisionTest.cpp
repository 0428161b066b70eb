#include <gtest/gtest.h>

#include "installer/logic/StartupDecision.h"
#include "tests/installer/FakeHost.h"

namespace {

const std::string kFolder = "C:\\Program Files\\Kelvora";

class StartupDecisionTest : public ::testing::Test {
protected:
  FakeHost host;
  FakeWindow window{host};

  void InstallEarlier() {
    host.folders.insert(kFolder);
    host.files[kFolder + "\\Kelvora.exe"] = FakeHost::bytes("old");
  }
};

TEST_F(StartupDecisionTest, TokenArgumentsInstallSilently) {
  for (const char *token : {"iKey", "eKalit", "iKey_eKalit"}) {
    FakeHost h;
    FakeWindow w{h};
    h.arguments = {token, "extra"};
    StartupResult result = RunStartupDecision(h, w);
    EXPECT_EQ(result.outcome, StartupOutcome::SilentInstall) << token;
    EXPECT_EQ(result.install, InstallOutcome::Completed) << token;
    EXPECT_TRUE(h.dialogs.empty()) << token;
    EXPECT_EQ(h.file(kFolder + "\\Kelvora.exe"), FakeHost::kProgram) << token;
  }
}

TEST_F(StartupDecisionTest, OtherArgumentsSkipEvenTheEarlierInstallationCheck) {
  InstallEarlier();
  for (const char *argument : {"IKEY", "ikey", "iKey_", "-install"}) {
    host.arguments = {argument};
    EXPECT_EQ(RunStartupDecision(host, window).outcome, StartupOutcome::LeftToUser) << argument;
  }
  EXPECT_TRUE(host.dialogs.empty());
  EXPECT_TRUE(window.log.empty());
}

TEST_F(StartupDecisionTest, SilentInstallWithoutDriversRaisesTheProbeError) {
  host.arguments = {"eKalit"};
  host.loadableLibraries.clear();
  EXPECT_THROW(RunStartupDecision(host, window), Exception);
  EXPECT_FALSE(window.terminationRequested);
}

TEST_F(StartupDecisionTest, NoQuestionWithoutAnEarlierProgram) {
  EXPECT_EQ(RunStartupDecision(host, window).outcome, StartupOutcome::LeftToUser);
  host.folders.insert(kFolder); // the folder alone is not an installation
  EXPECT_EQ(RunStartupDecision(host, window).outcome, StartupOutcome::LeftToUser);
  EXPECT_TRUE(host.dialogs.empty());
}

TEST_F(StartupDecisionTest, EarlierInstallationAnsweredCancelOrNo) {
  InstallEarlier();
  host.answers = {mrCancel, mrNo};
  EXPECT_EQ(RunStartupDecision(host, window).outcome, StartupOutcome::Cancelled);
  EXPECT_TRUE(window.terminationRequested);
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].text, "Программа была ранее установлена !\rДля удаления программы нажмите Yes\r"
                                  "Для продолжения установки нажмите No\rДля отмены нажмите Cancel");
  EXPECT_EQ(host.dialogs[0].type, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(host.dialogs[0].buttons, TMsgDlgButtons{mbYes | mbNo | mbCancel});

  window.terminationRequested = false;
  EXPECT_EQ(RunStartupDecision(host, window).outcome, StartupOutcome::LeftToUser);
  EXPECT_FALSE(window.terminationRequested);
  EXPECT_TRUE(host.events.empty());
}

TEST_F(StartupDecisionTest, EarlierInstallationAnsweredYesIsRemoved) {
  InstallEarlier();
  host.answers = {mrYes, mrOk};
  EXPECT_EQ(RunStartupDecision(host, window).outcome, StartupOutcome::Removed);
  EXPECT_EQ(host.events, (std::vector<std::string>{
                             "start \"" + kFolder + "\\Kelvora.exe\" -uninstall",
                             "sleep 4000",
                             "cmd /c del /Q \"" + kFolder + "\\*.*\" & rd \"" + kFolder + "\" in C:\\Program Files",
                             "rmdir " + kFolder,
                             "broadcast",
                         }));
  ASSERT_EQ(host.dialogs.size(), 2u);
  EXPECT_EQ(host.dialogs[1].text, "Програма удалена !");
  EXPECT_EQ(host.dialogs[1].type, TMsgDlgType::mtInformation);
  EXPECT_TRUE(window.terminationRequested);
  EXPECT_TRUE(window.log.empty());
}

TEST_F(StartupDecisionTest, RemovalOfAFolderAtADriveRootRunsFromTheRoot) {
  window.folderText = "D:\\Kelvora";
  host.folders.insert("D:\\Kelvora");
  host.files["D:\\Kelvora\\Kelvora.exe"] = FakeHost::bytes("old");
  host.answers = {mrYes, mrOk};
  RunStartupDecision(host, window);
  EXPECT_EQ(host.events.at(2), "cmd /c del /Q \"D:\\Kelvora\\*.*\" & rd \"D:\\Kelvora\" in D:\\");
}

} // namespace
