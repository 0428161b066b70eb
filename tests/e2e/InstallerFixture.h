#pragma once
// Runs the real installer under test in a sandbox of its own: a fresh default target folder under Program Files
// as the installer sees it, stand-in token drivers in the system folder where the installer's width finds
// them, and a log into which the stand-in program records every start.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/SystemFolders.h"
#include "tests/support/Paths.h"
#include "tests/support/WindowDriver.h"

namespace e2e {

namespace fs = std::filesystem;

using paths::WindowsPath;
std::string ReadFileText(const fs::path &path);
std::vector<std::string> SplitLines(const std::string &text);
// The clipboard's text, or empty.
std::string ClipboardText();
// Whether the window shows text as a message box of the program draws it (the toolkit's default font, in
// whatever colours its skin gives text and background), read from the screen.
bool ShowsText(HWND window, const std::string &text);

class InstallerFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  enum Drivers { kNoDrivers = 0, kIKey = 1, kEKalit = 2, kBothDrivers = 3 };
  // Starts the installer (or another program) with arguments, after placing the chosen stand-in drivers in
  // the installer's system folder (SetUp and TearDown clear both system folders of them).
  Process &Start(const std::string &arguments = {}, Drivers drivers = kBothDrivers, const std::string &program = {});

  // The installer window and its controls, found by class and caption.
  HWND MainWindow();
  HWND FolderEdit();
  HWND Memo();
  HWND ProgressBar();
  HWND InstallButton();
  // Clicks the folder edit's built-in button (at its right end).
  void PressFolderButton();
  // The "Select directory" dialog that the folder edit opens.
  HWND WaitForFolderDialog();
  void SetFolderText(const fs::path &folder);
  // The window of the installer that has the keyboard focus.
  HWND FocusedWindow();
  // Moves the focus with Tab until the window has it; false when it never does.
  bool TabTo(HWND window);
  std::vector<std::string> LogLines();
  int Progress();

  // The installer's message dialog with this caption ("Information", "Error", "Confirm", "Warning").
  HWND WaitForMessageDialog(const std::string &caption, std::chrono::milliseconds timeout = kDefaultWait);
  // The dialog's message, with its line breaks as "\r", read through the dialog's own copy command.
  std::string DialogMessage(HWND dialog);
  void Answer(HWND dialog, const std::string &button);

  // Removes the default target folder once programs started from it no longer hold its files.
  void RemoveTarget();

  // What the stand-in program recorded: one line per start with its arguments.
  std::vector<std::string> ProgramStarts();
  bool WaitForProgramStart(const std::string &arguments);

  // The installer under test and its width, and the folder of stand-ins of that width (the build's own,
  // unless a fixture chooses another installer before SetUp).
  fs::path installer = paths::FromUtf8(WindowsPath(KELVORA_SETUP_EXE));
  Width installerWidth = kThisBuild;
  fs::path standIns = paths::FromUtf8(WindowsPath(KELVORA_STANDIN_DIR));

  fs::path sandbox;
  fs::path programFiles; // Program Files as the installer sees it
  fs::path target;       // programFiles / "Kelvora", the default target folder
  fs::path sendTo;       // the user's Send To folder
  fs::path shortcut;     // the installer's shortcut in it
  std::unique_ptr<Process> process;

private:
  fs::path startsLog_;
  HWND main_ = nullptr;
};

} // namespace e2e
