// skinpack render and render-sheet over the internal skin as committed in resources/skins/BlueGauze.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/Utf8Paths.h"
#include "skin/render/MaskPainting.h"
#include "tools/skinpack/RenderPlatform.h"
#include "tools/skinpack/SkinPackTool.h"
#include "tools/skinpack/SkinRender.h"
#include "toolkit/base/Exceptions.h"

namespace {

namespace fs = std::filesystem;

const fs::path SkinFolder = KELVORA_BLUEGAUZE_DIR;
constexpr TColor Background = RgbColor(0x10, 0x20, 0x30);

// A folder of the running test, removed afterwards.
class TempFolder {
public:
  TempFolder()
      : path_(fs::temp_directory_path() /
              (std::string("skinrender-") + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string &name) const { return PathToUtf8(path_ / name); }
  const fs::path &Path() const { return path_; }

private:
  fs::path path_;
};

std::vector<uint8_t> ReadAll(const std::string &file) {
  std::ifstream in(PathFromUtf8(file), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int SkinPack(std::vector<std::string> args, std::string *err = nullptr) {
  std::ostringstream out, errors;
  const int code = RunSkinPack(args, out, errors);
  if (err) *err = errors.str();
  return code;
}

class SkinRender : public ::testing::Test {
protected:
  static void SetUpTestSuite() { skin = LoadSkinToRender(PathToUtf8(SkinFolder), ToolFolder()).release(); }
  static void TearDownTestSuite() { delete skin; }
  static inline TsSkin *skin = nullptr;

  static RenderRequest Button(int state) {
    RenderRequest request;
    request.Section = "BUTTON";
    request.Width = 75;
    request.Height = 21;
    request.State = state;
    request.Background = Background;
    return request;
  }
};

} // namespace

TEST_F(SkinRender, KeyPixelsOfBorderCornersShowTheBackground) {
  for (const char *section : {"GAUGE", "SCROLLBTNLEFT", "FORM"})
    for (int state : {0, 1, 2}) {
      const int index = skin->SectionIndex(section);
      const int border = skin->ImageIndex(index, section, "BORDERSMASK");
      ASSERT_TRUE(skin->IsValidImageIndex(border)) << section;
      const TsMaskData &rec = skin->Masks[border];
      RenderRequest request = Button(state);
      request.Section = section;
      const Image24 picture = RenderSection(*skin, request);
      const TsFrame f = StateFrame(rec, state);
      int keys = 0;
      for (int y = 0; y < rec.WT; ++y)
        for (int x = 0; x < rec.WL; ++x)
          if (skin->MasterBitmap.Pixel(f.Left + x, f.Top + y) == KeyColor) {
            ++keys;
            EXPECT_EQ(picture.Pixel(x, y), Background) << section << " " << state << ": " << x << "," << y;
          }
      EXPECT_GT(keys, 0) << section << " " << state;
    }
}

TEST_F(SkinRender, ButtonFaceMixesTheBackgroundInAndChangesWithTheState) {
  const Image24 normal = RenderSection(*skin, Button(0)), active = RenderSection(*skin, Button(1));
  RenderRequest overWhite = Button(0);
  overWhite.Background = 0xFFFFFF;
  EXPECT_NE(normal.Pixel(37, 10), RenderSection(*skin, overWhite).Pixel(37, 10));
  EXPECT_NE(normal.Pixel(37, 10), active.Pixel(37, 10));
}

TEST_F(SkinRender, DefaultBackgroundIsTheFormColour) {
  RenderRequest request;
  request.Section = "PANEL"; // fully see-through
  request.Width = request.Height = 4;
  EXPECT_EQ(RenderSection(*skin, request).Pixel(2, 2), skin->GeneralData[skin->SectionIndex("FORM")].Color);
}

TEST_F(SkinRender, WritesAPngOfTheRequestedSize) {
  TempFolder folder;
  const std::string out = folder.File("button.png");
  ASSERT_EQ(SkinPack({"render", PathToUtf8(SkinFolder), "BUTTON", "75x21", "2", out, "--background", "0x102030"}), 0);
  const std::vector<uint8_t> png = ReadAll(out);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(std::vector<uint8_t>(png.begin() + 16, png.begin() + 24), (std::vector<uint8_t>{0, 0, 0, 75, 0, 0, 0, 21}));
  EXPECT_FALSE(fs::exists(out + ".skinpack-tmp"));
}

TEST_F(SkinRender, BadRequestsFailWithAReasonAndLeaveTheOutputAlone) {
  TempFolder folder;
  const std::string out = folder.File("old.png");
  std::ofstream(PathFromUtf8(out)) << "old";
  const std::string skinFolder = PathToUtf8(SkinFolder);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"render", skinFolder, "NOSUCH", "75x21", "0", out}, "no section \"NOSUCH\""},
      {{"render", skinFolder, "BUTTON", "75by21", "0", out}, "WIDTHxHEIGHT"},
      {{"render", skinFolder, "BUTTON", "0x21", "0", out}, "WIDTHxHEIGHT"},
      {{"render", skinFolder, "BUTTON", "75x21", "3", out}, "0 (normal), 1 (active) or 2 (pressed)"},
      {{"render", skinFolder, "BUTTON", "75x21", "0", out, "--background", "blue"}, "0xRRGGBB"},
      {{"render", folder.File("missing"), "BUTTON", "75x21", "0", out}, "no skin pack"},
      {{"render", skinFolder, "BUTTON", "75x21", "0", out, "--hue", "400"}, "--hue \"400\" is not a whole number"},
  };
  for (const auto &[args, reason] : cases) {
    std::string err;
    EXPECT_EQ(SkinPack(args, &err), 2) << reason;
    EXPECT_NE(err.find(reason), std::string::npos) << err;
  }
  EXPECT_EQ(SkinPack({"render", skinFolder, "BUTTON", "75x21", "0", out, "--colour", "0x102030"}), 2);
  EXPECT_EQ(ReadAll(out), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST_F(SkinRender, HueAndSaturationRecolourTheSkinAsAManagerDoes) {
  // All saturation taken away, the form (its pattern from the master bitmap, its border, its colours) is
  // gray through and through.
  const auto grayed = LoadSkinToRender(PathToUtf8(SkinFolder), ToolFolder(), {0, -100});
  RenderRequest request = Button(1);
  request.Section = "FORM";
  request.Width = request.Height = 60;
  request.Background = RgbColor(90, 90, 90);
  const Image24 picture = RenderSection(*grayed, request);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const TColor c = picture.Pixel(x, y);
      ASSERT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c)) << x << "," << y;
    }
  EXPECT_NE(picture.Pixel(30, 30), RenderSection(*skin, request).Pixel(30, 30));

  TempFolder folder;
  EXPECT_EQ(SkinPack({"render", PathToUtf8(SkinFolder), "BUTTON", "75x21", "0", folder.File("b.png"), "--hue", "-90",
                      "--saturation", "40"}),
            0);
  EXPECT_EQ(SkinPack({"render-sheet", PathToUtf8(SkinFolder), folder.File("s.png"), "--hue", "120"}), 0);
}

TEST_F(SkinRender, InternalSkinByNameIsItsPackBesideTheProgram) {
  TempFolder folder;
  EXPECT_THROW(LoadSkinToRender(std::string(InternalSkinName), folder.Path()), Exception);
  PackFolder(PathToUtf8(SkinFolder), folder.File(std::string(InternalSkinPack)));
  const auto internal = LoadSkinToRender(std::string(InternalSkinName), folder.Path());
  const Image24 fromPack = RenderSection(*internal, Button(1));
  const Image24 fromFolder = RenderSection(*skin, Button(1));
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 75; ++x)
      ASSERT_EQ(fromPack.Pixel(x, y), fromFolder.Pixel(x, y));
}

TEST_F(SkinRender, CaptionsInTheSectionsColoursWhereTextCanBeDrawn) {
  RenderRequest request = Button(0);
  request.Text = "Установка";
  if (!CanDrawText()) {
    EXPECT_NE(SkinPack({"render", PathToUtf8(SkinFolder), "BUTTON", "75x21", "0", "x.png", "--text", "a"}), 0);
    return;
  }
  const Image24 plain = RenderSection(*skin, Button(0));
  const Image24 captioned = RenderSection(*skin, request);
  const TColor fontColor = skin->GeneralData[skin->SectionIndex("BUTTON")].FontColor[0];
  int changed = 0, inFontColor = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 75; ++x) {
      changed += plain.Pixel(x, y) != captioned.Pixel(x, y);
      inFontColor += captioned.Pixel(x, y) == fontColor;
    }
  EXPECT_GT(changed, 30);
  EXPECT_GT(inFontColor, 10);
}

TEST_F(SkinRender, SheetShowsTheFormAndItsSections) {
  const Image24 sheet = RenderSheet(*skin, "BlueGauze");
  EXPECT_EQ(sheet.Width(), 430);
  EXPECT_EQ(sheet.Height(), 212);
  EXPECT_NE(sheet.Pixel(50, 46), sheet.Pixel(133, 46)); // the normal and the active button
  TempFolder folder;
  EXPECT_EQ(SkinPack({"render-sheet", PathToUtf8(SkinFolder), folder.File("sheet.png")}), 0);
  EXPECT_TRUE(fs::exists(folder.Path() / "sheet.png"));
}
