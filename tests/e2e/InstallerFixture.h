#pragma once
// Runs the real installer under test in a sandbox of its own: a fresh "Program Files" folder, a folder of
// stand-in token drivers on PATH, and a log into which the stand-in program records every start.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Paths.h"
#include "tests/support/WindowDriver.h"

namespace e2e {

namespace fs = std::filesystem;

// A path of the build (a Unix path under Wine) as the Windows program sees it.
std::string WindowsPath(const std::string &buildPath);
std::string ReadFileText(const fs::path &path);
std::vector<std::string> SplitLines(const std::string &text);
// The clipboard's text, or empty.
std::string ClipboardText();
// Whether the window shows text as a message box of the program draws it (the toolkit's default font in the
// window text colour on the button face colour), read from the screen.
bool ShowsText(HWND window, const std::string &text);

class InstallerFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  enum Drivers { kNoDrivers = 0, kIKey = 1, kEKalit = 2, kBothDrivers = 3 };
  // Starts the installer (or another program) with arguments and the drivers on PATH.
  Process &Start(const std::string &arguments = {}, Drivers drivers = kBothDrivers, const std::string &program = {});

  // The installer window and its controls, found by class and caption.
  HWND MainWindow();
  HWND FolderEdit();
  HWND Memo();
  HWND ProgressBar();
  HWND InstallButton();
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

  fs::path sandbox;
  fs::path programFiles; // the sandbox's Program Files
  fs::path target;       // programFiles / "Kelvora", the default target folder
  fs::path sendTo;       // the user's Send To folder
  fs::path shortcut;     // the installer's shortcut in it
  std::unique_ptr<Process> process;

private:
  fs::path startsLog_;
  HWND main_ = nullptr;
};

} // namespace e2e
