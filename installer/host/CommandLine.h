#pragma once
// Splits a process command line into words: blanks and control characters separate words; a stretch in
// double quotes belongs to the word it stands in, and the quotes are dropped. Word 0 is the program.

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SplitCommandLine(std::string_view commandLine);
