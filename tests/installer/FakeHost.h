#pragma once
// An in-memory host and window for the install logic: files and folders in maps, payload resources from a
// table, dialogs answered from a script, every call that matters recorded in order.

#include <deque>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "installer/codec/ZlibCodec.h"
#include "installer/host/Host.h"
#include "installer/logic/InstallerUi.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"

struct AskedDialog {
  std::string text;
  TMsgDlgType type;
  TMsgDlgButtons buttons;
};

class FakeHost : public Host {
public:
  FakeHost() {
    auto packed = [](const std::string &content) {
      TByteBlock block = CompressBuffer({reinterpret_cast<const uint8_t *>(content.data()), content.size()});
      return std::vector<uint8_t>(block.Bytes().begin(), block.Bytes().end());
    };
    payload["KELVORA_EXE"] = packed(kProgram);
    payload["KELVORAV3DLL_DLL"] = packed("library");
    payload["IKEYAPI_DLL"] = packed("ikey driver");
    payload["EKALIT_DLL"] = packed("ekalit driver");
    payload["REGISTERDLL_CMD"] = bytes("Kelvora -install");
    payload["UNREGISTERDLL_CMD"] = bytes("Kelvora -uninstall");
    payload["GETMYPUBLICKEY_CMD"] = bytes("Kelvora -getpublickey");
    folders.insert("C:");
    folders.insert("C:\\Program Files");
  }

  static inline const std::string kProgram = "the Kelvora program";
  static std::vector<uint8_t> bytes(const std::string &s) { return {s.begin(), s.end()}; }
  std::string file(const std::string &path) const {
    auto it = files.find(path);
    return it == files.end() ? "(absent)" : std::string(it->second.begin(), it->second.end());
  }

  // Scripted state.
  std::set<std::string> loadableLibraries = {"iKeyAPI.dll", "eKalit.dll"};
  std::set<std::string> folders;
  std::map<std::string, std::vector<uint8_t>> files;
  std::set<std::string> lockedFiles; // writing them fails as a file held open elsewhere would
  std::map<std::string, std::vector<uint8_t>> payload;
  std::vector<std::string> arguments;
  std::map<std::string, std::string> environment;
  std::string sendTo = "C:\\Users\\u\\SendTo";
  std::deque<int> answers; // dialog answers in order; a dialog with no answer left fails the test

  // Recorded calls.
  std::vector<AskedDialog> dialogs;
  std::vector<std::string> events; // started programs, sleeps, removals, shortcuts, interpreter runs

  bool LibraryLoads(const std::string &name) override { return loadableLibraries.count(name) > 0; }
  bool DirectoryExists(const std::string &path) override {
    std::string p = path.size() > 1 && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    return folders.count(p) > 0;
  }
  bool FileExists(const std::string &path) override { return files.count(path) > 0; }
  void CreateDir(const std::string &path) override {
    size_t slash = path.find_last_of('\\');
    if (path.empty() || slash == std::string::npos || !folders.count(path.substr(0, slash))) throw EInOutError(3);
    if (files.count(path)) throw EInOutError(183);
    folders.insert(path);
  }
  void RemoveDir(const std::string &path) override { events.push_back("rmdir " + path); }
  void WriteFile(const std::string &path, std::span<const uint8_t> data) override {
    if (lockedFiles.count(path)) throw EFCreateError(path, "The process cannot access the file");
    if (!DirectoryExists(path.substr(0, path.find_last_of('\\')))) throw EFCreateError(path, "Path not found");
    files[path].assign(data.begin(), data.end());
  }
  std::span<const uint8_t> OpenPayload(const std::string &name) override {
    auto it = payload.find(text::UpperCase(name));
    if (it == payload.end()) throw EResNotFound(name);
    return it->second;
  }
  std::string SendToFolder() override { return sendTo; }
  void CreateShortcut(const std::string &link, const std::string &target, const std::string &arguments) override {
    events.push_back("link " + link + " -> " + target + " " + arguments);
  }
  void StartProgram(const std::string &commandLine) override { events.push_back("start " + commandLine); }
  void StartCommandInterpreter(const std::string &parameters, const std::string &dir) override {
    events.push_back("cmd " + parameters + " in " + dir);
  }
  void Sleep(unsigned ms) override { events.push_back("sleep " + std::to_string(ms)); }
  void BroadcastSettingsChange() override { events.push_back("broadcast"); }
  std::string EnvironmentVariable(const std::string &name) override {
    auto it = environment.find(name);
    return it == environment.end() ? "" : it->second;
  }
  int ParamCount() override { return static_cast<int>(arguments.size()); }
  std::string ParamStr(int index) override {
    return index >= 1 && index <= ParamCount() ? arguments[index - 1] : "setup.exe";
  }
  int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) override {
    dialogs.push_back({text, type, buttons});
    if (answers.empty()) throw std::logic_error("unexpected dialog: " + text);
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FakeWindow : public InstallerUi {
public:
  explicit FakeWindow(FakeHost &host) : host_(host) {}
  struct Line {
    std::string text;
    int progress;
  };
  std::vector<Line> log;
  int progress = 0;
  std::string folderText = "C:\\Program Files\\Kelvora";
  bool exitTimerEnabled = false;
  bool terminationRequested = false;

  void AddLogLine(const std::string &line) override { log.push_back({line, progress}); }
  int ProgressPosition() override { return progress; }
  void SetProgressPosition(int position) override { progress = position; }
  std::string FolderText() override { return folderText; }
  void EnableExitTimer() override { exitTimerEnabled = true; }
  void RequestTermination() override { terminationRequested = true; }
  void NotifySettingsChanged() override { host_.BroadcastSettingsChange(); }

private:
  FakeHost &host_;
};
