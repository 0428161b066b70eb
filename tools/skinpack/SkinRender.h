#pragma once
// Pictures of a skin for skin authors and the documentation: one section in one state (skinpack render)
// or a contact sheet of the main sections (skinpack render-sheet), painted by the item painting that the
// controls use.

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "skin/model/ColorTransforms.h"
#include "skin/model/Skin.h"
#include "tools/skinpack/SkinPackTool.h"

// The installer's internal skin, and its pack as the build leaves it beside skinpack (in dist/).
constexpr std::string_view InternalSkinName = "BlueGauze (internal)";
constexpr std::string_view InternalSkinPack = "BlueGauze.tez";

// A pack file, a folder skin (a folder holding "Options.dat"), or the internal skin by its name; recoloured
// as a skin manager with that hue offset and saturation would show it.
std::unique_ptr<TsSkin> LoadSkinToRender(const std::string &skin, const std::filesystem::path &programFolder,
                                         const TsColorTransform &recolor = {});

struct RenderRequest {
  std::string Section;
  int Width = 0;
  int Height = 0;
  int State = 0;                    // 0 normal, 1 active, 2 pressed
  std::optional<TColor> Background; // the parent's colour; by default the skin's "FORM" colour
  std::string Text;                 // a caption in the section's colours (where text can be drawn)
};

// Raises Exception for a section the skin lacks.
Image24 RenderSection(const TsSkin &skin, const RenderRequest &request);
// The form with its title, the button in its three states, the edit, the gauge with progress and the
// scroll bar parts, each labelled with its section where text can be drawn; title is the form's caption.
Image24 RenderSheet(const TsSkin &skin, std::string_view title);

// Command-line values; each raises Exception with a message that says what is expected.
RenderRequest ParseRenderRequest(const SkinPackArguments &args);
// "--hue N" and "--saturation N"; 0 for each not given.
TsColorTransform ParseColorTransform(const SkinPackArguments &args);

int RenderCommand(const SkinPackArguments &args, std::ostream &out);
int RenderSheetCommand(const SkinPackArguments &args, std::ostream &out);
