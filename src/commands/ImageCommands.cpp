#include "commands/ImageCommands.h"

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
  Raster mask = doc_.PicMask().raster();
  Raster image = doc_.PicImage().raster();
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

void ImageCommands::Flip(FlipAxis axis) {
  changes_.ApplyToSelectionOrPicture(axis == FlipAxis::kHorizontal ? FlipHorizontal : FlipVertical);
}

void ImageCommands::Rotate(Turn direction) {
  const auto turn = direction == Turn::kAnticlockwise ? RotateAnticlockwise : RotateClockwise;
  if (!selection_.Exists()) {
    changes_.Apply(SelectionFirst::kLeave, turn);
    return;
  }
  selection_.Turn(turn, RotatedSelectionRect(selection_.Bounds()));
}

void ImageCommands::Mirror(MirrorItem half) {
  changes_.ApplyToSelectionOrPicture(
      [half](Raster& mask, Raster& image) { MirrorHalves(mask, image, half); });
}

bool ImageCommands::MirrorEnabled(MirrorItem half) const {
  return MirrorItemsEnabled(selection_.Exists(), selection_.Width(), selection_.Height())[half];
}

}  // namespace pelorin
