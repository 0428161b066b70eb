#include "installer/logic/InstallSequence.h"

#include <exception>
#include <vector>

#include "installer/codec/ZlibCodec.h"
#include "installer/logic/InstalledProgram.h"
#include "toolkit/base/Exceptions.h"

namespace {

const char kShortcutName[] = "\\Подписать c ЭЦП ....lnk";

class InstallRun {
public:
  InstallRun(Host &host, InstallerUi &ui) : host_(host), ui_(ui) {}

  InstallOutcome Run() {
    ProbeDrivers();
    ui_.SetProgressPosition(0);
    try {
      Prepare();
      if (!CopyProgramAndShortcut()) return InstallOutcome::Declined;
      CopyLibraries();
      if (!CopyRegisterScript() || !CopyScript("unregisterdll_cmd", "unregisterdll.cmd") ||
          !CopyScript("getmypublickey_cmd", "getmypublickey.cmd"))
        return InstallOutcome::Declined;
      Register();
    } catch (const std::exception &error) {
      ui_.AddLogLine(std::string("Ошибка: ") + error.what());
      host_.MessageDlg(std::string("Во время установки возникла ошибка :\r") + error.what(), TMsgDlgType::mtInformation,
                       mbOK);
      return InstallOutcome::Failed;
    }
    Finish();
    return libraryErrors_.empty() ? InstallOutcome::Completed : InstallOutcome::CompletedWithErrors;
  }

private:
  void ProbeDrivers() {
    bool iKey = host_.LibraryLoads("iKeyAPI.dll");
    bool eKalit = host_.LibraryLoads("eKalit.dll");
    if (!iKey && !eKalit) throw Exception("Драйвер для ключей Rainbow iKey (или UNICON e-Kalit) не установлен !");
  }

  void Prepare() {
    ui_.AddLogLine("Начата установка программы ...");
    std::string folder = ui_.FolderText();
    if (!host_.DirectoryExists(folder)) {
      ui_.AddLogLine("Создание папки " + folder);
      host_.CreateDir(folder);
    }
    StepProgress();
    target_ = WithTrailingBackslash(folder);
  }

  // Each copy step returns false when the user declined to continue after its error.
  bool CopyProgramAndShortcut() {
    ui_.AddLogLine("Копирование файла Kelvora.exe");
    std::span<const uint8_t> payload = host_.OpenPayload("Kelvora_exe");
    Prompting([&] {
      host_.WriteFile(target_ + kProgramFile, DecompressBuffer(payload).Bytes());
      host_.CreateShortcut(host_.SendToFolder() + kShortcutName, target_ + kProgramFile, "-sign");
    });
    return Continue();
  }

  void CopyLibraries() {
    for (const char *library : {"KelvoraV3DLL", "iKeyAPI", "eKalit"}) {
      std::string file = std::string(library) + ".dll";
      ui_.AddLogLine("Копирование файла " + file);
      std::span<const uint8_t> payload = host_.OpenPayload(std::string(library) + "_dll");
      // A library that cannot be written does not stop the run or ask; it is reported when the run ends.
      try {
        host_.WriteFile(target_ + file, DecompressBuffer(payload).Bytes());
      } catch (const std::exception &error) {
        libraryErrors_.push_back(file + ": " + error.what());
      }
    }
    StepProgress();
  }

  bool CopyRegisterScript() {
    ui_.AddLogLine("Копирование файла registerdll.cmd");
    std::span<const uint8_t> script = host_.OpenPayload("registerdll_cmd");
    Prompting([&] {
      host_.WriteFile(target_ + "registerdll.cmd", script);
      if (!host_.FileExists(target_ + "KelvoraDLL.dll")) host_.WriteFile(target_ + "KelvoraDLL.dll", script);
    });
    return Continue();
  }

  bool CopyScript(const char *resource, const char *file) {
    ui_.AddLogLine(std::string("Копирование файла ") + file);
    std::span<const uint8_t> script = host_.OpenPayload(resource);
    Prompting([&] { host_.WriteFile(target_ + file, script); });
    return Continue();
  }

  void Register() {
    ui_.AddLogLine("Регистрация KelvoraV3DLL.dll");
    host_.StartProgram(ProgramCommand(target_, "-install"));
    StepProgress();
  }

  void Finish() {
    ui_.NotifySettingsChanged();
    if (host_.ParamCount() == 0) {
      if (libraryErrors_.empty()) {
        host_.MessageDlg("Установка завершена !", TMsgDlgType::mtInformation, mbOK);
      } else {
        std::string text = "Установка завершена с ошибками !";
        for (const std::string &error : libraryErrors_)
          text += "\r" + error;
        host_.MessageDlg(text, TMsgDlgType::mtWarning, mbOK);
      }
    }
    ui_.RequestTermination();
  }

  // Runs step; on an error asks whether to go on, and on anything but Yes aborts the run and lets the exit
  // timer end the application.
  template <class Step> void Prompting(Step &&step) {
    try {
      step();
    } catch (const std::exception &error) {
      int answer = host_.MessageDlg(std::string("Ошибка !\r") + error.what() + "\rПродолжить ?", TMsgDlgType::mtError,
                                    mbYes | mbNo);
      if (answer != mrYes) {
        aborted_ = true;
        ui_.EnableExitTimer();
      }
    }
  }

  bool Continue() {
    if (aborted_) return false;
    StepProgress();
    return true;
  }

  void StepProgress() { ui_.SetProgressPosition(ui_.ProgressPosition() + 1); }

  Host &host_;
  InstallerUi &ui_;
  std::string target_;
  bool aborted_ = false;
  std::vector<std::string> libraryErrors_;
};

} // namespace

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

InstallOutcome RunInstallSequence(Host &host, InstallerUi &ui) { return InstallRun(host, ui).Run(); }
