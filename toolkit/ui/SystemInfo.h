#pragma once
// What the system offers that drawing code asks about: visual styles and the Windows version; and where
// the running program lies.

#include <windows.h>

#include <string>

// True when visual styles are in use for this program (uxtheme looked up at run time).
bool ThemesInUse();
// Removes the themed look from a window (SetWindowTheme with empty names); false without uxtheme.
bool RemoveWindowTheme(HWND window);
// The major version of Windows as the system reports it (6 and above: Vista and later).
int WindowsMajorVersion();
// Always true: the program runs on the NT family only.
constexpr bool IsNtFamily() { return true; }

// The full path of the running program's executable, wide as the system gives it.
std::wstring ProgramPath();
// The folder of the running program, ending in a backslash.
std::wstring ProgramFolder();
