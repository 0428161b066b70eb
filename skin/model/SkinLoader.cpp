#include "skin/model/SkinLoader.h"

#include <algorithm>

#include "skin/model/CommonSections.h"
#include "skin/model/GeneralDataReader.h"
#include "skin/model/SkinOptions.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPaths.h"
#include "skin/model/SkinPicturesReader.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/Text.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::unique_ptr<TsSkin> BuildFromPack(const TacSkinConvertor &pack, std::string skinPath,
                                      const std::vector<std::string> &commonSections,
                                      const SkinProblemHandler &problems) {
  if (!pack.Options())
    throw ESkinPackError("The skin pack holds no options file \"" + std::string(SkinOptionsMemberName) + "\"");
  SkinOptions options = SkinOptions::FromCp1251(*pack.Options());
  return BuildSkinFromOptions(options, PackPictureSource(pack), std::move(skinPath), true, commonSections, problems);
}

std::unique_ptr<TsSkin> BuildFromCollections(const TsStoredSkin &stored, const SkinLoadSettings &settings,
                                             const SkinProblemHandler &problems) {
  auto skin = std::make_unique<TsSkin>();
  skin->SkinData.BISpace = settings.BISpace;
  ReadStoredCollections(stored, *skin, problems);
  SkinOptions common = ReadCommonSections(settings.CommonSections);
  AddCommonImages(common, "", !skin->MasterBitmap.Empty(), skin->Masks, problems);
  AddCommonPatterns(common, "", skin->Patterns, problems);
  MergeCommonGeneralData(common, skin->GeneralData, problems);
  return skin;
}

} // namespace

std::unique_ptr<TsSkin> BuildSkinFromOptions(const SkinOptions &options, const SkinPictureSource &pictures,
                                             std::string skinPath, bool fromPack,
                                             const std::vector<std::string> &commonSections,
                                             const SkinProblemHandler &problems) {
  auto skin = std::make_unique<TsSkin>();
  skin->SkinData.SkinPath = std::move(skinPath);
  skin->FromPack = fromPack;
  SkinOptions common = ReadCommonSections(commonSections);
  const std::string &path = skin->SkinData.SkinPath;

  skin->MasterBitmap = ReadMasterBitmap(options, pictures, problems);
  skin->Masks = ReadImages(options, pictures, problems);
  AddCommonImages(common, path, !skin->MasterBitmap.Empty(), skin->Masks, problems);

  ReadPatterns(options, pictures, skin->Masks, skin->Patterns, problems);
  AddCommonPatterns(common, path, skin->Patterns, problems);

  ReadSkinWideValues(options, skin->SkinData, problems);
  skin->GeneralData = ReadGeneralData(options, problems);
  MergeCommonGeneralData(common, skin->GeneralData, problems);
  return skin;
}

std::string AddSkinDirectoryBackslash(std::string_view directory) {
  std::string result(directory);
  if (result.size() == 1) return result + ":\\";
  if (!result.empty() && result.back() == '/') result.back() = '\\';
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

std::string FullSkinDirectory(std::string_view dir, std::string_view programFolder) {
  std::string result;
  if (dir.starts_with("..")) {
    std::string_view up = programFolder;
    if (!up.empty() && IsSeparator(up.back())) up.remove_suffix(1);
    while (!up.empty() && !IsSeparator(up.back()))
      up.remove_suffix(1);
    result = std::string(up) + std::string(dir.substr(std::min<size_t>(3, dir.size())));
  } else if (dir.starts_with(".\\") || dir.starts_with("./")) {
    result = std::string(programFolder) + std::string(dir.substr(2));
#ifndef _WIN32
  } else if (dir.starts_with("/")) {
    result = std::string(dir); // an absolute path of this platform
#endif
  } else if (dir.find(':') == std::string_view::npos && dir.find("\\\\") == std::string_view::npos) {
    result = std::string(programFolder) + std::string(dir);
  } else {
    result = std::string(dir);
  }
  return AddSkinDirectoryBackslash(result);
}

std::string PackFilePath(std::string_view skinDirectory, std::string_view skinName) {
  return AddSkinDirectoryBackslash(skinDirectory) + std::string(skinName) + ".tez";
}

std::unique_ptr<TsSkin> LoadSkinFromPack(std::span<const uint8_t> pack, std::string skinPath,
                                         const std::vector<std::string> &commonSections,
                                         const SkinProblemHandler &problems) {
  TacSkinConvertor unpacker;
  unpacker.Unpack(pack);
  return BuildFromPack(unpacker, std::move(skinPath), commonSections, problems);
}

std::unique_ptr<TsSkin> LoadPackFile(const std::string &packPath, const SkinLoadSettings &settings,
                                     const SkinProblemHandler &problems) {
  TacSkinConvertor unpacker;
  if (!unpacker.LoadFromFile(packPath)) throw EFOpenError(packPath, "The file does not exist.");
  return BuildFromPack(unpacker, FullSkinDirectory(settings.SkinDirectory, settings.ProgramFolder) + "\\",
                       settings.CommonSections, problems);
}

std::unique_ptr<TsSkin> LoadFolderSkin(const std::string &optionsPath, std::string skinPath,
                                       const std::vector<std::string> &commonSections,
                                       const SkinProblemHandler &problems) {
  auto file = FindSkinFile(NativePath(optionsPath));
  if (!file) throw EFOpenError(optionsPath, "The file does not exist.");
  SkinOptions options = SkinOptions::FromCp1251(ReadSkinFile(*file, MaxOptionsFileSize));
  FolderPictureSource pictures(skinPath);
  return BuildSkinFromOptions(options, pictures, std::move(skinPath), false, commonSections, problems);
}

SkinLoadResult LoadFolderOrInternal(const SkinLoadSettings &settings, const SkinProblemHandler &problems) {
  std::string full = FullSkinDirectory(settings.SkinDirectory, settings.ProgramFolder);
  std::string optionsPath = full + "\\" + settings.SkinName + "\\" + std::string(SkinOptionsMemberName);
  if (FindSkinFile(NativePath(optionsPath)))
    return {LoadFolderSkin(optionsPath, full + "\\" + settings.SkinName + "\\", settings.CommonSections, problems),
            settings.SkinName};

  const auto &internal = settings.InternalSkins;
  auto stored = std::find_if(internal.begin(), internal.end(),
                             [&](const TsStoredSkin &s) { return s.Name == settings.SkinName; });
  if (stored == internal.end()) {
    if (internal.empty()) return {nullptr, settings.SkinName};
    stored = internal.begin();
  }
  std::unique_ptr<TsSkin> skin = stored->Data.empty()
                                     ? BuildFromCollections(*stored, settings, problems)
                                     : LoadSkinFromPack(stored->Data, "", settings.CommonSections, problems);
  return {std::move(skin), stored->Name};
}

SkinLoadResult LoadSkin(const SkinLoadSettings &settings, const SkinProblemHandler &problems) {
  std::string packPath = PackFilePath(settings.SkinDirectory, settings.SkinName);
  SkinLoadResult result = FindSkinFile(NativePath(packPath))
                              ? SkinLoadResult{LoadPackFile(packPath, settings, problems), settings.SkinName}
                              : LoadFolderOrInternal(settings, problems);
  if (result.Skin) RecolorSkin(*result.Skin, settings.Recolor);
  return result;
}

std::string ListSkins(std::vector<std::string> &list, SkinListKind kind, const SkinLoadSettings &settings) {
  list.clear();
  std::string first;
  auto add = [&](std::string name) {
    if (first.empty()) first = name;
    list.push_back(std::move(name));
  };
  for (const auto &stored : settings.InternalSkins)
    add(stored.Name);

  bool folders = kind != SkinListKind::Packs, packs = kind != SkinListKind::Folders;
  const std::string directory = NativePath(FullSkinDirectory(settings.SkinDirectory, settings.ProgramFolder));
  for (const FolderEntry &entry : ListFolder(directory)) {
    const std::string &name = entry.Name;
    if (name.empty() || name[0] == '.') continue;
    if (entry.IsDirectory) {
      if (folders && FindSkinFile(JoinPath(JoinPath(directory, name), SkinOptionsMemberName))) add(name);
    } else if (packs && ExtensionOf(name) == ".tez") {
      add(name.substr(0, name.find('.')));
    }
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const std::string &a, const std::string &b) { return text::CompareText(a, b) < 0; });
  return first;
}
