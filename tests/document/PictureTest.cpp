#include <gtest/gtest.h>

#include "raster/Picture.h"

namespace pelorin {
namespace {

TEST(Picture, ParsesColoursRedFirstAndTransparency) {
  const auto pic = ParsePicture(
      "# a comment\n"
      "size 3 2\n"
      "key r FF0000\n"
      "key b 0000FF\n"
      "key . transparent\n"
      "rows\n"
      "rb.\n"
      ".br\n");
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->image.At(0, 0), 0x0000FFu);  // red in the low byte
  EXPECT_EQ(pic->image.At(1, 0), 0xFF0000u);
  EXPECT_EQ(pic->mask.At(0, 0), kBlack);
  EXPECT_EQ(pic->mask.At(2, 0), kWhite);
  EXPECT_EQ(pic->image.At(2, 0), kBlack) << "transparent pixels are black in the image";
}

TEST(Picture, ReadsTheHotSpotOfAPointer) {
  const auto pic = ParsePicture("size 2 2\nkey a 000000\nhotspot 1 0\nrows\naa\naa\n");
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->hot_x, 1);
  EXPECT_EQ(pic->hot_y, 0);
  EXPECT_FALSE(ParsePicture("size 2 2\nkey a 000000\nhotspot 2 0\nrows\naa\naa\n"))
      << "hot spot outside the picture";
}

TEST(Picture, RefusesBrokenText) {
  EXPECT_FALSE(ParsePicture(""));
  EXPECT_FALSE(ParsePicture("size 2 1\nkey a 000000\nrows\naa\naa\n")) << "too many rows";
  EXPECT_FALSE(ParsePicture("size 2 2\nkey a 000000\nrows\naa\n")) << "too few rows";
  EXPECT_FALSE(ParsePicture("size 2 1\nkey a 000000\nrows\naaa\n")) << "row too wide";
  EXPECT_FALSE(ParsePicture("size 2 1\nkey a 000000\nrows\nab\n")) << "unknown key";
  EXPECT_FALSE(ParsePicture("size 2 1\nkey a 00000G\nrows\naa\n")) << "bad colour";
  EXPECT_FALSE(ParsePicture("size -2 1\nkey a 000000\nrows\naa\n"));
  EXPECT_FALSE(ParsePicture("key a 000000\nrows\naa\n")) << "no size";
}

TEST(Picture, EveryPictureResourceOfTheProgramLoads) {
  for (const char* name : {"hatch.txt", "window-icon.txt"}) {
    ASSERT_FALSE(FindResource(name).empty()) << name;
    EXPECT_TRUE(ParsePicture(FindResource(name))) << name;
  }
  const Picture hatch = LoadPictureResource("hatch.txt");
  ASSERT_EQ(hatch.image.width(), 9);
  int gray = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const Colour c = hatch.image.At(x, y);
      if (c == 0x808080) {
        ++gray;
        EXPECT_EQ((x + y) % 4, 0) << x << "," << y;
      } else {
        EXPECT_EQ(c, kWhite);
      }
    }
  EXPECT_EQ(gray, 13);
  const Picture icon = LoadPictureResource("window-icon.txt");
  EXPECT_EQ(icon.image.width(), 32);
  EXPECT_EQ(icon.image.height(), 32);
}

}  // namespace
}  // namespace pelorin
