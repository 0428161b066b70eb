#include <gtest/gtest.h>

#include "installer/logic/InstallSequence.h"
#include "tests/installer/FakeHost.h"

namespace {

const std::string kTarget = "C:\\Program Files\\Kelvora\\";

class InstallSequenceTest : public ::testing::Test {
protected:
  FakeHost host;
  FakeWindow window{host};

  InstallOutcome Run() { return RunInstallSequence(host, window); }
  std::vector<std::string> LogTexts() const {
    std::vector<std::string> texts;
    for (const auto &line : window.log)
      texts.push_back(line.text);
    return texts;
  }
};

TEST_F(InstallSequenceTest, CompleteRunIntoANewFolder) {
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Completed);

  const std::vector<std::pair<std::string, int>> expected = {
      {"Начата установка программы ...", 0},       {"Создание папки C:\\Program Files\\Kelvora", 0},
      {"Копирование файла Kelvora.exe", 1},        {"Копирование файла KelvoraV3DLL.dll", 2},
      {"Копирование файла iKeyAPI.dll", 2},        {"Копирование файла eKalit.dll", 2},
      {"Копирование файла registerdll.cmd", 3},    {"Копирование файла unregisterdll.cmd", 4},
      {"Копирование файла getmypublickey.cmd", 5}, {"Регистрация KelvoraV3DLL.dll", 6},
  };
  ASSERT_EQ(window.log.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(window.log[i].text, expected[i].first) << i;
    EXPECT_EQ(window.log[i].progress, expected[i].second) << i;
  }
  EXPECT_EQ(window.progress, 7);

  EXPECT_EQ(host.file(kTarget + "Kelvora.exe"), FakeHost::kProgram);
  EXPECT_EQ(host.file(kTarget + "KelvoraV3DLL.dll"), "library");
  EXPECT_EQ(host.file(kTarget + "iKeyAPI.dll"), "ikey driver");
  EXPECT_EQ(host.file(kTarget + "eKalit.dll"), "ekalit driver");
  EXPECT_EQ(host.file(kTarget + "registerdll.cmd"), "Kelvora -install");
  EXPECT_EQ(host.file(kTarget + "KelvoraDLL.dll"), "Kelvora -install");
  EXPECT_EQ(host.file(kTarget + "unregisterdll.cmd"), "Kelvora -uninstall");
  EXPECT_EQ(host.file(kTarget + "getmypublickey.cmd"), "Kelvora -getpublickey");

  EXPECT_EQ(host.events, (std::vector<std::string>{
                             "link C:\\Users\\u\\SendTo\\Подписать c ЭЦП ....lnk -> " + kTarget + "Kelvora.exe -sign",
                             "start \"" + kTarget + "Kelvora.exe\" -install",
                             "broadcast",
                         }));
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].text, "Установка завершена !");
  EXPECT_EQ(host.dialogs[0].type, TMsgDlgType::mtInformation);
  EXPECT_EQ(host.dialogs[0].buttons, TMsgDlgButtons{mbOK});
  EXPECT_TRUE(window.terminationRequested);
  EXPECT_FALSE(window.exitTimerEnabled);
}

TEST_F(InstallSequenceTest, ExistingFolderAndTrailingBackslash) {
  host.folders.insert("C:\\Program Files\\Kelvora");
  host.files[kTarget + "KelvoraDLL.dll"] = FakeHost::bytes("kept");
  window.folderText = "C:\\Program Files\\Kelvora\\";
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Completed);
  EXPECT_EQ(window.log.at(1).text, "Копирование файла Kelvora.exe");
  EXPECT_EQ(window.log.at(1).progress, 1);
  EXPECT_EQ(host.file(kTarget + "Kelvora.exe"), FakeHost::kProgram);
  EXPECT_EQ(host.file(kTarget + "KelvoraDLL.dll"), "kept");
}

TEST_F(InstallSequenceTest, DriverProbeFailureLeavesEverythingUntouched) {
  host.loadableLibraries.clear();
  window.log.push_back({"earlier line", 0});
  window.progress = 3;
  try {
    Run();
    FAIL() << "no error";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), "Драйвер для ключей Rainbow iKey (или UNICON e-Kalit) не установлен !");
  }
  EXPECT_EQ(LogTexts(), std::vector<std::string>{"earlier line"});
  EXPECT_EQ(window.progress, 3);
  EXPECT_TRUE(host.dialogs.empty());
  EXPECT_TRUE(host.files.empty());

  host.loadableLibraries = {"eKalit.dll"}; // one driver is enough
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Completed);
}

TEST_F(InstallSequenceTest, FolderThatCannotBeCreatedGoesToTheOuterHandler) {
  window.folderText = "C:\\Missing\\Kelvora";
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Failed);
  EXPECT_EQ(window.log.back().text, "Ошибка: Invalid filename");
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].text, "Во время установки возникла ошибка :\rInvalid filename");
  EXPECT_EQ(host.dialogs[0].type, TMsgDlgType::mtInformation);
  EXPECT_FALSE(window.terminationRequested);
  EXPECT_FALSE(window.exitTimerEnabled);
  EXPECT_TRUE(host.files.empty());

  // A second run appends to the log and starts the progress from 0 again.
  size_t linesBefore = window.log.size();
  window.progress = 5;
  window.folderText = "";
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Failed);
  EXPECT_EQ(window.log[linesBefore].text, "Начата установка программы ...");
  EXPECT_EQ(window.log[linesBefore].progress, 0);
  EXPECT_EQ(window.log[linesBefore + 1].text, "Создание папки ");
}

TEST_F(InstallSequenceTest, MissingScriptResourceGoesToTheOuterHandler) {
  host.payload.erase("UNREGISTERDLL_CMD");
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Failed);
  EXPECT_EQ(window.log.back().text, "Ошибка: Resource unregisterdll_cmd not found");
  EXPECT_EQ(window.progress, 4);
  EXPECT_EQ(host.file(kTarget + "registerdll.cmd"), "Kelvora -install");
}

TEST_F(InstallSequenceTest, DecliningAfterAStepErrorEndsTheRunQuietly) {
  host.lockedFiles.insert(kTarget + "Kelvora.exe");
  host.answers = {mrNo};
  EXPECT_EQ(Run(), InstallOutcome::Declined);
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].text, "Ошибка !\rCannot create file \"" + kTarget +
                                      "Kelvora.exe\". The process cannot access the file\rПродолжить ?");
  EXPECT_EQ(host.dialogs[0].type, TMsgDlgType::mtError);
  EXPECT_EQ(host.dialogs[0].buttons, TMsgDlgButtons{mbYes | mbNo});
  EXPECT_EQ(window.log.back().text, "Копирование файла Kelvora.exe");
  EXPECT_EQ(window.progress, 1);
  EXPECT_TRUE(window.exitTimerEnabled);
  EXPECT_FALSE(window.terminationRequested);
  EXPECT_TRUE(host.events.empty()); // no shortcut, no registration, no broadcast
}

TEST_F(InstallSequenceTest, ClosingThePromptCountsAsDeclining) {
  host.lockedFiles.insert(kTarget + "getmypublickey.cmd");
  host.answers = {mrCancel};
  EXPECT_EQ(Run(), InstallOutcome::Declined);
  EXPECT_EQ(window.progress, 5);
  EXPECT_TRUE(window.exitTimerEnabled);
}

TEST_F(InstallSequenceTest, AnsweringYesGoesOnAsIfTheStepHadSucceeded) {
  host.payload["KELVORA_EXE"].pop_back(); // a stream cut short
  host.answers = {mrYes, mrOk};
  EXPECT_EQ(Run(), InstallOutcome::Completed);
  EXPECT_EQ(host.dialogs[0].text, "Ошибка !\rError\rПродолжить ?");
  EXPECT_EQ(host.file(kTarget + "Kelvora.exe"), "(absent)");
  EXPECT_EQ(window.progress, 7);
  EXPECT_EQ(host.dialogs[1].text, "Установка завершена !");
  EXPECT_TRUE(window.terminationRequested);
}

TEST_F(InstallSequenceTest, LibraryFailuresDoNotAskButAreNotReportedAsSuccess) {
  host.lockedFiles.insert(kTarget + "KelvoraV3DLL.dll");
  host.answers = {mrOk};
  EXPECT_EQ(Run(), InstallOutcome::CompletedWithErrors);
  EXPECT_EQ(window.log.size(), 10u);
  EXPECT_EQ(window.log[3].text, "Копирование файла KelvoraV3DLL.dll");
  EXPECT_EQ(host.file(kTarget + "iKeyAPI.dll"), "ikey driver");
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].type, TMsgDlgType::mtWarning);
  EXPECT_EQ(host.dialogs[0].text, "Установка завершена с ошибками !\rKelvoraV3DLL.dll: Cannot create file \"" +
                                      kTarget + "KelvoraV3DLL.dll\". The process cannot access the file");
  EXPECT_TRUE(window.terminationRequested);
}

TEST_F(InstallSequenceTest, StartedWithArgumentsShowsNoCompletionBoxButStillPrompts) {
  host.arguments = {"iKey"};
  EXPECT_EQ(Run(), InstallOutcome::Completed);
  EXPECT_TRUE(host.dialogs.empty());
  EXPECT_TRUE(window.terminationRequested);

  host.lockedFiles.insert(kTarget + "registerdll.cmd");
  host.answers = {mrNo};
  EXPECT_EQ(Run(), InstallOutcome::Declined);
  EXPECT_EQ(host.dialogs.size(), 1u);
}

} // namespace
