#include "tools/skinpack/SkinPackTool.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>

#include "skin/model/ColorTransformOptions.h"
#include "skin/model/SkinErrors.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPackWriter.h"
#include "skin/model/SkinPaths.h"
#include "tools/Utf8Paths.h"
#include "tools/skinpack/PendingFile.h"
#include "tools/skinpack/SkinRender.h"
#include "tools/skinpack/SkinValidation.h"
#include "toolkit/base/Text.h"

namespace fs = std::filesystem;

namespace {

constexpr int64_t MaxPackFileSize = 1024ll * 1024 * 1024;
bool IsHidden(const fs::path &path) {
  std::string name = PathToUtf8(path.filename());
  return name.empty() || name[0] == '.';
}

// Member names become file names: nothing that leaves the folder, names a device or that Windows would
// change (a trailing dot or blank).
void CheckMemberFileName(const std::string &name) {
  static constexpr std::array<std::string_view, 4> devices = {"CON", "PRN", "AUX", "NUL"};
  std::string stem = text::UpperCase(name.substr(0, name.find('.')));
  bool device =
      std::find(devices.begin(), devices.end(), stem) != devices.end() ||
      (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9');
  bool unsafe = name == "." || name == ".." || device || name.back() == '.' || name.back() == ' ' ||
                std::any_of(name.begin(), name.end(), [](char c) {
                  return static_cast<unsigned char>(c) < 0x20 ||
                         std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
                });
  if (unsafe) throw ESkinPackError("Member name \"" + name + "\" cannot be used as a file name");
}

std::vector<uint8_t> ReadPackFile(const std::string &packFile) { return ReadSkinFile(packFile, MaxPackFileSize); }

int ValidateCommand(const SkinPackArguments &a, std::ostream &out) {
  const std::string &skin = a.Positional[0];
  auto problems = ValidateSkin(skin);
  for (const auto &problem : problems)
    out << DescribeProblem(problem) << "\n";
  if (problems.empty()) {
    out << skin << ": no problems\n";
    return ExitOk;
  }
  out << skin << ": " << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
  return ExitProblems;
}

} // namespace

void PackFolder(const std::string &folder, const std::string &packFile) {
  fs::path source = PathFromUtf8(folder);
  if (!fs::is_directory(source)) throw ESkinError("\"" + folder + "\" is not a folder");
  std::vector<fs::path> files;
  for (const auto &entry : fs::directory_iterator(source)) {
    if (IsHidden(entry.path())) continue;
    if (!entry.is_regular_file())
      throw ESkinError("\"" + PathToUtf8(entry.path()) + "\" is not a file; a skin pack holds files only");
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end(), [](const fs::path &a, const fs::path &b) {
    std::string na = PathToUtf8(a.filename()), nb = PathToUtf8(b.filename());
    if (IsOptionsMemberName(na) != IsOptionsMemberName(nb)) return IsOptionsMemberName(na);
    return text::CompareText(na, nb) < 0;
  });
  if (files.empty() || !IsOptionsMemberName(PathToUtf8(files.front().filename())))
    throw ESkinError("\"" + folder + "\" holds no options file \"Options.dat\"");

  std::vector<SkinPackMember> members;
  for (const auto &file : files)
    members.push_back({PathToUtf8(file.filename()), ReadSkinFile(PathToUtf8(file), MaxPackMemberSize)});
  PendingFile output(PathFromUtf8(packFile));
  output.Write(WriteSkinPack(members));
  output.Commit();
}

void UnpackToFolder(const std::string &packFile, const std::string &folder) {
  TacSkinConvertor unpacker;
  unpacker.Unpack(ReadPackFile(packFile));
  std::vector<std::pair<std::string, std::span<const uint8_t>>> members;
  if (unpacker.Options()) {
    auto options = std::find_if(unpacker.Members().begin(), unpacker.Members().end(),
                                [](const TacPackMember &m) { return IsOptionsMemberName(m.Name); });
    members.emplace_back(options->Name, *unpacker.Options());
  }
  for (const auto &image : unpacker.Images())
    members.emplace_back(image.Name, image.Data);
  std::set<std::string> names;
  for (const auto &[name, data] : members) {
    CheckMemberFileName(name);
    if (!names.insert(text::UpperCase(name)).second)
      throw ESkinPackError("Two members are named \"" + name + "\" (case ignored)");
  }

  fs::path target = PathFromUtf8(folder);
  fs::create_directories(target);
  std::vector<std::unique_ptr<PendingFile>> pending;
  for (const auto &[name, data] : members) {
    pending.push_back(std::make_unique<PendingFile>(target / PathFromUtf8(name)));
    pending.back()->Write(data);
  }
  for (auto &file : pending)
    file->Commit();
}

void ListPack(const std::string &packFile, std::ostream &out) {
  std::vector<uint8_t> bytes = ReadPackFile(packFile);
  TacSkinConvertor unpacker;
  unpacker.Unpack(bytes);
  out << "  Offset  Packed    Size  Name\n";
  for (const auto &m : unpacker.Members()) {
    char line[64];
    std::snprintf(line, sizeof line, "%8lld%8lld%8lld  ", static_cast<long long>(m.HeaderOffset),
                  static_cast<long long>(m.EndOffset - m.DataOffset), static_cast<long long>(m.Size));
    out << line << m.Name << "\n";
  }
  int64_t end = unpacker.Members().empty() ? 8 : unpacker.Members().back().EndOffset;
  out << unpacker.Members().size() << " members, " << bytes.size() << " bytes";
  if (static_cast<int64_t>(bytes.size()) > end) out << " (" << bytes.size() - end << " unread bytes at the end)";
  out << "\n";
}

const std::vector<SkinPackCommand> &SkinPackCommands() {
  static const std::vector<SkinPackCommand> commands = {
      {"pack", "FOLDER OUT.tez", "pack a folder skin into a skin pack", 2,
       [](const SkinPackArguments &a, std::ostream &) {
         PackFolder(a.Positional[0], a.Positional[1]);
         return int{ExitOk};
       }},
      {"unpack", "IN.tez FOLDER", "write the members of a skin pack into a folder", 2,
       [](const SkinPackArguments &a, std::ostream &) {
         UnpackToFolder(a.Positional[0], a.Positional[1]);
         return int{ExitOk};
       }},
      {"list", "IN.tez", "list the members of a skin pack", 1,
       [](const SkinPackArguments &a, std::ostream &out) {
         ListPack(a.Positional[0], out);
         return int{ExitOk};
       }},
      {"validate", "SKIN", "check a skin pack or folder skin; exits with 1 when it finds problems", 1, ValidateCommand},
      {"render",
       "SKIN SECTION WIDTHxHEIGHT STATE OUT.png [--background 0xRRGGBB] [--text CAPTION] [--hue DEGREES] "
       "[--saturation -100..100]",
       "paint one section of a skin in a state (0 normal, 1 active, 2 pressed) into a PNG picture; --hue and "
       "--saturation recolour the skin as a skin manager does",
       5,
       RenderCommand,
       {"--background", "--text", HueOption, SaturationOption}},
      {"render-sheet",
       "SKIN OUT.png [--hue DEGREES] [--saturation -100..100]",
       "paint the main sections of a skin side by side into a PNG picture",
       2,
       RenderSheetCommand,
       {HueOption, SaturationOption}},
  };
  return commands;
}

namespace {

// Options (each followed by its value) may stand anywhere after the command; false for an option the
// command does not know or one without a value.
bool SplitArguments(std::span<const std::string> args, const SkinPackCommand &command, SkinPackArguments &split) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (!args[i].starts_with("--")) {
      split.Positional.push_back(args[i]);
      continue;
    }
    if (std::find(command.Options.begin(), command.Options.end(), args[i]) == command.Options.end() ||
        i + 1 == args.size())
      return false;
    split.Options[args[i]] = args[i + 1];
    ++i;
  }
  return split.Positional.size() == command.ArgumentCount;
}

} // namespace

const std::string *SkinPackArguments::Option(std::string_view name) const {
  auto found = Options.find(name);
  return found == Options.end() ? nullptr : &found->second;
}

int RunSkinPack(std::span<const std::string> args, std::ostream &out, std::ostream &err) {
  const auto &commands = SkinPackCommands();
  auto command = args.empty() ? commands.end()
                              : std::find_if(commands.begin(), commands.end(),
                                             [&](const SkinPackCommand &c) { return c.Name == args[0]; });
  SkinPackArguments split;
  if (command == commands.end() || !SplitArguments(args.subspan(1), *command, split)) {
    err << "Usage:\n";
    for (const auto &c : commands)
      err << "  skinpack " << c.Name << " " << c.Arguments << "\n      " << c.Summary << "\n";
    return ExitFailure;
  }
  try {
    return command->Run(split, out);
  } catch (const Exception &e) {
    err << "skinpack " << command->Name << ": " << e.Message() << "\n";
  } catch (const std::exception &e) {
    err << "skinpack " << command->Name << ": " << e.what() << "\n";
  }
  return ExitFailure;
}
