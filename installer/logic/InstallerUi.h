#pragma once
// What the install logic needs of the installer window.

#include <string>

class InstallerUi {
public:
  virtual ~InstallerUi() = default;
  // Appends one line at the end of the install log.
  virtual void AddLogLine(const std::string &line) = 0;
  virtual int ProgressPosition() = 0;
  virtual void SetProgressPosition(int position) = 0;
  // The target folder as the user sees it in the folder edit.
  virtual std::string FolderText() = 0;
  // Starts the exit timer, which ends the application shortly after.
  virtual void EnableExitTimer() = 0;
  // Ends the message loop once the current handler has returned.
  virtual void RequestTermination() = 0;
  // Tells every top-level window that settings changed.
  virtual void NotifySettingsChanged() = 0;
};
