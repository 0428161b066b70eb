// The platform's text drawing of a whole UTF-8 string into a device context.
#include <gtest/gtest.h>

#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"

namespace {

// The rectangle that DrawTextW computes for text in the system font of dc.
RECT Measured(HDC dc, std::string_view text) {
  RECT r{0, 0, 0, 0};
  DrawTextPlain(dc, text, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return r;
}

} // namespace

TEST(DrawTextPlain, DrawsTheWholeStringLikeTheWideCall) {
  Image24 plain = CreateDib24(120, 20), wide = CreateDib24(120, 20);
  plain.Fill(0xFFFFFF);
  wide.Fill(0xFFFFFF);
  const std::string russian = "\xD0\xA3\xD1\x81\xD1\x82\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBA\xD0\xB0"; // Установка
  {
    ImageSurface surface(plain);
    RECT r{2, 2, 118, 18};
    EXPECT_GT(DrawTextPlain(surface.Handle(), russian, r, DT_SINGLELINE | DT_NOPREFIX), 0);
    // The characters after a zero character are laid out too.
    using namespace std::string_view_literals;
    EXPECT_GT(Measured(surface.Handle(), "ab\0cd"sv).right, Measured(surface.Handle(), "ab").right);
  }
  {
    ImageSurface surface(wide);
    RECT r{2, 2, 118, 18};
    DrawTextW(surface.Handle(), L"\u0423\u0441\u0442\u0430\u043D\u043E\u0432\u043A\u0430", -1, &r,
              DT_SINGLELINE | DT_NOPREFIX);
  }
  int inked = 0;
  for (int y = 0; y < plain.Height(); ++y)
    for (int x = 0; x < plain.Width(); ++x) {
      ASSERT_EQ(plain.Pixel(x, y), wide.Pixel(x, y)) << x << "," << y;
      inked += plain.Pixel(x, y) != 0xFFFFFF;
    }
  EXPECT_GT(inked, 20);
}
