#pragma once
// Helpers for tests that drive real windows from inside the message loop, as a user would.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs action once the current thread shows a visible top-level window of that class (polled from the
// message loop every 20 ms, for at most 5 s; on time-out the test fails and the action is skipped).
void WhenWindowAppears(const wchar_t *className, std::function<void(HWND)> action);
// Runs work from the message loop after a delay.
void After(unsigned milliseconds, std::function<void()> work);
// Handles messages until done() or the time-out passes; false on time-out.
bool PumpUntil(const std::function<bool()> &done, unsigned timeoutMs = 5000);

std::string ClassNameOf(HWND window);
std::string WindowText(HWND window);
// The direct child windows of parent, ordered left to right.
std::vector<HWND> ChildWindowsLeftToRight(HWND parent);
// Posts a key press (down and up) to the window that has the keyboard focus.
void PressKey(WORD key);
