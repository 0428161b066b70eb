#pragma once
// Every operating-system operation the installer logic performs. The logic talks to the platform only
// through this interface, so it runs against the Win32 implementation or a test double alike.
// Paths and texts are UTF-8. Failures are raised as the error classes of toolkit/base/Exceptions.h.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "toolkit/base/DialogTypes.h"

class Host {
public:
  virtual ~Host() = default;

  // Loads the library by name and frees it at once; true when the load gave a handle.
  virtual bool LibraryLoads(const std::string &fileName) = 0;

  // True only for an existing folder (with or without a trailing backslash).
  virtual bool DirectoryExists(const std::string &path) = 0;
  // True only for an existing entry that is not a folder.
  virtual bool FileExists(const std::string &path) = 0;
  // Creates one folder level; raises EInOutError with the system's error code.
  virtual void CreateDir(const std::string &path) = 0;
  // Removes an empty folder; the result does not matter to callers.
  virtual void RemoveDir(const std::string &path) = 0;
  // Creates or truncates the file and writes all bytes; raises EFCreateError or EWriteError.
  virtual void WriteFile(const std::string &path, std::span<const uint8_t> bytes) = 0;
  // The bytes of an RCDATA resource of the running executable (name matched without regard to case);
  // valid for the life of the process. Raises EResNotFound.
  virtual std::span<const uint8_t> OpenPayload(const std::string &name) = 0;

  // The user's Send To folder without trailing backslash; empty when the shell cannot tell.
  virtual std::string SendToFolder() = 0;
  // Writes a shell link at linkPath to target with arguments; raises EOleSysError or EIntfCastError.
  virtual void CreateShortcut(const std::string &linkPath, const std::string &target, const std::string &arguments) = 0;

  // Starts a program without waiting; failures go unreported.
  virtual void StartProgram(const std::string &commandLine) = 0;
  // Starts the command interpreter with parameters in workingDir, in a window of its own, without waiting.
  virtual void StartCommandInterpreter(const std::string &parameters, const std::string &workingDir) = 0;
  // Blocks the calling (GUI) thread.
  virtual void Sleep(unsigned milliseconds) = 0;
  // Tells every top-level window that settings changed ("RegistrySection"); returns when all have handled it.
  virtual void BroadcastSettingsChange() = 0;

  // The variable's value; empty when absent.
  virtual std::string EnvironmentVariable(const std::string &name) = 0;
  // Arguments after the program's own path, and the argument at index (0 is the program).
  virtual int ParamCount() = 0;
  virtual std::string ParamStr(int index) = 0;

  // A modal box centred on the screen; returns the modal result of the button pressed.
  virtual int MessageDlg(const std::string &text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
};
