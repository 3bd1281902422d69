// The one path of whole-picture commands: the change, the views, the history.
#include <gtest/gtest.h>

#include "commands/PictureChanges.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

TEST(PictureChanges, AChangeIsShownRecordedAsOneStepAndEndsTheRedoHistory) {
  testing::LoadedForm f;
  f.ClickCanvas(1, 15, 15);
  f.ClickCanvas(1, 25, 15);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);  // undo: one redo step waits
  ASSERT_TRUE(f.form.undo().Steps().CanRedo());
  f.form.doc().MarkUnmodified();
  const std::size_t steps = f.form.undo().Steps().UndoCount();

  f.form.changes().Apply(SelectionFirst::kCommit, [](Raster& mask, Raster& image) {
    mask.SetPixel(31, 31, kBlack);
    image.SetPixel(31, 31, 0x0000FF);
  });

  EXPECT_EQ(f.Image(31, 31), 0x0000FFu);
  EXPECT_EQ(f.Preview(31, 31), 0x0000FFu) << "the preview shows the change";
  EXPECT_EQ(f.Canvas(315, 315), 0x0000FFu) << "and so does the canvas";
  EXPECT_EQ(f.Canvas(320, 315), kBlack) << "under its grid";
  EXPECT_TRUE(f.form.doc().Modified());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 1);
  EXPECT_FALSE(f.form.undo().Steps().CanRedo());
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Mask(31, 31), kWhite) << "one undo takes the whole change back";
  EXPECT_EQ(f.Mask(1, 1), kBlack);
}

}  // namespace
}  // namespace pelorin
