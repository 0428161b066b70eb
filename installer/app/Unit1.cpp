#include "installer/app/Unit1.h"

#include "installer/payload/PackPayload.h"
#include "toolkit/base/MetaClass.h"

const TMetaClass &TForm1::StaticMetaClass() {
  return DefineClass<TForm1, TForm>("TForm1", [](TClassBuilder<TForm1> &c) {
    c.Field("sLabel1", &TForm1::sLabel1);
    c.Field("sDirectoryEdit1", &TForm1::sDirectoryEdit1);
    c.Field("sProgressBar1", &TForm1::sProgressBar1);
    c.Field("sMemo1", &TForm1::sMemo1);
    c.Field("sButton1", &TForm1::sButton1);
    c.Field("sSkinProvider1", &TForm1::sSkinProvider1);
    c.Field("Timer1", &TForm1::Timer1);
    c.Field("sSkinManager1", &TForm1::sSkinManager1);
    c.Handler("FormCreate", &TForm1::FormCreate);
    c.Handler("FormShow", &TForm1::FormShow);
    c.Handler("sButton1Click", &TForm1::sButton1Click);
    c.Handler("Timer1Timer", &TForm1::Timer1Timer);
    c.Handler("Button1Click", &TForm1::Button1Click);
  });
}

TForm1::TForm1(TComponent *owner) : TForm(owner) {}

void TForm1::CreateHandleDone() {
  TForm::CreateHandleDone();
  win32Host_.SetOwnerWindow(Handle());
}

void TForm1::FormCreate(TObject *) {
  productFolderName_ = "Kelvora";
  programFilesFolder_ = host_->EnvironmentVariable("ProgramFiles");
  sDirectoryEdit1->InitialDir = programFilesFolder_;
  sDirectoryEdit1->SetText(programFilesFolder_ + "\\" + productFolderName_);
  sMemo1->Lines().Clear();
}

void TForm1::FormShow(TObject *) {
  bool silent = host_->ParamCount() > 0 && IsTokenArgument(host_->ParamStr(1));
  // Until the silent install has run to an outcome, a failure (such as the driver probe) is the result.
  if (silent) exitCode_ = kExitInstallFailed;
  StartupResult result = RunStartupDecision(*host_, *this);
  if (result.install) RecordSilentInstall(*result.install);
}

void TForm1::sButton1Click(TObject *) { RunInstallSequence(*host_, *this); }

void TForm1::Timer1Timer(TObject *) {
  Timer1->SetEnabled(false);
  RequestTermination();
}

void TForm1::Button1Click(TObject *) {
  // The payload files lie in the folder "payload" beside the installer; their streams are written there too.
  std::string program = host_->ParamStr(0);
  std::string folder = program.substr(0, program.find_last_of('\\') + 1) + "payload\\";
  PackPayload(folder, folder,
              [this](const std::string &path, std::span<const uint8_t> bytes) { host_->WriteFile(path, bytes); });
}

void TForm1::RecordSilentInstall(InstallOutcome outcome) {
  switch (outcome) {
  case InstallOutcome::Completed: exitCode_ = kExitSuccess; break;
  case InstallOutcome::CompletedWithErrors: exitCode_ = kExitLibraryErrors; break;
  case InstallOutcome::Failed: exitCode_ = kExitInstallFailed; break;
  case InstallOutcome::Declined: exitCode_ = kExitInstallDeclined; break;
  }
}

void TForm1::AddLogLine(const std::string &line) { sMemo1->Lines().Add(line); }
int TForm1::ProgressPosition() { return sProgressBar1->Position(); }
void TForm1::SetProgressPosition(int position) { sProgressBar1->SetPosition(position); }
std::string TForm1::FolderText() { return sDirectoryEdit1->Text(); }
void TForm1::EnableExitTimer() { Timer1->SetEnabled(true); }
void TForm1::RequestTermination() { Application->Terminate(); }
void TForm1::NotifySettingsChanged() { host_->BroadcastSettingsChange(); }
