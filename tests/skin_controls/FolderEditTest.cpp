// The folder edit's portable rules: how its button's glyph is drawn over the background, and the names the
// folder dialog makes and reads.
#include <gtest/gtest.h>

#include "skin/controls/FolderNames.h"
#include "skin/controls/GlyphFace.h"

namespace {

constexpr TColor Background = 0xFF0000, Glyph = 0x0000FF;

// A glyph picture of three 4 by 4 frames in the glyph colour over a mask that shows them whole.
Image24 GlyphPicture() {
  Image24 picture(12, 8);
  picture.Fill(Glyph);
  for (int y = 4; y < 8; ++y)
    for (int x = 0; x < 12; ++x)
      picture.SetPixel(x, y, 0x000000);
  return picture;
}

// The centre of the glyph on a button of the size, painted idle with the blend.
TColor GlyphCentre(int width, int height, int blend) {
  Image24 button(width, height);
  button.Fill(Background);
  PaintGlyphFace(button, GlyphPicture(), TsGlyphLook{0, true, false, blend});
  return button.Pixel(width / 2, height / 2);
}

TEST(FolderEditGlyph, BlendFadesTheIdleGlyphUpToHidingItAlsoOnAButtonLargerThanThePicture) {
  for (const TSize button : {TSize{10, 6}, TSize{30, 40}}) {
    SCOPED_TRACE(button.Width);
    EXPECT_EQ(GlyphCentre(button.Width, button.Height, 0), Glyph);
    const TColor half = GlyphCentre(button.Width, button.Height, 50);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x80, 2);
    EXPECT_NEAR(static_cast<int>(half >> 16), 0x7F, 2);
    // 100 is the whole background, not a weight that wraps round to the glyph.
    EXPECT_EQ(GlyphCentre(button.Width, button.Height, 100), Background);
  }
}

TEST(FolderNames, NewFoldersGoInsideTheSelectedFolderAlsoAtADriveRoot) {
  EXPECT_EQ(NewFolderCandidate("C:\\", 1), "C:\\New folder1");
  EXPECT_EQ(NewFolderCandidate("C:\\Data", 12), "C:\\Data\\New folder12");
}

TEST(FolderNames, RootsArePathsOrSpecialFolderNamesInAnyCase) {
  EXPECT_EQ(RootFolderNumber("RFDESKTOP"), 0);
  EXPECT_EQ(RootFolderNumber("rfMyComputer"), 17);
  EXPECT_EQ(RootFolderNumber("C:"), std::nullopt);
  EXPECT_EQ(RootPathText("C:"), "C:\\");
  EXPECT_EQ(RootPathText("C:\\Data"), "C:\\Data");
}

TEST(FolderNames, APastedPathLosesItsLineBreaks) { EXPECT_EQ(OneLine("C:\\Program\r\nFiles\n"), "C:\\ProgramFiles"); }

} // namespace
