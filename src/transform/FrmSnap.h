// Screen capture: the screen frozen in a full-screen window, a square 32 x 32 pointer over it,
// and a release that takes the block under the pointer as the new, fully opaque picture.
//
// The whole command, as the main window runs it:
//   1. the main window hides, any selection is committed, pending events run (so the window
//      has left the screen);
//   2. CaptureScreenBlock below: the grab, the capture window, the block;
//   3. the main window shows again; after kTaken: DisplayResults, ClearRedo, RecordStep; after
//      kNoScreenImage: ReportNoScreenImage; after kCancelled: nothing.
#pragma once

#include <string_view>

#include "base/Keys.h"
#include "platform/ModalDialog.h"
#include "platform/Platform.h"
#include "raster/Picture.h"
#include "raster/Raster.h"

namespace pelorin {

inline constexpr int kSnapBlock = 32;

// What a screen reader reads of the capture window.
inline constexpr std::string_view kSnapSpokenName = "屏幕捕获";
inline constexpr std::string_view kSnapSpokenHelp =
    "方向键移动方框，Ctrl+方向键一次移动 32 象素；回车键捕获方框中的图象，Esc 取消";

inline constexpr std::string_view kNoScreenImageMessage =
    "无法读取屏幕图象，屏幕捕获未能进行。\r\n图标没有改变。";

// The capture pointer: a square outline along the edge of 32 x 32 pixels in runs of 2 black and
// 3 white starting at each corner (pixel i of an edge is black when i mod 5 < 2), transparent
// inside, hot spot at the top-left corner. It frames exactly the block a release takes.
Picture SnapPointer();

// A dialog only in how it is shown: the capture window covers the screen and places itself.
class FrmSnap : public Dialog {
 public:
  // `screen` is the frozen screen image, one pixel per screen pixel.
  FrmSnap(Platform& platform, Raster screen);

  // Reads the screen's size W x H.
  void Form_Load();
  // The pointer moves; its hot spot follows, held within (0, 0)-(W - 32, H - 32) so the block
  // below it always lies wholly on the screen. Positions are window pixels (fractions rounded,
  // halves to even).
  void Form_MouseMove(int button, int shift, double x, double y);
  // A press of a button (1 left, 2 right, 4 middle) over the window; only a button pressed here
  // can take the block.
  void Form_MouseDown(int button, int shift, double x, double y);
  // The release of a button whose press the window saw takes the block whose top-left is the
  // (held) hot spot and ends the capture. A release without its press (the end of a drag on the
  // canvas, whose button was still down when a key started the capture) changes nothing.
  void Form_MouseUp(int button, int shift, double x, double y);
  // Esc ends the capture without taking anything. For a capture without a pointer, the arrow
  // keys move the hot spot a pixel (with Ctrl a block of 32), held as a move holds it, and Enter
  // takes the block under it as a release would. Every other key is ignored.
  void Form_KeyDown(int key_code, int shift);

  const Raster& Screen() const { return screen_; }
  int ScreenWidth() const { return width_; }
  int ScreenHeight() const { return height_; }
  int HotX() const { return hot_x_; }
  int HotY() const { return hot_y_; }
  // The capture has ended (a release or Esc): the window closes.
  bool Done() const { return done_; }
  // A block was taken; it is Block().
  bool Taken() const { return taken_; }
  const Raster& Block() const { return block_; }

 private:
  void MoveHotSpot(double x, double y);
  // The block under the hot spot is taken and the capture ends.
  void TakeBlock();

  Raster screen_;
  int width_ = 0;
  int height_ = 0;
  int hot_x_ = 0;
  int hot_y_ = 0;
  // The buttons pressed over the window and not released yet.
  int pressed_ = 0;
  bool done_ = false;
  bool taken_ = false;
  Raster block_;
};

enum class CaptureOutcome {
  kTaken,          // `mask` is all black (opaque) and `image` holds the block
  kCancelled,      // Esc, or the window closed otherwise: nothing changed
  kNoScreenImage,  // no screen image could be had: nothing changed, no window was shown
};

// Grabs the screen and runs the capture window; on a release the block goes into `image` and
// `mask` becomes all black. The picture is untouched in the other outcomes. A screen image
// smaller than one block counts as no image.
CaptureOutcome CaptureScreenBlock(Platform& platform, Raster& mask, Raster& image);

// Tells the user that no screen image could be had (to be shown once the main window is back).
void ReportNoScreenImage(Platform& platform);

}  // namespace pelorin
