// What the program's modal dialogs share: a caption, a place on the screen, the tag through which
// the dialog reports how it was left, and for most of them a fixed client area painted by the
// dialog itself.
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
  int Limit(long long value) const {
    const int low = Min < Max ? Min : Max;
    const int high = Min < Max ? Max : Min;
    return value < low ? low : (value > high ? high : static_cast<int>(value));
  }

  // The value while the thumb is dragged: one small step for every pixel the pointer has moved
  // along the bar since the press (towards the bottom or right end positive), from the value the
  // bar had at the press. A bar is often far shorter than its range (57 pixels for 256 values),
  // so a drag that followed the thumb's place could reach only a few of them; this way every
  // value lies under a drag, and the pointer may travel past the bar's ends.
  int Dragged(int value_at_press, int pixels) const {
    const long long step = Min > Max ? -SmallChange : SmallChange;
    return Limit(value_at_press + step * pixels);
  }
};

// What every dialog of the program shares: its caption, its place on the screen (worked out by
// the centring rule from its size), and how it was left.
class Dialog {
 public:
  explicit Dialog(Platform& platform) : platform_(platform) {}
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog() = default;

  // The title, set by Form_Load.
  const std::string& Caption() const { return caption_; }
  // "Ok", "Cancelled", or empty while the dialog is open and after the close box.
  std::string Tag;
  // True once OK or Cancel has hidden the dialog.
  bool Hidden() const { return hidden_; }
  bool Ok() const { return Tag == kTagOk; }

  // Places a dialog of `width` x `height` by the centring rule on the platform's screen; the
  // platform moves the shown dialog there.
  void PlaceOnScreen(int width, int height) {
    const Position place =
        CentredOnScreen(platform_.ScreenWidth(), platform_.ScreenHeight(), width, height);
    left_ = place.left;
    top_ = place.top;
  }
  int Left() const { return left_; }
  int Top() const { return top_; }

 protected:
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
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

// A dialog whose client area the core paints itself: the three dialogs of the Edit, Image and
// Colour menus.
class ModalDialog : public Dialog {
 public:
  ModalDialog(Platform& platform, int client_width, int client_height)
      : Dialog(platform),
        Form("Form", client_width, client_height, platform.SysColor(SysColour::kButtonFace)) {
    Form.BackColor = platform.SysColor(SysColour::kButtonFace);
  }

  // Draws the client area into Form and fills Printed; the view calls it on every repaint.
  virtual void Form_Paint() {}

  // The client area as the dialog paints it under its controls, and the texts printed on it.
  Surface Form;
  std::vector<PrintedText> Printed;

  int ClientWidth() const { return Form.width(); }
  int ClientHeight() const { return Form.height(); }

  // The control that should have the keyboard focus now, when the dialog moves it (also the one
  // that has it when the dialog opens); the view moves the focus there and clears this.
  std::string FocusRequest;
  // The button that Enter presses, wherever the focus is (except on another button, which takes
  // Enter itself, as on every desktop). Esc is the close box: the tag stays empty, a cancel.
  std::string DefaultButton = "CmdOk";

 protected:
  // Places the dialog by the centring rule, from its client area's size.
  void PlaceOnScreen() { Dialog::PlaceOnScreen(ClientWidth(), ClientHeight()); }
};

}  // namespace pelorin
