// Sizes of pasted pictures: the threshold of the sizing dialog and both of its options.
#include <gtest/gtest.h>

#include "edit/PasteSize.h"

namespace pelorin {
namespace {

TEST(PasteSize, OnlyPicturesBeyondTheIconAskHowToShrink) {
  EXPECT_FALSE(NeedsShrinking(32, 32));
  EXPECT_FALSE(NeedsShrinking(1, 1));
  EXPECT_TRUE(NeedsShrinking(33, 10));
  EXPECT_TRUE(NeedsShrinking(10, 33));
  EXPECT_EQ(SizeForPaste(16, 16, ShrinkOption::kSqueeze), (PasteSize{16, 16}));
  EXPECT_EQ(SizeForPaste(32, 5, ShrinkOption::kProportional), (PasteSize{32, 5}));
}

TEST(PasteSize, TheTwoOptionsOfAnOversizePicture) {
  EXPECT_EQ(SizeForPaste(64, 48, ShrinkOption::kSqueeze), (PasteSize{32, 32}));
  EXPECT_EQ(SizeForPaste(64, 48, ShrinkOption::kProportional), (PasteSize{32, 24}));
  EXPECT_EQ(SizeForPaste(20000, 20000, ShrinkOption::kProportional), (PasteSize{32, 32}));
}

TEST(PasteSize, ProportionalShrinkKeepsTheShapeAndNeverGoesBelowOne) {
  EXPECT_EQ(ShrinkProportionally(64, 48), (PasteSize{32, 24}));
  EXPECT_EQ(ShrinkProportionally(33, 10), (PasteSize{32, 10}));
  EXPECT_EQ(ShrinkProportionally(10, 33), (PasteSize{10, 32}));
  EXPECT_EQ(ShrinkProportionally(1000, 1), (PasteSize{32, 1}));
  EXPECT_EQ(ShrinkProportionally(1, 1000), (PasteSize{1, 32}));
  EXPECT_EQ(ShrinkProportionally(1920, 1080), (PasteSize{32, 18}));
  // At least one round is made even when nothing needs shrinking.
  EXPECT_EQ(ShrinkProportionally(32, 32), (PasteSize{32, 32}));
}

TEST(PasteSize, ProportionalShrinkRoundsInSinglePrecision) {
  // Sizes where single-precision sums stop at another round than exact arithmetic would, or
  // leave a height that rounds the other way (double precision gives 32 x 1, 32 x 31, 32 x 28).
  EXPECT_EQ(ShrinkProportionally(64, 3), (PasteSize{32, 2}));
  EXPECT_EQ(ShrinkProportionally(63, 62), (PasteSize{32, 32}));
  EXPECT_EQ(ShrinkProportionally(57, 49), (PasteSize{32, 27}));
}

}  // namespace
}  // namespace pelorin
