#include <gtest/gtest.h>

#include "skin/model/PictureReference.h"
#include "skin/model/SkinErrors.h"

namespace {

PictureReference Parse(const std::string &value, const std::string &key = "BORDERSMASK",
                       const std::string &section = "BUTTON") {
  auto reference = ParsePictureReference(section, key, value);
  EXPECT_TRUE(reference) << value;
  return reference ? std::move(*reference) : PictureReference{};
}

void ExpectBorders(const TsMaskData &m, int wl, int wt, int wr, int wb) {
  EXPECT_EQ(m.WL, wl);
  EXPECT_EQ(m.WT, wt);
  EXPECT_EQ(m.WR, wr);
  EXPECT_EQ(m.WB, wb);
}

} // namespace

TEST(PictureReferences, GlyphAtFixedPositions) {
  auto ref = Parse("@0039@0000@0078@0026@3@1", "BICONCLOSE", "GLOBALINFO");
  EXPECT_EQ(ref.Form, PictureReferenceForm::Glyph);
  const TsMaskData &m = ref.Record;
  EXPECT_EQ(m.R, (TRect{39, 0, 78, 26}));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.ImgType, TacImgType::itisaGlyph);
  EXPECT_EQ(m.BorderWidth, 0);
  EXPECT_EQ(m.StretchMode, 0);
  ExpectBorders(m, 0, 0, 0, 0);
  EXPECT_EQ(m.SectionName, "GLOBALINFO");
  EXPECT_EQ(m.PropertyName, "BICONCLOSE");
  EXPECT_FALSE(m.Image);
}

TEST(PictureReferences, BorderMaskWithOneBorderWidth) {
  const TsMaskData m = Parse("^0078^0048^0156^0099^0000^0000^0000^0000^1^0^1^1", "BORDERSMASK", "EDIT").Record;
  EXPECT_EQ(m.R, (TRect{78, 48, 156, 99}));
  EXPECT_EQ(m.ImageCount, 1);
  EXPECT_EQ(m.MaskType, 0);
  EXPECT_EQ(m.StretchMode, 1);
  EXPECT_EQ(m.BorderWidth, 1);
  EXPECT_EQ(m.ImgType, TacImgType::itisaBorder);
  ExpectBorders(m, 1, 1, 1, 1);
}

TEST(PictureReferences, BorderMaskWidthsDerivedFromTheFrame) {
  const TsMaskData m = Parse("^0000^0064^0018^0076^0000^0000^0000^0000^3^1^5^0").Record;
  EXPECT_EQ(m.R, (TRect{0, 64, 18, 76}));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.StretchMode, 5);
  EXPECT_EQ(m.BorderWidth, 0);
  ExpectBorders(m, 2, 2, 2, 2);
  const TsMaskData given = Parse("^0000^0064^0018^0076^0004^0000^0003^0000^3^1^5^7").Record;
  ExpectBorders(given, 4, 0, 3, 0);
}

TEST(PictureReferences, TexturesWithAndWithoutMaskType) {
  const TsMaskData plain = Parse("~0078~0000~0156~0048~00", "PATTERN", "FORM").Record;
  EXPECT_EQ(plain.R, (TRect{78, 0, 156, 48}));
  EXPECT_EQ(plain.StretchMode, 0);
  EXPECT_EQ(plain.MaskType, 0);
  EXPECT_EQ(plain.ImageCount, 1);
  EXPECT_EQ(plain.ImgType, TacImgType::itisaTexture);
  const TsMaskData grip = Parse("~0039~0197~0042~0199~10~1", "PATTERN", "GRIPH").Record;
  EXPECT_EQ(grip.StretchMode, 10);
  EXPECT_EQ(grip.MaskType, 1);
}

TEST(PictureReferences, OwnBitmapWithDerivedBorders) {
  auto ref = Parse("!BUTTONHUGE.BMP!3!1!0", "BORDERSMASK", "BUTTON_HUGE");
  EXPECT_EQ(ref.Form, PictureReferenceForm::OwnBitmap);
  EXPECT_EQ(ref.PictureName, "BUTTONHUGE.BMP");
  EXPECT_TRUE(NeedsOwnPicture(ref.Form));
  TsMaskData m = MaskForPicture(std::move(ref), std::make_unique<Image24>(288, 192));
  EXPECT_EQ(m.R, (TRect{0, 0, 288, 192}));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.ImgType, TacImgType::itisaBorder);
  EXPECT_EQ(m.StretchMode, 4);
  ExpectBorders(m, 32, 32, 32, 32);
  ASSERT_TRUE(m.Image);
  EXPECT_EQ(m.Image->Width(), 288);
}

TEST(PictureReferences, OwnBitmapWithGivenBorders) {
  auto ref = Parse("!PANEL.BMP!2!0!2!5!6!7!8");
  EXPECT_EQ(ref.Record.ImgType, TacImgType::itisaGlyph);
  TsMaskData m = MaskForPicture(std::move(ref), std::make_unique<Image24>(60, 30));
  ExpectBorders(m, 5, 6, 7, 8);
  EXPECT_EQ(Parse("!PANEL.BMP!2!0!9").Record.ImgType, TacImgType::itisaBorder); // out of range counts as 0
}

TEST(PictureReferences, OwnBitmapNeedsBmpInCapitals) {
  EXPECT_FALSE(ParsePictureReference("A", "B", "!panel.bmp!3!1!0"));
  EXPECT_FALSE(ParsePictureReference("A", "B", "!PANEL.JPG!3!1!0"));
}

TEST(PictureReferences, OlderBitmapFileForm) {
  auto ref = Parse("Panel.bmp", "BordersMask", "Panel");
  EXPECT_EQ(ref.Form, PictureReferenceForm::OldBitmapFile);
  EXPECT_EQ(ref.PictureName, "PANEL.BMP");
  EXPECT_EQ(ref.Record.SectionName, "PANEL");
  EXPECT_EQ(ref.Record.PropertyName, "BORDERSMASK");
  TsMaskData m = MaskForPicture(std::move(ref), std::make_unique<Image24>(90, 60));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 1);
  ExpectBorders(m, 10, 10, 10, 10);
}

TEST(PictureReferences, OlderMasterRectangleForm) {
  const TsMaskData m = Parse("#MASTER (0, 10, 30, 40) (0, -1)", "Glyph", "x").Record;
  EXPECT_EQ(m.R, (TRect{0, 10, 30, 40}));
  EXPECT_EQ(m.ImageCount, 1);
  EXPECT_EQ(m.MaskType, 0);
  EXPECT_EQ(m.StretchMode, 1);
  EXPECT_EQ(m.ImgType, TacImgType::itisaBorder);
  EXPECT_EQ(m.SectionName, "X");
  ExpectBorders(m, 10, 10, 10, 10);
  const TsMaskData texture = Parse("#M 0,0,8,8 3,1,2,6", "hotpattern").Record;
  EXPECT_EQ(texture.ImgType, TacImgType::itisaTexture);
  EXPECT_EQ(texture.StretchMode, 0);
  ExpectBorders(texture, 2, 2, 2, 2);
  EXPECT_FALSE(ParsePictureReference("A", "B", "#"));
}

TEST(PictureReferences, ValuesThatNameNoPicture) {
  for (const char *value : {"", "N/A", "16118514", "14934497;9406856;33;0;0", "TRUE", "Blue skin", "wood.jpg"})
    EXPECT_FALSE(ParsePictureReference("A", "B", value)) << value;
}

TEST(PictureReferences, MalformedValuesNameSectionAndKey) {
  for (const char *value : {"@0039@0000@0078@0026@3", "@0039@00x0@0078@0026@3@1", "^0078^0048^0156^0099^0000",
                            "~0078~0000~0156~0048~0", "~0078~0000~0156~0048~00~x", "!A.BMP!3!1", "!A.BMP!3!1!0!1!2!3",
                            "!A.BMP!three!1!0", "!A.BMP!99999!1!0", "#M (1,2,3) (1,1)"}) {
    try {
      ParsePictureReference("SECTION", "KEY", value);
      ADD_FAILURE() << "accepted " << value;
    } catch (const ESkinOptionsError &e) {
      EXPECT_EQ(e.Section(), "SECTION");
      EXPECT_EQ(e.Key(), "KEY");
    }
  }
}

// A frame count of 0 stays in the record (each painter has a rule for it) but never divides: derived
// border widths count it as one frame. Only the older "#" form raises it to 1.
TEST(PictureReferences, FrameCountsOfZeroStayAndNeverDivideByZero) {
  const TsMaskData glyph = Parse("@0000@0000@0030@0020@0@1").Record;
  EXPECT_EQ(glyph.ImageCount, 0);
  const TsMaskData mask = Parse("^0000^0000^0030^0030^0000^0000^0000^0000^0^0^0^0").Record;
  EXPECT_EQ(mask.ImageCount, 0);
  ExpectBorders(mask, 10, 10, 10, 10);
  auto own = Parse("!A.BMP!0!-1!0");
  TsMaskData m = MaskForPicture(std::move(own), std::make_unique<Image24>(30, 30));
  EXPECT_EQ(m.ImageCount, 0);
  EXPECT_EQ(m.MaskType, 0);
  ExpectBorders(m, 10, 10, 10, 10);
  EXPECT_EQ(Parse("#M (0,0,30,30) (0,0)").Record.ImageCount, 1);
}

TEST(PictureReferences, JpegNames) {
  EXPECT_TRUE(NamesJpegPicture("wood.jpg"));
  EXPECT_TRUE(NamesJpegPicture("Wood.JPEG"));
  EXPECT_FALSE(NamesJpegPicture("wood.bmp"));
}
