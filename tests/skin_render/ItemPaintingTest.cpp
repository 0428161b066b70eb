#include <gtest/gtest.h>

#include "tests/skin_render/TestSkin.h"
#include "skin/render/ItemPainting.h"
#include "skin/render/MaskPainting.h"

namespace {

constexpr TColor Own = RgbColor(10, 20, 30);
constexpr TColor Hot = RgbColor(40, 50, 60);

// Master bitmap: a 2 x 2 gray-100 texture at (0, 0), a 2 x 2 texture with distinct pixels at (0, 2), and
// two 3 x 3 border frames (gray 150 and 200, key-free) at (2, 0).
class ItemPainting : public ::testing::Test {
protected:
  TestSkin t{8, 4};
  Image24 parent = Positional(40, 40);

  ItemPainting() {
    t.Paint(TRect{0, 0, 2, 2}, [](int, int) { return Gray(100); });
    t.Paint(TRect{0, 2, 2, 4}, [](int x, int y) { return RgbColor(uint8_t(1 + x), uint8_t(1 + y), 9); });
    t.Paint(TRect{2, 0, 8, 3}, [](int x, int) { return Gray(x < 3 ? 150 : 200); });
    TsGeneralData &item = t.Section("ITEM");
    item.Color = Own;
    item.HotColor = Hot;
  }

  TsGeneralData &Item() { return t.Section("ITEM"); }
  // The gradient of the normal state as the loader keeps it: the text and its steps.
  void SetGradient(int percent, const std::string &text) {
    Item().GradientPercent = percent;
    Item().GradientData = text;
    ParseGradient(text, Item().GradientArray);
  }
  int Texture() { return t.Mask("ITEM", "PATTERN", TRect{0, 0, 2, 2}, 1, 0, 0, {}, TacImgType::itisaTexture); }

  TsItemData Bound(const std::string &section = "ITEM") {
    TsItemData data;
    data.Skin = &t.skin;
    data.SkinSection = section;
    ResolveIndexes(data);
    return data;
  }

  Image24 Paint(const TsItemData &data, int state, TCacheInfo ci = {}, int width = 4, int height = 3) {
    Image24 target = Filled(width, height, 0x123456);
    PaintSkinItem(data, ci, true, state, TRect{0, 0, width, height}, TPoint{3, 4}, target, true);
    return target;
  }

  TCacheInfo ParentCache() const { return TCacheInfo{&parent, 1, 2, true}; }
};

void ExpectEvery(const Image24 &image, TColor color) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      ASSERT_EQ(image.Pixel(x, y), color) << x << "," << y;
}

} // namespace

TEST_F(ItemPainting, OpaqueItemIsItsColourOverAnyParent) {
  TsItemData data = Bound();
  data.Parent.Exists = true;
  ExpectEvery(Paint(data, 0, ParentCache()), Own);
}

TEST_F(ItemPainting, FullySeeThroughShowsTheParentsPixelsAtItsPlace) {
  Item().Transparency = 100;
  TsItemData data = Bound();
  data.ShowsParent = true;
  data.Parent.Exists = true;
  Image24 target = Paint(data, 0, ParentCache());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      ASSERT_EQ(target.Pixel(x, y), parent.Pixel(1 + 3 + x, 2 + 4 + y));
}

TEST_F(ItemPainting, FullySeeThroughWithoutParentCacheShowsTheParentsColour) {
  Item().Transparency = 100;
  TsItemData data = Bound();
  data.Parent = TsParentLink{true, 0x0A0B0C, {}, {}};
  ExpectEvery(Paint(data, 0), 0x0A0B0C);
}

TEST_F(ItemPainting, SeeThroughOverAPlainParentAsksForItsColour) {
  Item().Transparency = 100;
  TsItemData data = Bound();
  data.Parent = TsParentLink{true, 0x0A0B0C, [] { return std::optional<TColor>(0x112233); }, {}};
  ExpectEvery(Paint(data, 0, ParentCache()), 0x112233);
}

TEST_F(ItemPainting, PartlySeeThroughBlendsItsOwnLookWithTheParent) {
  Item().Transparency = 40; // the parent keeps 40 * 255 div 100 = 102 of 255
  Image24 gray = Filled(10, 10, Gray(200));
  TsItemData data = Bound();
  data.ShowsParent = true;
  data.Parent.Exists = true;
  // (200 * 102 + own * 153 + 127) shr 8 for own 10, 20, 30
  ExpectEvery(Paint(data, 0, TCacheInfo{&gray, 0, 0, true}), RgbColor(86, 92, 98));
}

TEST_F(ItemPainting, ActiveAndPressedStatesUseTheHotValuesAndTheHotBorder) {
  Item().Transparency = 100;
  t.Mask("ITEM", "BORDERSMASK", TRect{2, 0, 8, 3}, 2, 0, BorderStretch::NotInNormalState, {1, 1, 1, 1});
  TsItemData data = Bound();
  data.ShowsParent = true;
  data.Parent.Exists = true;
  Image24 normal = Paint(data, 0, ParentCache());
  EXPECT_EQ(normal.Pixel(0, 0), parent.Pixel(4, 6));
  EXPECT_EQ(normal.Pixel(2, 1), parent.Pixel(6, 7));
  for (int state : {1, 2}) {
    Image24 hot = Paint(data, state, ParentCache());
    EXPECT_EQ(hot.Pixel(0, 0), Gray(200)) << state; // the border's frame 1 (the last)
    EXPECT_EQ(hot.Pixel(2, 1), Hot) << state;
  }
}

TEST_F(ItemPainting, GradientOverAPictureBlendsByThePictureShareButTheLastColumn) {
  Texture();
  Item().ImagePercent = 40;
  SetGradient(60, "13158600;13158600;100;0;0"); // gray 200 throughout
  Image24 target = Paint(Bound(), 0, {}, 5, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x)
      ASSERT_EQ(target.Pixel(x, y), Gray(159)) << x << "," << y; // (100 * 102 + 200 * 153 + 127) shr 8
    ASSERT_EQ(target.Pixel(4, y), Gray(100));
  }
}

// "N/A" is a gradient text without steps: its share gets no gradient (and no plain colour either), while a
// share without any gradient text is the plain colour.
TEST_F(ItemPainting, AGradientShareFollowsTheSectionsGradientText) {
  const int section = t.skin.SectionIndex("ITEM");
  auto paint = [&] {
    Image24 target = Filled(4, 3, Gray(30));
    PaintItemBackground(section, "ITEM", {}, std::nullopt, -1, -1, &t.skin, target, {}, TRect{0, 0, 4, 3}, 0);
    return target;
  };
  SetGradient(100, "N/A");
  ExpectEvery(paint(), Gray(30));
  SetGradient(100, "");
  ExpectEvery(paint(), Own);

  Texture();
  Item().ImagePercent = 40;
  SetGradient(60, "N/A");
  EXPECT_EQ(Paint(Bound(), 0, {}, 5, 4).Pixel(1, 1), Gray(100)); // the picture alone
}

TEST_F(ItemPainting, PictureShareWithoutAPictureKeepsThePlainColour) {
  Item().ImagePercent = 30;
  ExpectEvery(Paint(Bound(), 0), Own);
}

TEST_F(ItemPainting, PatternListPictureIsTiledWhenNoImageRecordIsFound) {
  Item().ImagePercent = 100;
  TsPatternData pattern;
  pattern.Image = std::make_unique<Image24>(Positional(3, 2));
  pattern.SectionName = "ITEM";
  pattern.PropertyName = "PATTERN";
  t.skin.Patterns.push_back(std::move(pattern));
  Image24 target = Paint(Bound(), 0);
  EXPECT_EQ(target.Pixel(3, 2), parent.Pixel(0, 0));
  EXPECT_EQ(target.Pixel(2, 1), parent.Pixel(2, 1));
}

TEST_F(ItemPainting, CustomColourReplacesGradientPictureAndSeeThrough) {
  Texture();
  Item().Transparency = 100;
  Item().ImagePercent = 100;
  TsItemData data = Bound();
  data.CustomColor = 0x00FF00;
  data.Parent.Exists = true;
  data.ShowsParent = true;
  ExpectEvery(Paint(data, 0, ParentCache()), 0x00FF00);
}

TEST_F(ItemPainting, PartsWeighTheirGradientOutOf256AndFillOverfullShares) {
  const int texture = Texture();
  Item().ImagePercent = 50;
  SetGradient(50, "13158600;13158600;100;0;0");
  const int section = t.skin.SectionIndex("ITEM");
  Image24 part = Filled(4, 3, 0), item = Filled(4, 3, 0);
  PaintSkinPart(section, -1, texture, texture, "ITEM", {}, true, 0, TRect{0, 0, 4, 3}, {}, part, &t.skin);
  PaintSkinItemByIndex(section, "ITEM", {}, true, 0, TRect{0, 0, 4, 3}, {}, item, &t.skin, texture, texture);
  EXPECT_EQ(part.Pixel(0, 0), Gray(149)); // picture weight 128: (100 * 128 + 200 * 127 + 127) shr 8
  EXPECT_EQ(item.Pixel(0, 0), Gray(150)); // picture weight 127: (100 * 127 + 200 * 128 + 127) shr 8

  Item().ImagePercent = 100;
  PaintSkinPart(section, -1, texture, texture, "ITEM", {}, true, 0, TRect{0, 0, 4, 3}, {}, part, &t.skin);
  PaintSkinItemByIndex(section, "ITEM", {}, true, 0, TRect{0, 0, 4, 3}, {}, item, &t.skin, texture, texture);
  EXPECT_EQ(part.Pixel(0, 0), Own);       // a share above 100 ends in the plain colour
  EXPECT_EQ(item.Pixel(0, 0), Gray(100)); // the picture keeps (almost) all
}

TEST_F(ItemPainting, CornerPicturesSitInTheirCornersTheBottomLeftOneAtColumnZero) {
  t.Mask("ITEM", "IMGTOPRIGHT", TRect{0, 2, 1, 3}, 1, 0);
  t.Mask("ITEM", "IMGBTMLEFT", TRect{1, 2, 2, 3}, 1, 0);
  Image24 target = Filled(6, 4, 0);
  PaintSkinItem(Bound(), {}, true, 0, TRect{2, 0, 6, 4}, {}, target, true);
  EXPECT_EQ(target.Pixel(5, 0), RgbColor(1, 1, 9));
  EXPECT_EQ(target.Pixel(0, 3), RgbColor(2, 1, 9));
  EXPECT_EQ(target.Pixel(2, 3), Own);
}

TEST_F(ItemPainting, MaskedGripPatternShowsTheParentAroundItsDotsAtTheItemsPlace) {
  TestSkin grip(2, 4);
  grip.Paint(TRect{0, 0, 2, 2}, [](int, int) { return Gray(0); });
  grip.Paint(TRect{0, 2, 2, 4}, [](int, int) { return Gray(0); });
  grip.Section("GRIP").Transparency = 100;
  grip.Mask("GRIP", "PATTERN", TRect{0, 0, 2, 4}, 1, 1, 10, {}, TacImgType::itisaTexture);
  TsItemData data;
  data.Skin = &grip.skin;
  data.SkinSection = "GRIP";
  ResolveIndexes(data);
  data.ShowsParent = true;
  data.Parent.Exists = true;
  Image24 target = Paint(data, 0, ParentCache(), 3, 3);
  EXPECT_EQ(target.Pixel(1, 1), Gray(0));
  EXPECT_EQ(target.Pixel(2, 0), parent.Pixel(1 + 3 + 2, 2 + 4));
  EXPECT_EQ(target.Pixel(0, 2), parent.Pixel(1 + 3, 2 + 4 + 2));
}

// The position is where the rectangle's top-left corner lies in the parent: the see-through background and
// the key-coloured border corners show the parent's pixels at the same places, wherever the rectangle starts.
TEST_F(ItemPainting, BackgroundAndBorderCornersShowTheParentAtTheRectanglesPlace) {
  Item().Transparency = 100;
  for (const TPoint key : {TPoint{2, 0}, TPoint{4, 0}, TPoint{2, 2}, TPoint{4, 2}})
    t.Paint(key.X, key.Y, KeyColor);
  const int border = t.Mask("ITEM", "BORDERSMASK", TRect{2, 0, 5, 3}, 1, 0, 0, {1, 1, 1, 1});
  const int section = t.skin.SectionIndex("ITEM");
  const TRect r{2, 1, 7, 5};
  const TPoint p{3, 4};
  auto expectParent = [&](const Image24 &target, const char *painter) {
    for (const TPoint at : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                            TPoint{r.Right - 1, r.Bottom - 1}, TPoint{r.Left + 2, r.Top + 2}})
      EXPECT_EQ(target.Pixel(at.X, at.Y), parent.Pixel(1 + p.X + at.X - r.Left, 2 + p.Y + at.Y - r.Top))
          << painter << " at " << at.X << "," << at.Y;
  };
  Image24 part = Filled(8, 6, 0);
  PaintSkinPart(section, border, -1, -1, "ITEM", ParentCache(), true, 0, r, p, part, &t.skin);
  expectParent(part, "part");
  Image24 byIndex = Filled(8, 6, 0);
  PaintSkinItemByIndex(section, "ITEM", ParentCache(), true, 0, r, p, byIndex, &t.skin);
  expectParent(byIndex, "item by index");
  TsItemData data = Bound();
  data.ShowsParent = true;
  Image24 item = Filled(8, 6, 0);
  PaintSkinItem(data, ParentCache(), true, 0, r, p, item, true);
  expectParent(item, "item");
}

TEST_F(ItemPainting, NothingIsPaintedOutsideTheTargetOrWithoutASection) {
  TsItemData data = Bound();
  Image24 target = Filled(4, 3, 0x123456);
  PaintSkinItem(data, {}, true, 0, TRect{1, 0, 5, 3}, {}, target, true);
  ExpectEvery(target, 0x123456);
  data.SectionIdx = 7;
  PaintSkinItem(data, {}, true, 0, TRect{0, 0, 4, 3}, {}, target, true);
  ExpectEvery(target, 0x123456);
}

TEST_F(ItemPainting, DrawTextureLeavesTheAreaItsModeDoesNotCover) {
  const TsMaskData &tile = t.skin.Masks[t.Mask("ITEM", "X", TRect{0, 2, 2, 4}, 1, 0)];
  Image24 canvas = Filled(5, 5, 0);
  TRect r{0, 0, 5, 5};
  DrawTexture(canvas, r, nullptr, 2, &t.skin, &tile);
  EXPECT_EQ(r, (TRect{0, 2, 5, 5}));
  EXPECT_EQ(canvas.Pixel(4, 1), RgbColor(1, 2, 9));
  EXPECT_EQ(canvas.Pixel(4, 2), 0);
  r = TRect{0, 0, 5, 5};
  DrawTexture(canvas, r, nullptr, 7, &t.skin, &tile);
  EXPECT_EQ(r, (TRect{0, 0, 3, 5}));
  EXPECT_EQ(canvas.Pixel(3, 4), RgbColor(1, 1, 9));
  r = TRect{0, 0, 4, 4};
  DrawTexture(canvas, r, nullptr, 1, &t.skin, &tile);
  EXPECT_EQ(r, (TRect{-1, -1, -1, -1}));
  EXPECT_EQ(canvas.Pixel(1, 2), RgbColor(1, 2, 9));
  EXPECT_EQ(canvas.Pixel(2, 1), RgbColor(2, 1, 9));
}

TEST(PaintDisabled, GraysAndFadesTowardsTheParent) {
  Image24 cache = Filled(3, 2, RgbColor(30, 60, 120));
  PaintDisabled(cache, dkGrayed, {}, {}, {});
  EXPECT_EQ(cache.Pixel(2, 1), Gray(70));

  const Image24 back = Filled(10, 10, Gray(200));
  cache.Fill(Gray(100));
  PaintDisabled(cache, dkBlended, {}, TPoint{1, 1}, TCacheInfo{&back, 2, 2, true});
  EXPECT_EQ(cache.Pixel(0, 0), Gray(160)); // 0.4 of itself, 0.6 of the parent

  cache.Fill(Gray(100));
  PaintDisabled(cache, dkBlended, TsParentLink{true, Gray(201), {}, {}}, {}, {});
  EXPECT_EQ(cache.Pixel(1, 1), Gray(150)); // nearest(150.5), ties to even
}

TEST(SkinnedQueryColorAnswer, OwnColourParentsAnswerOrTheirMix) {
  TsGeneralData section;
  section.Color = Gray(100);
  const TsParentLink parent{true, 0, [] { return std::optional<TColor>(Gray(200)); }, {}};
  EXPECT_EQ(SkinnedQueryColorAnswer(section, false, 0x0000FF, parent), Gray(100));
  EXPECT_EQ(SkinnedQueryColorAnswer(section, true, 0x0000FF, parent), 0x0000FF);
  section.Transparency = 100;
  EXPECT_EQ(SkinnedQueryColorAnswer(section, false, 0x0000FF, parent), Gray(200));
  EXPECT_EQ(SkinnedQueryColorAnswer(section, false, 0x0000FF, TsParentLink{}), 0x0000FF);
  section.Transparency = 50;
  EXPECT_EQ(SkinnedQueryColorAnswer(section, false, 0x0000FF, parent), Gray(119)); // (100 * 50 + 100 * 256) shr 8
  // The mix takes the section's colour, also for a control with a colour of its own.
  EXPECT_EQ(SkinnedQueryColorAnswer(section, true, 0x0000FF, parent), Gray(119));
}
