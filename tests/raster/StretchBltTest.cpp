// Stretched transfers: which source pixel each destination pixel takes, mirroring, clipping
// and the raster operations.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "raster/Blit.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;

// A raster whose every pixel tells where it came from: (x, y) holds x | y << 8 | 0x10000.
Raster Numbered(int w, int h) {
  Raster r(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) r.Row(y)[x] = static_cast<Colour>(x | y << 8 | 0x10000);
  return r;
}
int SourceX(Colour c) { return static_cast<int>(c & 0xFF); }
int SourceY(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }

// The source columns that destination row 0 took, left to right.
std::vector<int> ColumnsTaken(int source_width, int dest_width) {
  Raster dst(dest_width, 1, kBlack);
  StretchBlt(dst, 0, 0, dest_width, 1, Numbered(source_width, 1), 0, 0, source_width, 1,
             Rop::kSrcCopy);
  std::vector<int> out;
  for (int x = 0; x < dest_width; ++x) out.push_back(SourceX(dst.At(x, 0)));
  return out;
}

// The source rows that destination column 0 took, top to bottom.
std::vector<int> RowsTaken(int source_height, int dest_height) {
  Raster dst(1, dest_height, kBlack);
  StretchBlt(dst, 0, 0, 1, dest_height, Numbered(1, source_height), 0, 0, 1, source_height,
             Rop::kSrcCopy);
  std::vector<int> out;
  for (int y = 0; y < dest_height; ++y) out.push_back(SourceY(dst.At(0, y)));
  return out;
}

std::vector<int> Range(int first, int step, int count) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(first + i * step);
  return out;
}

TEST(StretchBltTest, EnlargingTakesThePixelUnderEachCentre) {
  const Raster src = Numbered(32, 32);
  Raster dst(320, 320, kBlack);
  StretchBlt(dst, 0, 0, 320, 320, src, 0, 0, 32, 32, Rop::kSrcCopy);
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 320; ++x) ASSERT_EQ(dst.At(x, y), src.At(x / 10, y / 10)) << x << "," << y;

  EXPECT_EQ(ColumnsTaken(2, 3), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(ColumnsTaken(2, 5), (std::vector<int>{0, 0, 0, 1, 1}));
  EXPECT_EQ(RowsTaken(2, 5), (std::vector<int>{0, 0, 0, 1, 1}));
  EXPECT_EQ(ColumnsTaken(24, 32),
            (std::vector<int>{0,  1,  1,  2,  3,  4,  4,  5,  6,  7,  7,  8,  9,  10, 10, 11,
                              12, 13, 13, 14, 15, 16, 16, 17, 18, 19, 19, 20, 21, 22, 22, 23}));
  EXPECT_EQ(ColumnsTaken(32, 64), [] {
    std::vector<int> v;
    for (int i = 0; i < 64; ++i) v.push_back(i / 2);
    return v;
  }());
  EXPECT_EQ(ColumnsTaken(7, 7), Range(0, 1, 7));
}

TEST(StretchBltTest, ShrinkingKeepsTheLastColumnAndTheFirstRowOfEachGroup) {
  EXPECT_EQ(ColumnsTaken(32, 16), Range(1, 2, 16));
  EXPECT_EQ(RowsTaken(32, 16), Range(0, 2, 16));
  EXPECT_EQ(ColumnsTaken(32, 8), Range(3, 4, 8));
  EXPECT_EQ(RowsTaken(32, 8), Range(0, 4, 8));

  Raster dst(16, 16, kBlack);
  StretchBlt(dst, 0, 0, 16, 16, Numbered(32, 32), 0, 0, 32, 32, Rop::kSrcCopy);
  EXPECT_EQ(SourceX(dst.At(5, 9)), 11);
  EXPECT_EQ(SourceY(dst.At(5, 9)), 18);
}

TEST(StretchBltTest, AOnePixelDestinationSamplesOnePixelFewer) {
  Raster dst(1, 1, kBlack);
  StretchBlt(dst, 0, 0, 1, 1, Numbered(2, 1), 0, 0, 2, 1, Rop::kSrcCopy);
  EXPECT_EQ(dst.At(0, 0), Numbered(2, 1).At(0, 0));
  // Three columns become two, which shrink to the last of them; rows keep the first.
  StretchBlt(dst, 0, 0, 1, 1, Numbered(3, 3), 0, 0, 3, 3, Rop::kSrcCopy);
  EXPECT_EQ(dst.At(0, 0), Numbered(3, 3).At(1, 0));
  // The same within one raster.
  Raster same = Numbered(3, 3);
  StretchBlt(same, 2, 2, 1, 1, same, 0, 0, 3, 3, Rop::kSrcCopy);
  EXPECT_EQ(same.At(2, 2), Numbered(3, 3).At(1, 0));
}

TEST(StretchBltTest, ANegativeExtentOnOneSideMirrors) {
  const Raster src = Numbered(32, 32);
  Raster flipped_x(32, 32, kBlack);
  StretchBlt(flipped_x, 0, 0, 32, 32, src, 31, 0, -32, 32, Rop::kSrcCopy);
  Raster flipped_y(32, 32, kBlack);
  StretchBlt(flipped_y, 0, 0, 32, 32, src, 0, 31, 32, -32, Rop::kSrcCopy);
  Raster both_negative(32, 32, kBlack);
  StretchBlt(both_negative, 31, 0, -32, 32, src, 31, 0, -32, 32, Rop::kSrcCopy);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(flipped_x.At(x, y), src.At(31 - x, y));
      ASSERT_EQ(flipped_y.At(x, y), src.At(x, 31 - y));
      ASSERT_EQ(both_negative.At(x, y), src.At(x, y));
    }
  }
}

TEST(StretchBltTest, MirrorsTheLeftHalfOntoTheRightHalf) {
  const Raster src = Numbered(32, 32);
  Raster dst(32, 32, kBlack);
  StretchBlt(dst, 31, 0, -16, 32, src, 0, 0, 16, 32, Rop::kSrcCopy);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(dst.At(x, y), kBlack);
      ASSERT_EQ(dst.At(31 - x, y), src.At(x, y));
    }
  }
  // The same within one raster: the left half stays, the right becomes its mirror image.
  Raster same = src;
  StretchBlt(same, 31, 0, -16, 32, same, 0, 0, 16, 32, Rop::kSrcCopy);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(same.At(31 - x, y), src.At(x, y));
}

TEST(StretchBltTest, FlipsInPlaceFromThePreCallPicture) {
  const Raster original = Numbered(32, 32);
  Raster r = original;
  StretchBlt(r, 0, 0, 32, 32, r, 31, 31, -32, -32, Rop::kSrcCopy);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(r.At(x, y), original.At(31 - x, 31 - y));
  // Enlarging the top-left quarter over the whole raster, in place.
  r = original;
  StretchBlt(r, 0, 0, 32, 32, r, 0, 0, 16, 16, Rop::kSrcCopy);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(r.At(x, y), original.At(x / 2, y / 2));
}

TEST(StretchBltTest, ClipsToBothRastersAndLeavesTheRestAlone) {
  const Raster src = Numbered(4, 4);
  Raster dst(6, 6, kWhite);
  // Destination block from (-2, 3), 8 x 8, doubling source (1, 1) .. (4, 4); the source ends at
  // column and row 3, so destination pixels that would take column or row 4 stay white.
  StretchBlt(dst, -2, 3, 8, 8, src, 1, 1, 4, 4, Rop::kSrcCopy);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const int ox = (x + 2) / 2 + 1;
      const int oy = (y - 3) / 2 + 1;
      const bool inside = y >= 3 && ox <= 3;
      ASSERT_EQ(dst.At(x, y), inside ? src.At(ox, oy) : kWhite) << x << "," << y;
    }
  }
  // Nothing at all when the blocks miss.
  Raster untouched(4, 4, kWhite);
  StretchBlt(untouched, 4, 0, 4, 4, src, 0, 0, 4, 4, Rop::kSrcCopy);
  StretchBlt(untouched, 0, 0, 4, 4, src, -9, 0, 4, 4, Rop::kSrcCopy);
  StretchBlt(untouched, 0, 0, 0, 4, src, 0, 0, 4, 4, Rop::kSrcCopy);
  EXPECT_EQ(untouched, Raster(4, 4, kWhite));
}

TEST(StretchBltTest, AndAndXorCombineWithTheDestination) {
  // The editor's view: a mask ANDed, then an image XORed, both enlarged.
  const Legend legend = {{'.', kWhite}, {'#', kBlack}, {'r', 0x0000FF}};
  const Raster mask = testing::RasterFromPicture({".#", "#."}, legend);
  const Raster image = testing::RasterFromPicture({"#r", "r#"}, legend);
  Raster view(4, 4, kWhite);
  StretchBlt(view, 0, 0, 4, 4, mask, 0, 0, 2, 2, Rop::kSrcAnd);
  StretchBlt(view, 0, 0, 4, 4, image, 0, 0, 2, 2, Rop::kSrcInvert);
  EXPECT_PICTURE(view, 0, 0, legend,
                 "..rr\n"
                 "..rr\n"
                 "rr..\n"
                 "rr..\n");
  StretchBlt(view, 0, 0, 4, 4, mask, 0, 0, 2, 2, Rop::kSrcInvert);
  EXPECT_PICTURE(view, 0, 0, legend,
                 "##rr\n"
                 "##rr\n"
                 "rr##\n"
                 "rr##\n");
}

TEST(StretchBltTest, AMonoDestinationKeepsOnlyPureWhite) {
  const Legend legend = {{'.', kWhite}, {'#', kBlack}, {'r', 0x0000FF}, {'w', 0xFEFFFF}};
  const Raster src = testing::RasterFromPicture({".r", "w#"}, legend);
  Raster dst(4, 2, kBlack, Raster::Depth::kMono);
  StretchBlt(dst, 0, 0, 4, 2, src, 0, 0, 2, 2, Rop::kSrcCopy);
  EXPECT_PICTURE(dst, 0, 0, legend,
                 "..##\n"
                 "####\n");
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

// The one-pass icon composition must give exactly what the two stretched transfers give, for
// enlarging, shrinking, mirrored and clipped blocks.
TEST(StretchComposeIconTest, MatchesTheMaskAndThenTheImageTransfer) {
  std::mt19937 random(7);
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (random() % 3 != 0) {
        mask.SetPixel(x, y, kBlack);
        image.SetPixel(x, y, random() & kColourMask);
      }
  struct Block {
    int x, y, w, h;
  };
  for (const Block b : {Block{0, 0, 320, 320}, Block{5, -7, 64, 40}, Block{40, 3, -17, 9},
                        Block{-3, 2, 11, 5}, Block{0, 0, 32, 32}}) {
    Raster background(100, 330, kBlack);
    for (int y = 0; y < background.height(); ++y)
      for (int x = 0; x < background.width(); ++x)
        background.SetPixel(x, y, static_cast<Colour>(x * 2654435761u + y) & kColourMask);
    Raster two_pass = background;
    StretchBlt(two_pass, b.x, b.y, b.w, b.h, mask, 0, 0, 32, 32, Rop::kSrcAnd);
    StretchBlt(two_pass, b.x, b.y, b.w, b.h, image, 0, 0, 32, 32, Rop::kSrcInvert);
    Raster one_pass = background;
    StretchComposeIcon(one_pass, b.x, b.y, b.w, b.h, mask, image);
    EXPECT_EQ(one_pass, two_pass) << b.x << "," << b.y << " " << b.w << "x" << b.h;
  }
}

}  // namespace
}  // namespace pelorin
