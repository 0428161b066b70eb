#pragma once
// What the skin viewer shows: its command line (`skinview [SKIN] [--hue N] [--saturation N]`) and the skin
// it names put in force on a skin manager. SKIN is a skin pack, a folder skin (a folder holding
// "Options.dat") or the internal skin, which is also the default.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/engine/SkinManager.h"
#include "skin/model/ColorTransforms.h"

inline constexpr std::string_view PreviewInternalSkinName = "BlueGauze (internal)";
inline constexpr std::string_view PreviewUsage = "skinview [SKIN] [--hue N] [--saturation N]";

struct PreviewOptions {
  std::string Skin{PreviewInternalSkinName};
  TsColorTransform Recolor;
};

// The arguments after the program name; raises Exception with a message that says what is wrong.
PreviewOptions ParsePreviewArguments(std::span<const std::string> args);

// Loads the skin the options name into the manager, recoloured, and announces it; internalPack is the
// internal skin's pack. Raises Exception for a skin that cannot be shown, before any window sees it.
void ApplyPreviewSkin(TsSkinManager &manager, const PreviewOptions &options, std::vector<uint8_t> internalPack);
