// Loading the internal skin (unpack, options, records), also recoloured, against the bare cost of inflating its members
// and reading its options text once, and the share of the picture reader in a load. The skin is the folder
// resources/skins/BlueGauze when it exists, else a synthetic skin of the same shape (an options file of 65
// sections and two 8-bit bitmaps).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <zlib.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skin/model/ColorTransforms.h"
#include "skin/model/SkinLoader.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPackWriter.h"
#include "skin/model/SkinPaths.h"
#include "tools/Utf8Paths.h"
#include "skin/pixels/BitmapWriter.h"
#include "skin/pixels/PictureReader.h"
#include "toolkit/base/Text.h"

namespace {

std::vector<uint8_t> Bitmap8(int width, int height) {
  Image24 image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y, RgbColor(static_cast<uint8_t>(x % 16 * 16), 90, static_cast<uint8_t>(y % 16 * 16)));
  return WriteBitmap8(image);
}

std::string SyntheticOptions() {
  std::string text =
      "[GLOBALINFO]\r\nVERSION=5.41\r\nMASTERBITMAP=MASTER.BMP\r\nCOLOR=14604248\r\nFONTCOLOR=5391682\r\n";
  for (int i = 0; i < 64; ++i) {
    std::string n = std::to_string(i);
    text += "[SECTION" + n + "]\r\n";
    if (i % 3) text += "PARENTCLASS=SECTION" + std::to_string(i / 3) + "\r\n";
    text += "COLOR=" + std::to_string(14675954 + i) + "\r\nFONTCOLOR=5391682\r\nHOTFONTCOLOR=0\r\n";
    text += "TRANSPARENCY=-1\r\nGRADIENTPERCENT=100\r\n";
    text += "GRADIENTDATA=14934497;9406856;33;0;0;9406856;8747639;4;0;0;8747639;11050135;64;0;0\r\n";
    text += "BORDERSMASK=^0000^0064^0018^0076^0000^0000^0000^0000^3^1^5^0\r\n";
    text += "PATTERN=~0078~0000~0156~0048~00\r\n";
    text += "GLYPHMASK=@0039@0000@0078@0026@3@1\r\n";
  }
  text += "[BUTTON_HUGE]\r\nBORDERSMASK=!BUTTONHUGE.BMP!3!1!0\r\n";
  return text;
}

std::vector<SkinPackMember> InternalSkinMembers() {
  std::filesystem::path folder = KELVORA_BLUEGAUZE_DIR;
  std::vector<SkinPackMember> members;
  if (std::filesystem::exists(folder / "Options.dat")) {
    members.push_back({"Options.dat", ReadSkinFile(PathToUtf8(folder / "Options.dat"), MaxOptionsFileSize)});
    for (const auto &entry : std::filesystem::directory_iterator(folder))
      if (!IsOptionsMemberName(PathToUtf8(entry.path().filename())))
        members.push_back(
            {PathToUtf8(entry.path().filename()), ReadSkinFile(PathToUtf8(entry.path()), MaxPackMemberSize)});
    return members;
  }
  std::string options = SyntheticOptions();
  return {{"Options.dat", std::vector<uint8_t>(options.begin(), options.end())},
          {"ButtonHuge.bmp", Bitmap8(288, 192)},
          {"Master.bmp", Bitmap8(156, 292)}};
}

const std::vector<uint8_t> &InternalSkinPack() {
  static const std::vector<uint8_t> pack = WriteSkinPack(InternalSkinMembers());
  return pack;
}

void LoadInternalSkin(benchmark::State &state) {
  const auto &pack = InternalSkinPack();
  for (auto _ : state) {
    auto skin = LoadSkinFromPack(pack, "", {});
    benchmark::DoNotOptimize(skin.get());
  }
}

// The same load recoloured as a manager with a hue offset and a saturation does it.
void LoadAndRecolourInternalSkin(benchmark::State &state) {
  const auto &pack = InternalSkinPack();
  for (auto _ : state) {
    auto skin = LoadSkinFromPack(pack, "", {});
    RecolorSkin(*skin, {90, 30});
    benchmark::DoNotOptimize(skin.get());
  }
}

// Inflating each member straight from the pack with zlib and reading the options text: what any load must do.
void InflateMembersAndReadOptions(benchmark::State &state) {
  const auto &pack = InternalSkinPack();
  TacSkinConvertor layout;
  layout.Unpack(pack);
  for (auto _ : state) {
    std::vector<std::vector<uint8_t>> members;
    for (const auto &m : layout.Members()) {
      std::vector<uint8_t> out(static_cast<size_t>(m.Size));
      uLongf size = static_cast<uLongf>(out.size());
      uncompress(out.data(), &size, pack.data() + m.DataOffset, static_cast<uLong>(m.EndOffset - m.DataOffset));
      members.push_back(std::move(out));
    }
    SkinOptions options = SkinOptions::FromCp1251(members.front());
    benchmark::DoNotOptimize(options.Sections().data());
  }
}

// Decoding the skin's pictures alone (the picture reader's share of a load).
void DecodePictures(benchmark::State &state) {
  TacSkinConvertor unpacker;
  unpacker.Unpack(InternalSkinPack());
  for (auto _ : state)
    for (const auto &image : unpacker.Images()) {
      Image24 picture = ReadPicture(image.Data, image.Name);
      benchmark::DoNotOptimize(picture.Row0());
    }
}

BENCHMARK(LoadInternalSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadAndRecolourInternalSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(InflateMembersAndReadOptions)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodePictures)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
  // A load allocates a few hundred kilobytes and frees them again; by default the C library hands such blocks
  // back to the system after every round and the next round faults the same pages in anew. Keeping them
  // measures the work of both sides rather than that churn, which a program loading its skin once never sees.
  // "--page-churn" leaves the default in place.
  bool keepPages = true;
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--page-churn") keepPages = false;
  if (keepPages) {
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
