#pragma once
// Finding and loading the skin a manager names: a pack file "<name>.tez" in the skin directory, else a folder
// skin "<name>\Options.dat" under the full skin directory, else an internal skin. A load builds a complete new
// TsSkin aside, so a failed load (an exception) leaves whatever the caller held untouched.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/model/ColorTransforms.h"
#include "skin/model/Skin.h"
#include "skin/model/SkinOptions.h"
#include "skin/model/SkinPictureSource.h"
#include "skin/model/SkinProblems.h"
#include "skin/model/StoredSkin.h"

struct SkinLoadSettings {
  std::string SkinDirectory = "c:\\Skins"; // as written; may be relative
  std::string SkinName;
  // The folder of the running program, ending in a separator; relative skin directories start there.
  std::string ProgramFolder;
  std::span<const TsStoredSkin> InternalSkins;
  // Lines added to every skin, blanks already removed (RemoveBlanksFromCommonSections).
  std::vector<std::string> CommonSections;
  // The title button spacing of the skin in force: an internal skin read from collections has none of its
  // own and keeps this one.
  int32_t BISpace = 0;
  // The manager's hue offset and saturation, applied to every skin it loads.
  TsColorTransform Recolor;
};

struct SkinLoadResult {
  // Null when there is no skin of that name and no internal skin at all: the manager becomes inactive.
  std::unique_ptr<TsSkin> Skin;
  // The name now in force: the first internal skin's when the name matched nothing.
  std::string SkinName;
};

// The directory with a backslash at its end ("/" at the end becomes one; one character gets ":\").
std::string AddSkinDirectoryBackslash(std::string_view directory);
// The skin directory made absolute against the program folder, ending in a backslash.
std::string FullSkinDirectory(std::string_view skinDirectory, std::string_view programFolder);
// The skin directory as written, a backslash, the name and ".tez".
std::string PackFilePath(std::string_view skinDirectory, std::string_view skinName);

// The complete load behind setting SkinName, Active, HueOffset or Saturation, ending with the colour
// transform of the settings. Raises ENotSkinPack for a pack
// file or internal skin that is no pack, and ESkinError (or a file error) for anything that breaks the load.
SkinLoadResult LoadSkin(const SkinLoadSettings &settings, const SkinProblemHandler &problems = {});

std::unique_ptr<TsSkin> LoadPackFile(const std::string &packPath, const SkinLoadSettings &settings,
                                     const SkinProblemHandler &problems = {});
SkinLoadResult LoadFolderOrInternal(const SkinLoadSettings &settings, const SkinProblemHandler &problems = {});

// A skin from the bytes of a pack (an internal skin's Data, a pack read by a tool).
std::unique_ptr<TsSkin> LoadSkinFromPack(std::span<const uint8_t> pack, std::string skinPath,
                                         const std::vector<std::string> &commonSections,
                                         const SkinProblemHandler &problems = {});
// A folder skin from its options file; pictures are files relative to skinPath.
std::unique_ptr<TsSkin> LoadFolderSkin(const std::string &optionsPath, std::string skinPath,
                                       const std::vector<std::string> &commonSections,
                                       const SkinProblemHandler &problems = {});

// The three read steps over an options file: pictures, patterns, then the general data.
std::unique_ptr<TsSkin> BuildSkinFromOptions(const SkinOptions &options, const SkinPictureSource &pictures,
                                             std::string skinPath, bool fromPack,
                                             const std::vector<std::string> &commonSections,
                                             const SkinProblemHandler &problems = {});

enum class SkinListKind { Folders = 0, Packs = 1, Both = 2 };

// Fills list with the internal skins' names and the skins of the full skin directory, sorted without
// regard to case; returns the first name found (internal skins first), or empty.
std::string ListSkins(std::vector<std::string> &list, SkinListKind kind, const SkinLoadSettings &settings);
