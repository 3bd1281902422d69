// The colour tables of the colour adjustment: loading, steps with their memory, reset, writing.
#include <gtest/gtest.h>

#include "colour/ColourTables.h"

namespace pelorin {
namespace {

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

// A picture with pixel 0 = (100, 150, 200), pixel 1 white, pixel 2 = (3, 253, 0) and pixel 3
// transparent with a colour in its image; the rest opaque black.
struct Tables {
  Tables() : mask(32, 32, kBlack), image(32, 32, kBlack) {
    image.SetPixel(0, 0, Rgb(100, 150, 200));
    image.SetPixel(1, 0, kWhite);
    image.SetPixel(2, 0, Rgb(3, 253, 0));
    mask.SetPixel(3, 0, kWhite);
    image.SetPixel(3, 0, Rgb(1, 1, 1));
    tables.Load(mask, image);
  }
  Raster mask;
  Raster image;
  ColourTables tables;
};

TEST(ColourTables, LoadSplitsColoursAndMarksTransparentPixels) {
  Tables t;
  EXPECT_EQ(t.tables.start[0], (ColourEntry{100, 150, 200}));
  EXPECT_EQ(t.tables.working[0], t.tables.start[0]);
  EXPECT_EQ(t.tables.result[2], (ColourEntry{3, 253, 0}));
  EXPECT_EQ(t.tables.start[3], (ColourEntry{1000, 1000, 1000}));
  EXPECT_FALSE(t.tables.Opaque(3));
  EXPECT_TRUE(t.tables.Opaque(4));
  // Any mask value other than black is transparent; entry 32 is pixel (0, 1).
  t.mask.SetPixel(0, 1, 0x010101);
  t.tables.Load(t.mask, t.image);
  EXPECT_FALSE(t.tables.Opaque(32));
}

TEST(ColourTables, StepsMoveTheGovernedChannels) {
  Tables t;
  t.tables.Step(Channels::kBrightness, 5);
  EXPECT_EQ(t.tables.ResultColour(0), Rgb(105, 155, 205));
  t.tables.Step(Channels::kRed, 5);
  EXPECT_EQ(t.tables.ResultColour(0), Rgb(110, 155, 205));
  t.tables.Step(Channels::kBlue, -5);
  t.tables.Step(Channels::kGreen, 5);
  EXPECT_EQ(t.tables.ResultColour(0), Rgb(110, 160, 200));
  EXPECT_EQ(t.tables.working[3], (ColourEntry{1000, 1000, 1000}));
}

TEST(ColourTables, AComponentStopsAtItsLastInRangeValueAndFollowsAgain) {
  Tables t;
  // White stays white going up; one step down from there is white again.
  t.tables.Step(Channels::kBrightness, 5);
  EXPECT_EQ(t.tables.ResultColour(1), kWhite);
  t.tables.Step(Channels::kBrightness, -5);
  EXPECT_EQ(t.tables.ResultColour(1), kWhite);
  t.tables.Step(Channels::kBrightness, -5);
  EXPECT_EQ(t.tables.ResultColour(1), Rgb(250, 250, 250));

  // Red 3 stays 3 going down and follows once the working value is back at 3.
  Tables u;
  u.tables.Step(Channels::kRed, -5);
  EXPECT_EQ(u.tables.result[2].red, 3);
  EXPECT_EQ(u.tables.working[2].red, -2);
  u.tables.Step(Channels::kRed, -5);
  u.tables.Step(Channels::kRed, 5);
  EXPECT_EQ(u.tables.result[2].red, 3);
  u.tables.Step(Channels::kRed, 5);
  u.tables.Step(Channels::kRed, 5);
  EXPECT_EQ(u.tables.result[2].red, 8);
  // Green 253: up stays 253, down is 253, down again 248.
  u.tables.Step(Channels::kGreen, 5);
  EXPECT_EQ(u.tables.result[2].green, 253);
  u.tables.Step(Channels::kGreen, -5);
  EXPECT_EQ(u.tables.result[2].green, 253);
  u.tables.Step(Channels::kGreen, -5);
  EXPECT_EQ(u.tables.result[2].green, 248);
}

TEST(ColourTables, ResetAndWritingTheResult) {
  Tables t;
  for (int i = 0; i < 3; ++i) t.tables.Step(Channels::kBrightness, -5);
  t.tables.WriteResult(t.image);
  EXPECT_EQ(t.image.At(0, 0), Rgb(85, 135, 185));
  EXPECT_EQ(t.image.At(3, 0), Rgb(1, 1, 1));  // transparent: never written
  EXPECT_EQ(t.image.At(5, 5), kBlack);        // black stays 0 going down
  t.tables.Reset();
  EXPECT_EQ(t.tables.working, t.tables.start);
  EXPECT_EQ(t.tables.result, t.tables.start);
  EXPECT_EQ(t.tables.StartColourLimited(3), kWhite);
  EXPECT_EQ(t.tables.StartColourLimited(0), Rgb(100, 150, 200));
}

TEST(ColourTables, AnOpaquePixelDrivenFarOutOfRangeStaysOpaque) {
  // Repeated jumps of the scroll bars can drive a working value anywhere; the pixel still
  // counts as opaque, also when a working component passes the transparent marker.
  Tables t;
  for (int i = 0; i < 200; ++i) t.tables.Step(Channels::kRed, 5);
  EXPECT_EQ(t.tables.working[1].red, 1255);
  EXPECT_TRUE(t.tables.Opaque(1));
  t.tables.Step(Channels::kRed, 5);
  EXPECT_EQ(t.tables.result[0].red, 255);
}

}  // namespace
}  // namespace pelorin
