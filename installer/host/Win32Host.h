#pragma once
// The host operations on Win32. The owner window is the installer window, once it exists.

#include <windows.h>

#include "installer/host/Host.h"

class Win32Host : public Host {
public:
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

  bool LibraryLoads(const std::string &fileName) override;
  bool DirectoryExists(const std::string &path) override;
  bool FileExists(const std::string &path) override;
  void CreateDir(const std::string &path) override;
  void RemoveDir(const std::string &path) override;
  void WriteFile(const std::string &path, std::span<const uint8_t> bytes) override;
  std::span<const uint8_t> OpenPayload(const std::string &name) override;
  std::string SendToFolder() override;
  void CreateShortcut(const std::string &linkPath, const std::string &target, const std::string &arguments) override;
  void StartProgram(const std::string &commandLine) override;
  void StartCommandInterpreter(const std::string &parameters, const std::string &workingDir) override;
  void Sleep(unsigned milliseconds) override;
  void BroadcastSettingsChange() override;
  std::string EnvironmentVariable(const std::string &name) override;
  int ParamCount() override;
  std::string ParamStr(int index) override;
  int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) override;

private:
  HWND owner_ = nullptr;
};

// The system's description of an error code, without trailing blanks, control characters and full stops.
std::string SystemErrorText(DWORD code);
