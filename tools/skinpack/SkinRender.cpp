#include "tools/skinpack/SkinRender.h"

#include <charconv>

#include "skin/model/ColorTransformOptions.h"
#include "skin/model/SkinLoader.h"
#include "skin/model/SkinPaths.h"
#include "tools/Utf8Paths.h"
#include "skin/model/SystemColors.h"
#include "skin/pixels/PngWriter.h"
#include "tools/skinpack/ItemPicture.h"
#include "tools/skinpack/PendingFile.h"
#include "tools/skinpack/RenderPlatform.h"
#include "toolkit/base/Exceptions.h"

namespace fs = std::filesystem;

namespace {

constexpr int64_t MaxPackFileSize = 1024ll * 1024 * 1024;
constexpr int MaxRenderSide = 4096;

std::optional<int> Number(std::string_view text, int base = 10) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

void ParseSize(std::string_view text, RenderRequest &request) {
  const size_t x = text.find_first_of("xX");
  const auto width = Number(text.substr(0, x)), height = Number(x == text.npos ? "" : text.substr(x + 1));
  if (!width || !height || *width < 1 || *height < 1 || *width > MaxRenderSide || *height > MaxRenderSide)
    throw Exception("The size \"" + std::string(text) + "\" is not WIDTHxHEIGHT with sides from 1 to " +
                    std::to_string(MaxRenderSide) + ", such as 75x21");
  request.Width = *width;
  request.Height = *height;
}

// "0xRRGGBB" or "#RRGGBB", red first as on the web; the result is a colour value (red in the low byte).
TColor ParseColor(std::string_view text) {
  std::string_view digits = text.starts_with("0x") || text.starts_with("0X") ? text.substr(2)
                            : text.starts_with("#")                          ? text.substr(1)
                                                                             : std::string_view{};
  const auto rgb = digits.size() == 6 ? Number(digits, 16) : std::nullopt;
  if (!rgb) throw Exception("The colour \"" + std::string(text) + "\" is not 0xRRGGBB, such as 0xDFEEF2");
  return RgbColor(uint8_t(*rgb >> 16), uint8_t(*rgb >> 8), uint8_t(*rgb));
}

TColor FormColor(const TsSkin &skin) {
  const int form = skin.SectionIndex("FORM");
  return form >= 0 ? ResolveSystemColor(skin.GeneralData[form].Color) : skin.GlobalColor();
}

void WritePicture(const Image24 &picture, const std::string &file, std::ostream &out) {
  PendingFile output(PathFromUtf8(file));
  output.Write(WritePng(picture));
  output.Commit();
  out << file << ": " << picture.Width() << " x " << picture.Height() << "\n";
}

// The internal skin's name, or the name of the pack file or folder without its extension.
std::string SkinTitle(const std::string &skin) {
  if (skin == InternalSkinName) return skin;
  fs::path path = PathFromUtf8(skin);
  if (!path.has_filename()) path = path.parent_path();
  return PathToUtf8(path.stem());
}

std::unique_ptr<TsSkin> LoadSkinFrom(const std::string &skin, const fs::path &programFolder) {
  const fs::path path = PathFromUtf8(skin);
  if (fs::is_directory(path)) {
    const auto options = FindSkinFile(PathToUtf8(path / std::string(SkinOptionsMemberName)));
    if (!options) throw ESkinError("\"" + skin + "\" holds no options file \"Options.dat\"");
    return LoadFolderSkin(*options, PathToUtf8(path / ""), {});
  }
  fs::path pack = path;
  if (!fs::exists(path) && skin == InternalSkinName) {
    pack = programFolder / std::string(InternalSkinPack);
    if (!fs::exists(pack))
      throw ESkinError("The internal skin's pack \"" + PathToUtf8(pack) + "\" is missing; the native build makes it");
  }
  if (!fs::exists(pack))
    throw ESkinError("\"" + skin + "\" is no skin pack, no folder skin and not \"" + std::string(InternalSkinName) +
                     "\"");
  const std::vector<uint8_t> bytes = ReadSkinFile(PathToUtf8(pack), MaxPackFileSize);
  return LoadSkinFromPack(bytes, "", {});
}

} // namespace

std::unique_ptr<TsSkin> LoadSkinToRender(const std::string &skin, const fs::path &programFolder,
                                         const TsColorTransform &recolor) {
  std::unique_ptr<TsSkin> loaded = LoadSkinFrom(skin, programFolder);
  RecolorSkin(*loaded, recolor);
  return loaded;
}

Image24 RenderSection(const TsSkin &skin, const RenderRequest &request) {
  const TColor background = request.Background.value_or(FormColor(skin));
  Image24 picture = NewRenderImage(request.Width, request.Height);
  picture.Fill(background);
  ItemPicture items(skin, std::move(picture), background, false);
  if (!items.Paint(request.Section, TRect{0, 0, request.Width, request.Height}, request.State, request.Text))
    throw ESkinError("The skin has no section \"" + request.Section + "\"");
  return items.TakePicture();
}

RenderRequest ParseRenderRequest(const SkinPackArguments &args) {
  RenderRequest request;
  request.Section = args.Positional[1];
  ParseSize(args.Positional[2], request);
  const auto state = Number(args.Positional[3]);
  if (!state || *state < 0 || *state > 2)
    throw Exception("The state \"" + args.Positional[3] + "\" is not 0 (normal), 1 (active) or 2 (pressed)");
  request.State = *state;
  if (const std::string *color = args.Option("--background")) request.Background = ParseColor(*color);
  if (const std::string *text = args.Option("--text")) {
    if (!CanDrawText()) throw Exception("Captions need the Windows build of skinpack");
    request.Text = *text;
  }
  return request;
}

TsColorTransform ParseColorTransform(const SkinPackArguments &args) {
  TsColorTransform transform;
  if (const std::string *hue = args.Option(HueOption)) transform.HueOffset = ParseHueOffset(*hue);
  if (const std::string *saturation = args.Option(SaturationOption))
    transform.Saturation = ParseSaturation(*saturation);
  return transform;
}

int RenderCommand(const SkinPackArguments &args, std::ostream &out) {
  const RenderRequest request = ParseRenderRequest(args);
  const auto skin = LoadSkinToRender(args.Positional[0], ToolFolder(), ParseColorTransform(args));
  WritePicture(RenderSection(*skin, request), args.Positional[4], out);
  return ExitOk;
}

int RenderSheetCommand(const SkinPackArguments &args, std::ostream &out) {
  const auto skin = LoadSkinToRender(args.Positional[0], ToolFolder(), ParseColorTransform(args));
  WritePicture(RenderSheet(*skin, SkinTitle(args.Positional[0])), args.Positional[1], out);
  return ExitOk;
}
