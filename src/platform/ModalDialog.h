// What the program's modal dialogs share: a caption, a fixed client area painted by the dialog
// itself, a place on the screen, and the tag through which the dialog reports how it was left.
//
// A dialog is made fresh for one use: the command creates it, calls its Form_Load, asks the
// platform to show it modally and reads its outcome once the platform returns. OK and Cancel
// only hide the dialog and set its tag to "Ok" or "Cancelled"; closing it any other way (the
// close box) leaves the tag empty, which every caller treats like Cancel.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Geometry.h"
#include "platform/Platform.h"
#include "raster/Surface.h"

namespace pelorin {

inline constexpr std::string_view kTagOk = "Ok";
inline constexpr std::string_view kTagCancelled = "Cancelled";

// Where a control stands in a dialog's client area, and its size.
struct ControlPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A text printed on a client area: the view draws it with the dialog's font and text colour,
// the top of the text at (x, y).
struct PrintedText {
  int x = 0;
  int y = 0;
  std::string text;
};

// A scroll bar as the dialogs' handlers see it. Min may be greater than Max: the value then
// grows towards the top (or left) end, so the up arrow raises it.
struct ScrollBarState {
  int Value = 0;
  int Min = 0;
  int Max = 0;
  int SmallChange = 1;
  int LargeChange = 1;
  bool Enabled = true;

  // `value` limited to the bar's range.
  int Limit(int value) const {
    const int low = Min < Max ? Min : Max;
    const int high = Min < Max ? Max : Min;
    return value < low ? low : (value > high ? high : value);
  }
};

class ModalDialog {
 public:
  ModalDialog(Platform& platform, int client_width, int client_height)
      : Form("Form", client_width, client_height, platform.SysColor(SysColour::kButtonFace)),
        platform_(platform) {
    Form.BackColor = platform.SysColor(SysColour::kButtonFace);
  }
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

  // Draws the client area into Form and fills Printed; the view calls it on every repaint.
  virtual void Form_Paint() {}

  // The client area as the dialog paints it under its controls, and the texts printed on it.
  Surface Form;
  std::vector<PrintedText> Printed;
  // "Ok", "Cancelled", or empty while the dialog is open and after the close box.
  std::string Tag;

  // The title, set by Form_Load.
  const std::string& Caption() const { return caption_; }
  int ClientWidth() const { return Form.width(); }
  int ClientHeight() const { return Form.height(); }
  // The dialog's place on the screen, worked out by Form_Load.
  int Left() const { return left_; }
  int Top() const { return top_; }
  // True once OK or Cancel has hidden the dialog.
  bool Hidden() const { return hidden_; }
  bool Ok() const { return Tag == kTagOk; }

  // The control that should have the keyboard focus now, when the dialog moves it; the view
  // moves the focus there and clears this.
  std::string FocusRequest;

 protected:
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // Places the dialog by the centring rule on the platform's screen.
  void PlaceOnScreen() {
    const Position place = CentredOnScreen(platform_.ScreenWidth(), platform_.ScreenHeight(),
                                           ClientWidth(), ClientHeight());
    left_ = place.left;
    top_ = place.top;
  }
  void HideWithTag(std::string_view tag) {
    Tag = std::string(tag);
    hidden_ = true;
  }
  Colour SysColor(SysColour which) const { return platform_.SysColor(which); }

  Platform& platform_;

 private:
  std::string caption_;
  int left_ = 0;
  int top_ = 0;
  bool hidden_ = false;
};

}  // namespace pelorin
