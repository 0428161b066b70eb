#include "tools/skinpack/SkinValidation.h"

#include <algorithm>
#include <filesystem>

#include "skin/model/GeneralDataReader.h"
#include "skin/model/PictureReference.h"
#include "skin/model/SkinLoader.h"
#include "skin/model/SkinOptions.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPaths.h"
#include "tools/Utf8Paths.h"
#include "skin/model/SkinPicturesReader.h"

namespace {

constexpr int64_t MaxPackFileSize = 1024ll * 1024 * 1024;

// Chains of "PARENTCLASS" that the loader would quietly cut short.
void CheckParents(const SkinOptions &options, std::vector<SkinProblem> &problems) {
  for (const auto &section : options.Sections()) {
    std::vector<const SkinOptionsSection *> chain{&section};
    for (const SkinOptionsSection *s = &section; chain.size() < MaxParentChain;) {
      std::string parent(s->Find("PARENTCLASS").value_or(""));
      if (parent.empty() || parent == "?" || parent == s->Name()) break;
      const SkinOptionsSection *next = options.FindSection(parent);
      if (!next) {
        if (s == &section) problems.push_back({section.Name(), "PARENTCLASS", "names no section \"" + parent + "\""});
        break;
      }
      if (std::find(chain.begin(), chain.end(), next) != chain.end()) {
        problems.push_back({section.Name(), "PARENTCLASS", "the chain of parents loops back to \"" + parent + "\""});
        break;
      }
      chain.push_back(next);
      s = next;
    }
  }
}

// "!" values that the loader skips because the name lacks ".BMP" in capitals.
void CheckIgnoredPictures(const SkinOptions &options, std::vector<SkinProblem> &problems) {
  ForEachOption(options, [&](const SkinOptionsSection &section, std::string_view key, std::string_view value) {
    if (!value.empty() && value[0] == '!' && !ParsePictureReference(section.NameView(), key, value))
      problems.push_back(
          {section.Name(), std::string(key), "the picture name needs \".BMP\" in capitals, so it is ignored"});
  });
}

void CheckOptions(std::span<const uint8_t> optionsText, std::vector<SkinProblem> &problems) {
  SkinOptions options = SkinOptions::FromCp1251(optionsText);
  CheckParents(options, problems);
  try {
    CheckIgnoredPictures(options, problems);
  } catch (const ESkinOptionsError &) {
    // Malformed "!" values are reported by the load itself.
  }
}

} // namespace

std::string DescribeProblem(const SkinProblem &problem) {
  if (problem.Section.empty() && problem.Key.empty()) return problem.Message;
  return "[" + problem.Section + "] " + problem.Key + ": " + problem.Message;
}

std::vector<SkinProblem> ValidateSkin(const std::string &path) {
  std::vector<SkinProblem> problems;
  SkinProblemHandler collect{[&](const ESkinError &e) {
                               if (auto *place = dynamic_cast<const ESkinOptionsError *>(&e))
                                 problems.push_back({place->Section(), place->Key(), place->Problem()});
                               else
                                 problems.push_back({"", "", e.Message()});
                             },
                             [&](const std::string &section, const std::string &key, const std::string &message) {
                               problems.push_back({section, key, message});
                             }};
  try {
    std::filesystem::path native = PathFromUtf8(path);
    if (std::filesystem::is_directory(native)) {
      auto optionsFile = FindSkinFile(PathToUtf8(native / std::string(SkinOptionsMemberName)));
      if (!optionsFile) return {{"", "", "\"" + path + "\" holds no options file \"Options.dat\""}};
      std::string folder = PathToUtf8(native / "");
      LoadFolderSkin(*optionsFile, folder, {}, collect);
      CheckOptions(ReadSkinFile(*optionsFile, MaxOptionsFileSize), problems);
    } else {
      std::vector<uint8_t> pack = ReadSkinFile(path, MaxPackFileSize);
      LoadSkinFromPack(pack, "", {}, collect);
      TacSkinConvertor unpacker;
      unpacker.Unpack(pack);
      CheckOptions(*unpacker.Options(), problems);
    }
  } catch (const Exception &e) {
    problems.push_back({"", "", e.Message()});
  }
  return problems;
}
