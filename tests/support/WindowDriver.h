#pragma once
// Drives a program under test from outside, as a person would: starts it, finds its windows by class and
// caption, reads texts, clicks buttons and answers dialogs. Every wait is bounded.

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
constexpr auto kDefaultWait = 20s;

// Polls condition every few milliseconds until it holds or the time is up; returns whether it held.
bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = kDefaultWait);

std::string WindowText(HWND window);
std::string ClassName(HWND window);

class Process {
public:
  // Starts program with arguments (appended after the quoted program path) in workingDir (empty: current).
  // Variables in environment override the inherited ones; an empty value removes the variable.
  Process(const std::string &program, const std::string &arguments,
          const std::map<std::string, std::string> &environment = {}, const std::string &workingDir = {});
  ~Process();
  Process(const Process &) = delete;
  Process &operator=(const Process &) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  // The exit code, once the process ended within the timeout.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kDefaultWait);
  bool Running() const;

  // A visible top-level window of this process with the class and, when given, the caption.
  HWND FindWindow(const std::string &className, const std::string &caption = {}) const;
  HWND WaitForWindow(const std::string &className, const std::string &caption = {},
                     std::chrono::milliseconds timeout = kDefaultWait) const;
  std::vector<HWND> TopLevelWindows() const;

private:
  PROCESS_INFORMATION info_{};
};

// Direct children of parent with the class (any class when empty), in z-order.
std::vector<HWND> Children(HWND parent, const std::string &className = {});
// The first child button whose caption is text.
HWND FindButton(HWND parent, const std::string &text);
// Presses a button as a click would, without waiting for what the click does.
void Click(HWND button);
// Posts a key press and release to the window.
void PressKey(HWND window, WORD virtualKey);
// Brings the window to the foreground and types the keys as the keyboard would: pressed in order, released
// in reverse order, so modifiers count (Alt+Down). False when the window did not come to the foreground.
bool TypeChord(HWND window, const std::vector<WORD> &keys);
// Posts a left click at a point of the window's client area (window-less controls inside it take it).
void ClickAt(HWND window, POINT point);
void CloseWithTitleBar(HWND window);
// Moves the mouse to a point of the screen and clicks there with the left button, as a hand would.
void ClickScreen(POINT point);

} // namespace e2e
