#pragma once
// The installed program and how it is started.

#include <string>

inline constexpr char kProgramFile[] = "Kelvora.exe";

// The command line that starts the program in folder (which ends in a backslash) with a switch. The path is
// quoted: unquoted, "C:\Program Files\..." could start "C:\Program.exe" instead.
inline std::string ProgramCommand(const std::string &folder, const std::string &programSwitch) {
  return "\"" + folder + kProgramFile + "\" " + programSwitch;
}
