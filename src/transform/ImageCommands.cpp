#include "transform/ImageCommands.h"

#include "transform/ButtonEffect.h"
#include "transform/Flip.h"
#include "transform/FrmShades.h"
#include "transform/FrmSnap.h"
#include "transform/Gradient.h"
#include "transform/Mirror.h"

namespace pelorin {

void ImageCommands::ButtonEffect() {
  changes_.Apply(SelectionFirst::kCommit, pelorin::ButtonEffect);
}

void ImageCommands::ScreenCapture() {
  host_.Hide();
  selection_.Commit();
  platform_.DoEvents();
  Raster mask = doc_.PicMask.raster();
  Raster image = doc_.PicImage.raster();
  const CaptureOutcome outcome = CaptureScreenBlock(platform_, mask, image);
  host_.Show();
  switch (outcome) {
    case CaptureOutcome::kTaken:
      changes_.Apply(SelectionFirst::kLeave, [&](Raster& m, Raster& i) {
        m = mask;
        i = image;
      });
      break;
    case CaptureOutcome::kNoScreenImage:
      // The picture is as it was; the user is told once the window is back.
      ReportNoScreenImage(platform_);
      break;
    case CaptureOutcome::kCancelled:
      break;
  }
}

void ImageCommands::BackgroundGradient() {
  const std::optional<Raster> preview = AskBackgroundGradient(platform_);
  if (!preview) return;
  changes_.Apply(SelectionFirst::kCommit,
                 [&](Raster& mask, Raster& image) { FillBackground(mask, image, *preview); });
}

void ImageCommands::Flip(int index) {
  changes_.ApplyToSelectionOrPicture(index == 4 ? FlipHorizontal : FlipVertical);
}

void ImageCommands::Rotate(int index) {
  const auto turn = index == 7 ? RotateAnticlockwise : RotateClockwise;
  if (!selection_.Exists()) {
    changes_.Apply(SelectionFirst::kLeave, turn);
    return;
  }
  if (selection_.IsMarquee()) selection_.LiftSelection();
  selection_.EraseMarquee();
  turn(doc_.PicSelMask.raster(), doc_.PicSelImage.raster());
  selection_.SetBounds(RotatedSelectionRect(selection_.Bounds()));
  selection_.ShowFloatingSelection();
}

void ImageCommands::MnuMirrorOpts_Click(int index) {
  changes_.ApplyToSelectionOrPicture(
      [index](Raster& mask, Raster& image) { MirrorHalves(mask, image, index); });
}

bool ImageCommands::MirrorEnabled(int index) const {
  return MirrorItemsEnabled(selection_.Exists(), selection_.Width(), selection_.Height())[index];
}

}  // namespace pelorin
