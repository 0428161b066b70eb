#pragma once
// The installer window: the folder to install into, the install log, the progress, the install button
// and the exit timer, painted by the skin engine from the internal skin that its layout carries. What it
// does lives in the install logic; the window shows it.

#include <memory>

#include "installer/host/Win32Host.h"
#include "installer/logic/InstallerUi.h"
#include "installer/logic/StartupDecision.h"
#include "skin/controls/win/Button.h"
#include "skin/controls/win/DirectoryEdit.h"
#include "skin/controls/win/Label.h"
#include "skin/controls/win/Memo.h"
#include "skin/controls/win/ProgressBar.h"
#include "skin/frame/win/SkinProvider.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"

// How the process ends, so deployment tools can tell a silent install that did not complete.
enum InstallerExitCode : int {
  kExitSuccess = 0,
  kExitInstallFailed = 1,   // the driver probe or a step failed
  kExitInstallDeclined = 2, // the user chose not to continue after an error
  kExitLibraryErrors = 3,   // installed, but a library could not be written
};

class TForm1 : public TForm, public InstallerUi {
  TK_CLASS(TForm1)
public:
  explicit TForm1(TComponent *owner);

  // The host the window works through; the Win32 one unless a test puts another in.
  void SetHost(Host &host) { host_ = &host; }

  void FormCreate(TObject *sender);
  void FormShow(TObject *sender);
  void sButton1Click(TObject *sender);
  void Timer1Timer(TObject *sender);
  // Packs the payload files in the folder "payload" beside the program into zlib streams (a build step; no
  // control calls it).
  void Button1Click(TObject *sender);

  // InstallerUi
  void AddLogLine(const std::string &line) override;
  int ProgressPosition() override;
  void SetProgressPosition(int position) override;
  std::string FolderText() override;
  void EnableExitTimer() override;
  void RequestTermination() override;
  void NotifySettingsChanged() override;

  int ExitCode() const { return exitCode_; }

  TsLabel *sLabel1 = nullptr;
  TsDirectoryEdit *sDirectoryEdit1 = nullptr;
  TsProgressBar *sProgressBar1 = nullptr;
  TsMemo *sMemo1 = nullptr;
  TsButton *sButton1 = nullptr;
  TsSkinProvider *sSkinProvider1 = nullptr;
  TTimer *Timer1 = nullptr;
  TsSkinManager *sSkinManager1 = nullptr;

protected:
  void CreateHandleDone() override;

private:
  void RecordSilentInstall(InstallOutcome outcome);

  Win32Host win32Host_;
  Host *host_ = &win32Host_;
  std::string programFilesFolder_;
  std::string productFolderName_;
  int exitCode_ = kExitSuccess;
};
