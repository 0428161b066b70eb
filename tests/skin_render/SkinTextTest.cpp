#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/skin_render/TestSkin.h"
#include "skin/render/SkinText.h"

namespace {

// Remembers every string drawn, with the font and the drawing limit in force; every character (not byte)
// is 6 pixels wide and a line 13 high; measures take no line breaks.
class RecordingCanvas : public TsTextCanvas {
public:
  struct Call {
    std::string text;
    TRect rect;
    uint32_t flags;
    TsFont font;
    TRect clip;
  };
  std::vector<Call> calls;
  std::vector<TRect> clips;

  void DrawString(std::string_view text, const TRect &rect, uint32_t flags) override {
    calls.push_back({std::string(text), rect, flags, Font, clips.empty() ? TRect{} : clips.back()});
  }
  void DrawAt(std::string_view text, TPoint origin) override {
    DrawString(text, TRect{origin.X, origin.Y, origin.X, origin.Y}, 0);
  }
  TSize TextExtent(std::string_view text) override {
    return {6 * static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; })),
            13};
  }
  TSize TextRectSize(std::string_view text, int, uint32_t) override { return TextExtent(text); }
  void PushClip(const TRect &rect) override { clips.push_back(rect); }
  void PopClip() override { clips.pop_back(); }
};

constexpr TRect Room{10, 20, 60, 40};
constexpr uint32_t Centered = TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine;

class SkinText : public ::testing::Test {
protected:
  TestSkin t;
  TsItemData data;
  RecordingCanvas canvas;

  SkinText() {
    TsGeneralData &button = t.Section("BUTTON");
    button.Color = 0xFFFFFF;
    button.FontColor = {0x000000, 0x0000FF, NoColor, 0x00FF00, NoColor};
    button.HotFontColor = {0x111111, NoColor, 0xFF0000, NoColor, 0x00FFFF};
    t.Section("WEBBUTTON");
    data.Skin = &t.skin;
    data.SkinSection = "BUTTON";
    data.Font.Color = 0x123456;
    ResolveIndexes(data);
  }

  // Each string drawn so far, in order: where and in which colour.
  void ExpectPlacesAndColours(const std::vector<std::pair<TRect, TColor>> &expected) const {
    ASSERT_EQ(canvas.calls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(canvas.calls[i].rect, expected[i].first) << i;
      EXPECT_EQ(canvas.calls[i].font.Color, expected[i].second) << i;
    }
  }
};

} // namespace

TEST_F(SkinText, ContoursOfTheStateComeFirstEachMovedToItsSide) {
  WriteSkinText(canvas, "OK", true, false, data, Centered, Room);
  ExpectPlacesAndColours({{TRect{9, 20, 59, 40}, 0x0000FF}, {TRect{11, 20, 61, 40}, 0x00FF00}, {Room, 0x000000}});
  for (const auto &call : canvas.calls) {
    EXPECT_EQ(call.flags, Centered | TextFlags::NoClip);
    EXPECT_EQ(call.clip, Room);
    EXPECT_EQ(call.text, "OK");
  }
  EXPECT_TRUE(canvas.clips.empty());
}

TEST_F(SkinText, ActiveCaptionUsesTheHotColours) {
  WriteSkinText(canvas, "OK", true, true, data, Centered, Room);
  ExpectPlacesAndColours({{TRect{10, 19, 60, 39}, 0xFF0000}, {TRect{10, 21, 60, 41}, 0x00FFFF}, {Room, 0x111111}});
  EXPECT_FALSE(canvas.calls.back().font.Underline);
}

TEST_F(SkinText, CustomFontKeepsTheControlsColourAndDrawsNoContours) {
  data.CustomFont = true;
  WriteSkinText(canvas, "OK", true, false, data, Centered, Room);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].font.Color, 0x123456);
}

TEST_F(SkinText, DisabledCaptionIsDrawnOnceInAMutedColourWithTheFlagsAsGiven) {
  WriteSkinText(canvas, "OK", false, true, data, Centered, Room);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].font.Color, 0x999999); // 153 = nearest(0.4 * (0 - 255) + 255)
  EXPECT_EQ(canvas.calls[0].flags, Centered);
}

TEST_F(SkinText, UnskinnedCaptionKeepsTheControlsFont) {
  data.SectionIdx = -1;
  WriteSkinText(canvas, "OK", true, false, data, Centered, Room);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].font, data.Font);
  EXPECT_EQ(canvas.calls[0].flags, Centered | TextFlags::NoClip);
}

TEST_F(SkinText, ActiveWebButtonIsUnderlined) {
  data.SkinSection = "WEBBUTTON";
  ResolveIndexes(data);
  WriteSkinText(canvas, "link", true, true, data, Centered, Room);
  EXPECT_TRUE(canvas.calls.back().font.Underline);
  WriteSkinText(canvas, "link", true, false, data, Centered, Room);
  EXPECT_FALSE(canvas.calls.back().font.Underline);
}

TEST_F(SkinText, ByIndexKeepsTheCanvasFontAndTheFlags) {
  canvas.Font.Name = "Tahoma";
  WriteSkinTextByIndex(canvas, "OK", true, &t.skin, false, data.SectionIdx, Centered, Room);
  ASSERT_EQ(canvas.calls.size(), 3u);
  EXPECT_EQ(canvas.calls[2].font.Name, "Tahoma");
  EXPECT_EQ(canvas.calls[2].font.Color, 0x000000);
  EXPECT_EQ(canvas.calls[2].flags, Centered);
  EXPECT_EQ(canvas.calls[2].clip, Room);
}

TEST(ShortenText, CutsCharactersUntilTheTextAndEllipsisFit) {
  RecordingCanvas canvas;
  EXPECT_EQ(ShortenText(canvas, "Install", 42), "Install");
  EXPECT_EQ(ShortenText(canvas, "Install", 41), "Ins...");
  EXPECT_EQ(ShortenText(canvas, "Установка", 41), "Уст..."); // whole characters, not bytes
  EXPECT_EQ(ShortenText(canvas, "Install", 17), "");
  EXPECT_EQ(ShortenText(canvas, "Install", 0), "");
}

TEST(DrawFocusDots, BlackDotsEveryThirdPixelWithWhiteOnesUpAndLeft) {
  Image24 image = Filled(12, 12, Gray(128));
  DrawFocusDots(image, TRect{2, 2, 9, 8});
  EXPECT_EQ(image.Pixel(2, 2), 0x000000);
  EXPECT_EQ(image.Pixel(5, 2), 0x000000);
  EXPECT_EQ(image.Pixel(8, 8), 0x000000);
  EXPECT_EQ(image.Pixel(9, 5), 0x000000);
  EXPECT_EQ(image.Pixel(4, 1), 0xFFFFFF);
  EXPECT_EQ(image.Pixel(8, 4), 0xFFFFFF);
  EXPECT_EQ(image.Pixel(3, 2), Gray(128));
}
