#include "skin/controls/FolderNames.h"

#include <algorithm>
#include <array>

namespace {

struct RootFolder {
  const char *name;
  int number;
};

constexpr std::array<RootFolder, 23> RootFolders{{
    {"rfDesktop", 0},
    {"rfMyComputer", 17},
    {"rfNetwork", 18},
    {"rfRecycleBin", 10},
    {"rfAppData", 26},
    {"rfCommonDesktopDirectory", 25},
    {"rfCommonPrograms", 23},
    {"rfCommonStartMenu", 22},
    {"rfCommonStartup", 24},
    {"rfControlPanel", 3},
    {"rfDesktopDirectory", 16},
    {"rfFavorites", 6},
    {"rfFonts", 20},
    {"rfInternet", 1},
    {"rfPersonal", 5},
    {"rfPrinters", 4},
    {"rfPrintHood", 27},
    {"rfPrograms", 2},
    {"rfRecent", 8},
    {"rfSendTo", 9},
    {"rfStartMenu", 11},
    {"rfStartup", 7},
    {"rfTemplates", 21},
}};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string &a, const std::string &b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string::size_type ExtensionStart(const std::string &name) {
  const auto dot = name.find_last_of('.');
  const auto separator = name.find_last_of("\\/");
  if (dot == std::string::npos || dot == 0 || (separator != std::string::npos && dot < separator)) return name.npos;
  return dot;
}

} // namespace

std::optional<int> RootFolderNumber(const std::string &rootName) {
  for (const RootFolder &root : RootFolders)
    if (SameIgnoringCase(rootName, root.name)) return root.number;
  return std::nullopt;
}

std::string RootPathText(const std::string &root) { return !root.empty() && root.back() == ':' ? root + "\\" : root; }

std::string JoinPath(const std::string &folder, const std::string &name) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
  return folder + "\\" + name;
}

std::string NewFolderCandidate(const std::string &folder, int n) {
  return JoinPath(folder, "New folder" + std::to_string(n));
}

std::string NodeTextOfFile(const std::string &shownName, const std::string &parsingName, TacShowExtension mode) {
  switch (mode) {
  case TacShowExtension::seShow: {
    const auto start = ExtensionStart(parsingName);
    if (start == std::string::npos) return shownName;
    const std::string extension = parsingName.substr(start);
    const bool shown = shownName.size() >= extension.size() &&
                       SameIgnoringCase(shownName.substr(shownName.size() - extension.size()), extension);
    return shown ? shownName : shownName + extension;
  }
  case TacShowExtension::seHide: {
    const auto start = ExtensionStart(shownName);
    return start == std::string::npos ? shownName : shownName.substr(0, start);
  }
  case TacShowExtension::seSystem: break;
  }
  return shownName;
}

std::string OneLine(const std::string &text) {
  std::string line = text;
  std::erase_if(line, [](char c) { return c == '\r' || c == '\n'; });
  return line;
}
