#pragma once
// The sub-commands of skinpack, for skin authors. Each returns the process exit code and writes what it has
// to say to out and err. Adding a sub-command is one entry in SkinPackCommands().

#include <functional>
#include <map>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum SkinPackExitCode { ExitOk = 0, ExitProblems = 1, ExitFailure = 2 };

struct SkinPackArguments {
  std::vector<std::string> Positional;
  std::map<std::string, std::string, std::less<>> Options; // "--name" and its value
  // The value of an option, or null when it was not given.
  const std::string *Option(std::string_view name) const;
};

struct SkinPackCommand {
  std::string_view Name;
  std::string_view Arguments;
  std::string_view Summary;
  size_t ArgumentCount; // positional arguments
  std::function<int(const SkinPackArguments &args, std::ostream &out)> Run;
  std::vector<std::string_view> Options = {}; // options the command takes, each with one value
};

const std::vector<SkinPackCommand> &SkinPackCommands();

// The whole command line after the program name; errors (Exception) become a message on err and ExitFailure.
int RunSkinPack(std::span<const std::string> args, std::ostream &out, std::ostream &err);

// pack: the files of a folder skin, "Options.dat" first and the pictures after it in name order.
void PackFolder(const std::string &folder, const std::string &packFile);
// unpack: every member into the folder, refusing names that could leave it or clash.
void UnpackToFolder(const std::string &packFile, const std::string &folder);
void ListPack(const std::string &packFile, std::ostream &out);
