#include "transform/FrmSnap.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/Text.h"
#include "raster/Blit.h"

namespace pelorin {

namespace {

int Held(double v, int high) {
  const double rounded = std::nearbyint(v);
  if (!(rounded > 0)) return 0;  // also NaN
  return rounded >= high ? high : static_cast<int>(rounded);
}

}  // namespace

Picture SnapPointer() {
  Picture p;
  p.image = Raster(kSnapBlock, kSnapBlock, kBlack);
  p.mask = Raster(kSnapBlock, kSnapBlock, kWhite);
  const auto edge = [&](int x, int y, int i) {
    p.mask.SetPixel(x, y, kBlack);
    p.image.SetPixel(x, y, i % 5 < 2 ? kBlack : kWhite);
  };
  for (int i = 0; i < kSnapBlock; ++i) {
    edge(i, 0, i);
    edge(i, kSnapBlock - 1, i);
    edge(0, i, i);
    edge(kSnapBlock - 1, i, i);
  }
  p.hot_x = 0;
  p.hot_y = 0;
  return p;
}

FrmSnap::FrmSnap(Platform& platform, Raster screen)
    : Dialog(platform), screen_(std::move(screen)) {}

void FrmSnap::Form_Load() {
  width_ = screen_.width();
  height_ = screen_.height();
}

void FrmSnap::MoveHotSpot(double x, double y) {
  hot_x_ = Held(x, std::max(width_ - kSnapBlock, 0));
  hot_y_ = Held(y, std::max(height_ - kSnapBlock, 0));
}

void FrmSnap::Form_MouseMove(int, int, double x, double y) {
  if (!done_) MoveHotSpot(x, y);
}

void FrmSnap::Form_MouseDown(int button, int, double x, double y) {
  if (done_) return;
  MoveHotSpot(x, y);
  pressed_ |= button;
}

void FrmSnap::Form_MouseUp(int button, int, double x, double y) {
  if (done_) return;
  MoveHotSpot(x, y);
  if ((pressed_ & button) == 0 || button == 0) return;
  pressed_ &= ~button;
  TakeBlock();
}

void FrmSnap::TakeBlock() {
  block_ = Raster(kSnapBlock, kSnapBlock, kBlack);
  BitBlt(block_, 0, 0, kSnapBlock, kSnapBlock, screen_, hot_x_, hot_y_, Rop::kSrcCopy);
  taken_ = true;
  done_ = true;
}

void FrmSnap::Form_KeyDown(int key_code, int shift) {
  if (done_) return;
  const int step = (shift & kCtrlDown) ? kSnapBlock : 1;
  switch (key_code) {
    case kKeyEscape:
      done_ = true;
      break;
    case kKeyReturn:
      TakeBlock();
      break;
    case kKeyLeft:
      MoveHotSpot(hot_x_ - step, hot_y_);
      break;
    case kKeyRight:
      MoveHotSpot(hot_x_ + step, hot_y_);
      break;
    case kKeyUp:
      MoveHotSpot(hot_x_, hot_y_ - step);
      break;
    case kKeyDown:
      MoveHotSpot(hot_x_, hot_y_ + step);
      break;
    default:
      break;
  }
}

CaptureOutcome CaptureScreenBlock(Platform& platform, Raster& mask, Raster& image) {
  std::optional<Raster> screen = platform.GrabScreen();
  if (!screen || screen->width() < kSnapBlock || screen->height() < kSnapBlock)
    return CaptureOutcome::kNoScreenImage;
  FrmSnap window(platform, std::move(*screen));
  window.Form_Load();
  platform.ShowDialog(window);
  if (!window.Taken()) return CaptureOutcome::kCancelled;
  mask.FillRect({0, 0, kSnapBlock, kSnapBlock}, kBlack);
  BitBlt(image, 0, 0, kSnapBlock, kSnapBlock, window.Block(), 0, 0, Rop::kSrcCopy);
  return CaptureOutcome::kTaken;
}

void ReportNoScreenImage(Platform& platform) {
  platform.MsgBox(kNoScreenImageMessage, MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
}

}  // namespace pelorin
