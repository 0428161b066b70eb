#include "installer/host/CommandLine.h"

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  auto isSeparator = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::vector<std::string> words;
  size_t i = 0;
  for (;;) {
    while (i < commandLine.size() && isSeparator(commandLine[i]))
      ++i;
    if (i >= commandLine.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || !isSeparator(commandLine[i])); ++i) {
      if (commandLine[i] == '"')
        quoted = !quoted;
      else
        word += commandLine[i];
    }
    words.push_back(std::move(word));
  }
  return words;
}
