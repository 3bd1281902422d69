// The scroll bars of the program's small dialogs, as their designs have them.
//
// A bar long enough for a thumb gets one of fixed size, as long as its arrow buttons, wherever
// the page step lies: Qt would size the thumb from the page step against the range, and on the
// short colour bars (57 pixels, a page of 5 in 0..255) the style's least thumb length then fills
// nearly the whole trough. The thumb shows where the value lies; a drag of it moves the value by
// one small step a pixel (ScrollBarState::Dragged), since the few pixels of the trough could
// never hold 256 values. A click in the trough moves it by the page step, an arrow by the small
// step.
//
// A bar too short for a thumb (the 16 x 13 up/down bars) is two buttons, each half of the bar,
// with arrows drawn solid in the button text colour, so that both can be seen and hit.
#pragma once

#include <QProxyStyle>
#include <QScrollBar>
#include <functional>

namespace pelorin {

class DialogBarStyle : public QProxyStyle {
 public:
  // The one instance the program's dialog bars share; it lives as long as the application.
  static DialogBarStyle* Instance();

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;

 private:
  DialogBarStyle();
};

// A dialog's scroll bar in that style. While its thumb is dragged (with the left button, or the
// middle one where the style lets it jump there), `dragged` gives the value for the value at the
// press and the pixels the pointer has moved along the bar since, towards the bottom or right end
// positive.
class DialogScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  using DragRule = std::function<int(int value_at_press, int pixels)>;
  DialogScrollBar(Qt::Orientation orientation, QWidget* parent, DragRule dragged);

  // The bar shows its dialog's value negated (an up/down bar, whose value grows upwards); a screen
  // reader is told the dialog's value.
  void SetNegated(bool negated) { negated_ = negated; }
  bool Negated() const { return negated_; }

 protected:
  // While the bar has the focus after a Tab, a frame in the selection colour shows it.
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int Along(const QMouseEvent& event) const;

  DragRule dragged_;
  bool negated_ = false;
  bool dragging_ = false;
  int press_at_ = 0;
  int value_at_press_ = 0;
};

}  // namespace pelorin
