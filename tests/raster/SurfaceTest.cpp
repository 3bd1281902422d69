// The picture-control methods of a surface: which pen, brush and mode each of them uses.
#include <gtest/gtest.h>

#include "raster/Surface.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
const Legend kLegend = {
    {'.', kWhite}, {'r', kRed}, {'b', kBlue}, {'k', kBlack}, {'i', ~kRed& kColourMask}};

TEST(Surface, LineKindsUseThePenOrTheGivenColour) {
  Surface s("s", 6, 4, kWhite);
  s.ForeColor = kRed;
  s.Line(0, 0, 4, 0, LineKind::kLine);        // pen colour, last point left out
  s.Line(0, 1, 2, 3, LineKind::kBox, kBlue);  // outline, both corners
  s.Line(4, 2, 5, 3, LineKind::kFilledBox);   // whole box in the pen colour
  EXPECT_PICTURE(s.raster(), 0, 0, kLegend,
                 "rrrr..\n"
                 "bbb...\n"
                 "b.b.rr\n"
                 "bbb.rr\n");
}

TEST(Surface, ABoxOutlineIsFilledByASolidBrushOnly) {
  Surface s("s", 5, 5, kWhite);
  s.ForeColor = kBlack;
  s.FillColor = kRed;
  s.Line(0, 0, 4, 4, LineKind::kBox);
  EXPECT_EQ(s.raster().At(2, 2), kWhite) << "the brush is transparent by default";
  s.fillStyle = FillStyle::kSolid;
  s.Line(0, 0, 4, 4, LineKind::kBox);
  EXPECT_PICTURE(s.raster(), 0, 0, kLegend,
                 "kkkkk\n"
                 "krrrk\n"
                 "krrrk\n"
                 "krrrk\n"
                 "kkkkk\n");
}

TEST(Surface, InvertModeMakesAFigureDrawnTwiceVanish) {
  Surface s("s", 12, 12, kWhite);
  s.raster().FillRect({3, 3, 8, 8}, kRed);
  const Raster before = s.raster();
  s.drawMode = DrawMode::kInvert;
  for (DrawStyle style : {DrawStyle::kSolid, DrawStyle::kDot}) {
    s.drawStyle = style;
    for (int pass = 0; pass < 2; ++pass) {
      s.Line(1, 1, 10, 7, LineKind::kLine);
      s.Line(2, 2, 9, 9, LineKind::kBox);
      s.Ellipse(0, 0, 11, 9);
      s.PSet(5, 5);
    }
    EXPECT_EQ(s.raster(), before);
  }
  s.PSet(5, 5);
  EXPECT_EQ(s.raster().At(5, 5), ~kRed & kColourMask) << "only the 24 colour bits invert";
}

TEST(Surface, EllipseUsesTheBrushOnlyWhenSolid) {
  Surface s("s", 5, 5, kWhite);
  s.ForeColor = kBlack;
  s.FillColor = kRed;
  s.Ellipse(0, 0, 5, 5);
  EXPECT_EQ(s.raster().At(2, 2), kWhite);
  s.fillStyle = FillStyle::kSolid;
  s.Ellipse(0, 0, 5, 5);
  EXPECT_EQ(s.raster().At(2, 2), kRed);
  EXPECT_EQ(s.raster().At(0, 2), kBlack);
}

TEST(Surface, FloodFillPaintsWithTheBrushColour) {
  Surface s("s", 4, 1, kWhite);
  s.raster().SetPixel(2, 0, kBlack);
  s.FillColor = kBlue;
  EXPECT_TRUE(s.ExtFloodFill(0, 0, kWhite));
  EXPECT_PICTURE(s.raster(), 0, 0, kLegend, "bbk.");
  EXPECT_FALSE(s.ExtFloodFill(0, 0, kWhite)) << "the start no longer holds the colour";
}

TEST(Surface, ClsAndResizeUseTheBackgroundColour) {
  Surface s("s", 3, 3, kBlue);
  s.PSet(1, 1, kRed);
  s.Cls();
  EXPECT_EQ(s.raster(), Raster(3, 3, kBlue));
  s.Resize(64, 32);
  EXPECT_EQ(s.raster(), Raster(64, 32, kBlue));
}

TEST(Surface, AMonoSurfaceKeepsOnlyBlackAndWhite) {
  Surface s("mask", 4, 1, kWhite, Raster::Depth::kMono);
  s.PSet(0, 0, kRed);
  s.PSet(1, 0, 0xFEFEFE);
  s.PSet(2, 0, kWhite);
  EXPECT_PICTURE(s.raster(), 0, 0, kLegend, "kk..");
  Raster colour(4, 1, kRed);
  colour.SetPixel(3, 0, kWhite);
  BitBlt(s.raster(), 0, 0, 4, 1, colour, 0, 0, Rop::kSrcCopy);
  EXPECT_PICTURE(s.raster(), 0, 0, kLegend, "kkk.");
  // And back: a colour raster takes black and white from it.
  Raster back(4, 1, kBlue);
  BitBlt(back, 0, 0, 4, 1, s.raster(), 0, 0, Rop::kSrcCopy);
  EXPECT_PICTURE(back, 0, 0, kLegend, "kkk.");
}

}  // namespace
}  // namespace pelorin
