// Plain block transfers: operations, clipping and overlapping copies within one raster.
#include <gtest/gtest.h>

#include "raster/Blit.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;
using testing::PictureRows;
using testing::RasterFromPicture;

const Legend kLegend = {{'.', kWhite}, {'#', kBlack}, {'r', 0x0000FF}, {'c', 0xFFFF00}};

TEST(BlitTest, AndThenXorDrawsAnIconOverItsBackground) {
  // Mask white where transparent; the image black there.
  const Raster mask = RasterFromPicture(PictureRows(".##.\n"), kLegend);
  const Raster image = RasterFromPicture(PictureRows("#rr#\n"), kLegend);
  Raster r = RasterFromPicture(PictureRows("cccc\n"), kLegend);
  BitBlt(r, 0, 0, 4, 1, mask, 0, 0, Rop::kSrcAnd);
  EXPECT_PICTURE(r, 0, 0, kLegend, "c##c\n");
  BitBlt(r, 0, 0, 4, 1, image, 0, 0, Rop::kSrcInvert);
  EXPECT_PICTURE(r, 0, 0, kLegend, "crrc\n");
}

TEST(BlitTest, ClipsToBothRasters) {
  const Raster src = RasterFromPicture(PictureRows("#r\n"
                                                   "r#\n"),
                                       kLegend);
  Raster r(3, 3, kWhite);
  BitBlt(r, 2, -1, 5, 5, src, 0, 0, Rop::kSrcCopy);
  BitBlt(r, 0, 1, 5, 5, src, 1, 0, Rop::kSrcCopy);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "..r\n"
                 "r..\n"
                 "#..\n");
}

TEST(BlitTest, OverlappingCopiesWithinOneRasterReadThePreCallPicture) {
  const auto picture = PictureRows(
      "#r..\n"
      "r#..\n"
      "....\n");
  for (const int dy : {-1, 1}) {
    Raster r = RasterFromPicture(picture, kLegend);
    const int y = dy > 0 ? 0 : 1;
    BitBlt(r, 1, y + dy, 3, 2, r, 0, y, Rop::kSrcCopy);  // one pixel right and down or up
    Raster expected = RasterFromPicture(picture, kLegend);
    for (int j = 0; j < 2; ++j)
      for (int i = 0; i < 3; ++i)
        expected.SetPixel(1 + i, y + dy + j, RasterFromPicture(picture, kLegend).At(i, y + j));
    EXPECT_EQ(r, expected) << "dy " << dy;
  }
  Raster r = RasterFromPicture(picture, kLegend);
  BitBlt(r, 0, 0, 3, 2, r, 1, 0, Rop::kSrcInvert);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "rc#.\n"
                 "r.#.\n"
                 "....\n");
}

}  // namespace
}  // namespace pelorin
