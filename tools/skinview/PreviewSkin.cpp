#include "tools/skinview/PreviewSkin.h"

#include <filesystem>

#include "skin/model/ColorTransformOptions.h"
#include "skin/model/SkinErrors.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPaths.h"
#include "tools/Utf8Paths.h"

namespace fs = std::filesystem;

namespace {

constexpr int64_t MaxPackFileSize = 1024ll * 1024 * 1024;

Exception UsageError(const std::string &problem) {
  return Exception(problem + "\nUsage: " + std::string(PreviewUsage));
}

void AddStoredSkin(TsSkinManager &manager, const std::string &name, std::vector<uint8_t> pack) {
  TsStoredSkinItem *item = manager.InternalSkins().Add();
  item->Skin.Name = name;
  item->Skin.Data = std::move(pack);
}

// The manager looks for folder skins in its skin directory; it gets the folder's parent as one.
void NameFolderSkin(TsSkinManager &manager, const fs::path &folder) {
  const fs::path full = fs::absolute(folder).lexically_normal();
  const fs::path named = full.has_filename() ? full : full.parent_path();
  manager.SetSkinDirectory(PathToUtf8(named.parent_path()));
  manager.SetSkinName(PathToUtf8(named.filename()));
}

void LoadNamedSkin(TsSkinManager &manager, const PreviewOptions &options, std::vector<uint8_t> internalPack) {
  const fs::path path = PathFromUtf8(options.Skin);
  std::error_code error;
  if (fs::is_directory(path, error)) {
    if (!FindSkinFile(PathToUtf8(path / std::string(SkinOptionsMemberName))))
      throw ESkinError("the folder holds no options file \"Options.dat\"");
    NameFolderSkin(manager, path);
  } else if (fs::is_regular_file(path, error)) {
    std::vector<uint8_t> pack = ReadSkinFile(options.Skin, MaxPackFileSize);
    // Data that is no pack is refused here: the manager would only show a warning and keep no skin.
    TacSkinConvertor().Unpack(pack);
    const std::string name = PathToUtf8(path.stem());
    AddStoredSkin(manager, name, std::move(pack));
    manager.SetSkinName(name);
  } else if (options.Skin == PreviewInternalSkinName) {
    AddStoredSkin(manager, options.Skin, std::move(internalPack));
    manager.SetSkinName(options.Skin);
  } else {
    throw ESkinError("it is no skin pack, no folder skin and not \"" + std::string(PreviewInternalSkinName) + "\"");
  }
  if (!manager.SkinLoaded()) throw ESkinError("the manager has no skin in force");
}

} // namespace

PreviewOptions ParsePreviewArguments(std::span<const std::string> args) {
  PreviewOptions options;
  bool named = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string &arg = args[i];
    if (arg == HueOption || arg == SaturationOption) {
      if (i + 1 == args.size()) throw UsageError("The option " + arg + " needs a value");
      const std::string &value = args[++i];
      if (arg == HueOption)
        options.Recolor.HueOffset = ParseHueOffset(value);
      else
        options.Recolor.Saturation = ParseSaturation(value);
    } else if (arg.starts_with("--")) {
      throw UsageError("Unknown option \"" + arg + "\"");
    } else if (named) {
      throw UsageError("One skin at a time: \"" + options.Skin + "\" and \"" + arg + "\"");
    } else {
      options.Skin = arg;
      named = true;
    }
  }
  return options;
}

void ApplyPreviewSkin(TsSkinManager &manager, const PreviewOptions &options, std::vector<uint8_t> internalPack) {
  manager.SetHueOffset(options.Recolor.HueOffset);
  manager.SetSaturation(options.Recolor.Saturation);
  try {
    LoadNamedSkin(manager, options, std::move(internalPack));
  } catch (const Exception &e) {
    throw ESkinError("The skin \"" + options.Skin + "\" cannot be shown: " + e.Message());
  }
}
