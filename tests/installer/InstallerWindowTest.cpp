// The installer window in-process: what FormCreate presets and how the exit timer ends the application.
#include <gtest/gtest.h>

#include <windows.h>

#include "installer/app/Unit1.h"
#include "skin/controls/win/SkinControls.h"
#include "tests/installer/FakeHost.h"

namespace {

class InstallerWindowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    InitializeSkinControls();
    Application->Initialize();
  }

  TForm1 *CreateWindowWith(const wchar_t *programFiles) {
    SetEnvironmentVariableW(L"ProgramFiles", programFiles);
    return Application->CreateForm<TForm1>(LoadLayoutResource("FORM1"));
  }
};

TEST_F(InstallerWindowTest, FormCreatePresetsTheFolderAndEmptiesTheLog) {
  TForm1 *form = CreateWindowWith(L"C:\\Программы");
  EXPECT_EQ(form->sDirectoryEdit1->Text(), "C:\\Программы\\Kelvora");
  EXPECT_EQ(form->sMemo1->Lines().Count(), 0);
  EXPECT_EQ(form->sProgressBar1->Position(), 0);
  EXPECT_EQ(form->sProgressBar1->Max(), 7);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_EQ(form->Timer1->Interval(), 100u);
  EXPECT_EQ(form->Caption(), "Установка программы Kelvora [iKey / e-Kalit]");
  form->Free();
}

TEST_F(InstallerWindowTest, WithoutProgramFilesTheFolderStartsWithABackslash) {
  TForm1 *form = CreateWindowWith(nullptr);
  EXPECT_EQ(form->sDirectoryEdit1->Text(), "\\Kelvora");
  form->Free();
}

TEST_F(InstallerWindowTest, LogLinesAppendInOrder) {
  TForm1 *form = CreateWindowWith(L"C:\\PF");
  form->AddLogLine("Начата установка программы ...");
  form->AddLogLine("Создание папки C:\\PF\\Kelvora");
  ASSERT_EQ(form->sMemo1->Lines().Count(), 2);
  EXPECT_EQ(form->sMemo1->Lines()[1], "Создание папки C:\\PF\\Kelvora");
  form->Free();
}

TEST_F(InstallerWindowTest, ExitTimerFiresOnceAndEndsTheMessageLoop) {
  TForm1 *form = CreateWindowWith(L"C:\\PF");
  int ticks = 0;
  TNotifyEvent original = form->Timer1->OnTimer;
  form->Timer1->OnTimer = [&](TObject *sender) {
    ++ticks;
    original(sender);
  };
  form->EnableExitTimer();
  DWORD start = GetTickCount();
  while (!Application->Terminated() && GetTickCount() - start < 5000)
    Application->HandleMessage();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(form->Timer1->Enabled());
  form->Free();
}

TEST_F(InstallerWindowTest, WithTheManagerInactiveTheWindowTakesTheSystemLookAndStillInstalls) {
  TForm1 *form = CreateWindowWith(L"C:\\Program Files");
  form->Show();
  ASSERT_TRUE(form->sSkinProvider1->Skinned());
  ASSERT_TRUE(form->sButton1->SkinData.UsesSkin());
  // The skinned frame draws the caption buttons itself; the system's frame draws them from the style.
  EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU, 0);

  form->sSkinManager1->SetActive(false);
  EXPECT_FALSE(form->sSkinProvider1->Skinned());
  EXPECT_NE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_FALSE(form->sButton1->SkinData.UsesSkin());
  EXPECT_FALSE(form->sDirectoryEdit1->SkinData.UsesSkin());
  EXPECT_FALSE(form->sMemo1->SkinData.UsesSkin());
  EXPECT_FALSE(form->sProgressBar1->SkinData.UsesSkin());

  FakeHost host;
  host.answers = {mrOk};
  form->SetHost(host);
  form->sButton1->Click();
  EXPECT_EQ(host.file("C:\\Program Files\\Kelvora\\Kelvora.exe"), FakeHost::kProgram);
  EXPECT_EQ(form->sProgressBar1->Position(), 7);
  ASSERT_FALSE(host.dialogs.empty());
  EXPECT_EQ(host.dialogs.back().text, "Установка завершена !");
  form->Free();
}

} // namespace
