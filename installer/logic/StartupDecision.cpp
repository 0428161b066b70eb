#include "installer/logic/StartupDecision.h"

#include "installer/logic/InstalledProgram.h"

namespace {

const char kRemovalQuestion[] = "Программа была ранее установлена !\rДля удаления программы нажмите Yes\r"
                                "Для продолжения установки нажмите No\rДля отмены нажмите Cancel";

// The folder that holds folder (without trailing backslash), or folder itself at a root.
std::string ParentFolder(const std::string &folder) {
  size_t slash = folder.find_last_of('\\');
  if (slash == std::string::npos) return folder;
  return folder.substr(0, slash == 2 && folder[1] == ':' ? 3 : slash);
}

void RemoveInstallation(Host &host, InstallerUi &ui, const std::string &installed) {
  host.StartProgram(ProgramCommand(installed, "-uninstall"));
  host.Sleep(4000);
  std::string folder = installed.substr(0, installed.size() - 1);
  // The command interpreter removes the folder itself once its files are gone: it runs from the parent
  // folder, since a folder cannot be removed while a process works in it. "rd" without "/s" keeps a folder
  // that still holds anything the delete skipped.
  host.StartCommandInterpreter("/c del /Q \"" + installed + "*.*\" & rd \"" + folder + "\"", ParentFolder(folder));
  host.RemoveDir(folder);
  host.MessageDlg("Програма удалена !", TMsgDlgType::mtInformation, mbOK);
  ui.NotifySettingsChanged();
  ui.RequestTermination();
}

} // namespace

bool IsTokenArgument(const std::string &argument) {
  return argument == "iKey" || argument == "eKalit" || argument == "iKey_eKalit";
}

StartupResult RunStartupDecision(Host &host, InstallerUi &ui) {
  if (host.ParamCount() > 0) {
    if (!IsTokenArgument(host.ParamStr(1))) return {};
    return {StartupOutcome::SilentInstall, RunInstallSequence(host, ui)};
  }
  std::string folder = ui.FolderText();
  std::string installed = WithTrailingBackslash(folder);
  if (!host.DirectoryExists(folder) || !host.FileExists(installed + kProgramFile)) return {};
  switch (host.MessageDlg(kRemovalQuestion, TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel)) {
  case mrYes: RemoveInstallation(host, ui, installed); return {StartupOutcome::Removed, {}};
  case mrNo: return {};
  default: ui.RequestTermination(); return {StartupOutcome::Cancelled, {}};
  }
}
