#pragma once
// Folder-name rules of the folder edit and the folder browse dialog that need no file system: the root
// folder names a tree may start at, how a root text becomes a path, the names a new folder is tried under,
// the extension shown for a file, and a typed or pasted path kept on one line.

#include <optional>
#include <string>

// The shell special folder (CSIDL number) that a root folder name ("rfDesktop", any letter case) opens;
// none for any other text.
std::optional<int> RootFolderNumber(const std::string &rootName);

// A root text as a path to parse: a drive ("C:") gets its backslash.
std::string RootPathText(const std::string &root);

// folder + "\" + name, without a second backslash after a folder that ends in one ("C:\").
std::string JoinPath(const std::string &folder, const std::string &name);

// The n-th name tried for a new folder under folder: folder\New foldern (n from 1).
std::string NewFolderCandidate(const std::string &folder, int n);

enum class TacShowExtension { seSystem, seShow, seHide };
// The text of a file's node: the shown name, with the parsing name's extension added (seShow) or the
// shown extension taken off (seHide).
std::string NodeTextOfFile(const std::string &shownName, const std::string &parsingName, TacShowExtension mode);

// Text that may hold line breaks (a paste) as one line: every CR and LF is dropped.
std::string OneLine(const std::string &text);
