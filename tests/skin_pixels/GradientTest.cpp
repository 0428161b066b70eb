#include <gtest/gtest.h>

#include "skin/pixels/Gradient.h"
#include "toolkit/base/Exceptions.h"

namespace {

Image24 Blank(int width, int height) {
  Image24 image(width, height);
  image.Fill(0x123456);
  return image;
}

TsGradArray Parsed(std::string_view text) {
  TsGradArray list;
  ParseGradient(text, list);
  return list;
}

} // namespace

TEST(ParseGradient, ReadsGroupsOfFive) {
  const TsGradArray list =
      Parsed("14934497;9406856;33;0;0;9406856;8747639;4;0;0;8747639;11050135;64;0;0;11050135;11050135;0;0;0");
  ASSERT_EQ(list.size(), 4);
  EXPECT_EQ(list[0].StartColor, 14934497);
  EXPECT_EQ(list[0].EndColor, 9406856);
  EXPECT_EQ(list[0].Percent, 33);
  EXPECT_EQ(list[1].Percent, 4);
  EXPECT_EQ(list[2].StartColor, 8747639);
  EXPECT_EQ(list[3].Percent, 0);
}

TEST(ParseGradient, NoneEmptyAndLeftoverWords) {
  TsGradArray list = Parsed("1;2;3;0;0");
  ParseGradient("N/A", list);
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(Parsed("").empty());
  const TsGradArray seven = Parsed("1;2;30;1;0;7;8");
  ASSERT_EQ(seven.size(), 1);
  EXPECT_EQ(seven[0].Mode, 1);
}

TEST(ParseGradient, PercentIsLimitedAndBadWordsRaise) {
  EXPECT_EQ(Parsed("1;2;150;0;0")[0].Percent, 100);
  EXPECT_EQ(Parsed("1;2;-5;0;0")[0].Percent, 0);
  EXPECT_THROW(Parsed("1;x;3;0;0"), EConvertError);
  EXPECT_THROW(Parsed("1;;3;0;0"), EConvertError);
}

TEST(FillGradient, VerticalRampRoundsHalvesToEven) {
  Image24 image = Blank(2, 3);
  FillGradient(image, TRect{0, 0, 2, 3}, Parsed("0;" + std::to_string(RgbColor(5, 200, 0)) + ";100;0;0"));
  EXPECT_EQ(image.Pixel(0, 0), RgbColor(0, 0, 0));
  EXPECT_EQ(image.Pixel(1, 1), RgbColor(2, 100, 0)); // 2.5 -> 2
  EXPECT_EQ(image.Pixel(0, 2), RgbColor(5, 200, 0));
}

TEST(FillGradient, LastStepAlwaysEndsAtTheBottom) {
  Image24 image = Blank(1, 10);
  FillGradient(image, TRect{0, 0, 1, 10}, Parsed("0;16777215;50;0;0"));
  EXPECT_EQ(image.Pixel(0, 0), 0);
  EXPECT_EQ(image.Pixel(0, 9), 0xFFFFFF);
}

TEST(FillGradient, ConsecutiveBandsShareTheirBoundaryRow) {
  Image24 image = Blank(1, 11);
  // Band 1: rows 0..5 from black to 100; band 2: rows 5..10 from 200 to 250, its first row overwriting row 5.
  FillGradient(image, TRect{0, 0, 1, 11}, Parsed("0;100;50;0;0;200;250;50;1;0"));
  EXPECT_EQ(image.Pixel(0, 4), 80);
  EXPECT_EQ(image.Pixel(0, 5), 200);
  EXPECT_EQ(image.Pixel(0, 6), 210);
  EXPECT_EQ(image.Pixel(0, 10), 250);
}

TEST(FillGradient, HorizontalStepsAndAnEmptySecondStep) {
  Image24 image = Blank(100, 2);
  FillGradient(image, TRect{0, 0, 100, 2}, Parsed("16777215;15332341;99;1;0;255;255;0;1;0"));
  EXPECT_EQ(image.Pixel(0, 0), 0xFFFFFF);
  EXPECT_EQ(image.Pixel(99, 1), 15332341); // the second step's band computes to nothing
  EXPECT_EQ(image.Pixel(50, 0), RgbColor(250, 249, 244));
}

TEST(FillGradient, RectangleIsLimitedToTheImage) {
  Image24 image = Blank(3, 3);
  FillGradient(image, TRect{-4, 1, 40, 40}, Parsed("0;200;100;0;0"));
  EXPECT_EQ(image.Pixel(0, 0), 0x123456);
  EXPECT_EQ(image.Pixel(2, 1), 0);
  EXPECT_EQ(image.Pixel(0, 2), 200);
}

TEST(FillGradient, FourCornersTakeTheStartColoursOfTheSteps) {
  Image24 image = Blank(9, 9);
  FillGradient(image, TRect{0, 0, 9, 9}, Parsed("255;0;0;2;0;65280;0;0;0;0"));
  EXPECT_EQ(image.Pixel(0, 0), 255);   // vertex 0: step 0
  EXPECT_EQ(image.Pixel(4, 4), 65280); // the centre: step 1
  EXPECT_EQ(image.Pixel(8, 8), 65280); // between the centre and the other corners
  EXPECT_EQ(image.Pixel(8, 4), 65280);
}

TEST(FillGradient, UnknownModeAndEmptyListPaintNothing) {
  Image24 image = Blank(4, 4);
  FillGradient(image, TRect{0, 0, 4, 4}, Parsed("0;0;100;3;0"));
  FillGradient(image, TRect{0, 0, 4, 4}, TsGradArray{});
  EXPECT_EQ(image.Pixel(2, 2), 0x123456);
}
