// The scroll bars of the program's small dialogs, as their designs have them.
//
// A bar long enough for a thumb gets one of fixed size, as long as its arrow buttons, wherever
// the page step lies: Qt would size the thumb from the page step against the range, and on the
// short colour bars (57 pixels, a page of 5 in 0..255) the style's least thumb length then fills
// nearly the whole trough, so that a drag of two pixels ran from 0 to 170. With the fixed thumb
// a drag moves the value in proportion across the whole range; a click in the trough still moves
// it by the page step.
//
// A bar too short for a thumb (the 16 x 13 up/down bars) is two buttons, each half of the bar,
// with arrows drawn solid in the button text colour, so that both can be seen and hit.
#pragma once

#include <QProxyStyle>

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

}  // namespace pelorin
