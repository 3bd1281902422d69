#include "platform/qt/DialogBarStyle.h"

#include <qdrawutil.h>

#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <algorithm>
#include <utility>

namespace pelorin {

namespace {

// Where the parts of a bar lie; a part the bar does not have is an empty rectangle.
struct BarLayout {
  QRect sub_line;  // the up or left button
  QRect add_line;  // the down or right button
  QRect groove;
  QRect sub_page;  // the trough before the thumb
  QRect slider;
  QRect add_page;  // the trough after the thumb
  bool spin = false;
};

bool Horizontal(const QStyleOptionSlider& bar) { return bar.orientation == Qt::Horizontal; }

// `button` is the length of the base style's arrow buttons along the bar.
BarLayout LayOut(const QStyleOptionSlider& bar, int button) {
  const QRect& r = bar.rect;
  const int length = Horizontal(bar) ? r.width() : r.height();
  const auto span = [&](int start, int size) {
    size = std::max(size, 0);
    return Horizontal(bar) ? QRect(r.left() + start, r.top(), size, r.height())
                           : QRect(r.left(), r.top() + start, r.width(), size);
  };
  BarLayout l;
  const int trough = length - 2 * button;
  const int thumb = button;
  if (trough < thumb) {
    // No room for a thumb: the two buttons share the bar.
    const int half = length / 2;
    l.sub_line = span(0, half);
    l.add_line = span(half, length - half);
    l.spin = true;
    return l;
  }
  const int at =
      button + QStyle::sliderPositionFromValue(bar.minimum, bar.maximum, bar.sliderPosition,
                                               trough - thumb, bar.upsideDown);
  l.sub_line = span(0, button);
  l.add_line = span(length - button, button);
  l.groove = span(button, trough);
  l.sub_page = span(button, at - button);
  l.slider = span(at, thumb);
  l.add_page = span(at + thumb, length - button - (at + thumb));
  return l;
}

// A solid arrow of `rows` rows (1, 3, 5, ... pixels wide) centred in `r`, pointing `type`.
void DrawArrow(QPainter& painter, const QRect& r, Qt::ArrowType type, int rows,
               const QColor& colour) {
  const bool vertical = type == Qt::UpArrow || type == Qt::DownArrow;
  const int tip_first = type == Qt::UpArrow || type == Qt::LeftArrow;
  // Rows run across the arrow's direction, from its first edge in that direction.
  const int first =
      vertical ? r.top() + (r.height() - rows) / 2 : r.left() + (r.width() - rows) / 2;
  const int centre = vertical ? r.left() + (r.width() - 1) / 2 : r.top() + (r.height() - 1) / 2;
  for (int i = 0; i < rows; ++i) {
    const int half = tip_first ? i : rows - 1 - i;
    const QRect row = vertical ? QRect(centre - half, first + i, 2 * half + 1, 1)
                               : QRect(first + i, centre - half, 1, 2 * half + 1);
    painter.fillRect(row, colour);
  }
}

// The bar laid out with the base style's arrow buttons.
BarLayout LayOut(const QProxyStyle& style, const QStyleOptionSlider& bar, const QWidget* widget) {
  const QRect button = style.QProxyStyle::subControlRect(QStyle::CC_ScrollBar, &bar,
                                                         QStyle::SC_ScrollBarSubLine, widget);
  return LayOut(bar, Horizontal(bar) ? button.width() : button.height());
}

}  // namespace

DialogBarStyle* DialogBarStyle::Instance() {
  static QPointer<DialogBarStyle> style;
  if (style.isNull()) {
    style = new DialogBarStyle;
    style->setParent(QCoreApplication::instance());
  }
  return style;
}

DialogBarStyle::DialogBarStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

QRect DialogBarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl sub, const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control != CC_ScrollBar || bar == nullptr)
    return QProxyStyle::subControlRect(control, option, sub, widget);
  const BarLayout l = LayOut(*this, *bar, widget);
  QRect part;
  switch (sub) {
    case SC_ScrollBarSubLine:
      part = l.sub_line;
      break;
    case SC_ScrollBarAddLine:
      part = l.add_line;
      break;
    case SC_ScrollBarGroove:
      part = l.groove;
      break;
    case SC_ScrollBarSubPage:
      part = l.sub_page;
      break;
    case SC_ScrollBarSlider:
      part = l.slider;
      break;
    case SC_ScrollBarAddPage:
      part = l.add_page;
      break;
    default:
      return QRect();
  }
  return visualRect(bar->direction, bar->rect, part);
}

void DialogBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control != CC_ScrollBar || bar == nullptr || !LayOut(*this, *bar, widget).spin) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  const bool horizontal = Horizontal(*bar);
  const bool mirrored = horizontal && bar->direction == Qt::RightToLeft;
  struct Button {
    SubControl sub;
    Qt::ArrowType arrow;
    QRect rect;
  };
  const Button buttons[] = {
      {SC_ScrollBarSubLine,
       horizontal ? (mirrored ? Qt::RightArrow : Qt::LeftArrow) : Qt::UpArrow,
       {}},
      {SC_ScrollBarAddLine,
       horizontal ? (mirrored ? Qt::LeftArrow : Qt::RightArrow) : Qt::DownArrow,
       {}},
  };
  // One arrow size for both buttons, with a pixel's room inside the one-pixel bevel.
  int rows = 1 << 16;
  for (const Button& b : buttons) {
    const QRect r = subControlRect(control, option, b.sub, widget);
    const int across = horizontal ? r.height() : r.width();
    const int along = horizontal ? r.width() : r.height();
    rows = std::min({rows, along - 3, (across - 3) / 2});
  }
  rows = std::max(rows, 1);
  const QColor arrow_colour = bar->palette.color(
      bar->state & State_Enabled ? QPalette::Normal : QPalette::Disabled, QPalette::ButtonText);

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  for (const Button& b : buttons) {
    const QRect r = subControlRect(control, option, b.sub, widget);
    const bool down = (bar->activeSubControls & b.sub) && (bar->state & State_Sunken);
    const QBrush face = bar->palette.brush(QPalette::Button);
    qDrawShadePanel(painter, r, bar->palette, down, 1, &face);
    DrawArrow(*painter, down ? r.translated(1, 1) : r, b.arrow, rows, arrow_colour);
  }
  painter->restore();
}

namespace {

// A negated bar as a screen reader reads it: its dialog's value and range.
class NegatedBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit NegatedBarAccessible(DialogScrollBar* bar)
      : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(-Bar()->value());
    return QAccessibleWidget::text(t);
  }
  QVariant currentValue() const override { return -Bar()->value(); }
  void setCurrentValue(const QVariant& value) override { Bar()->setValue(-value.toInt()); }
  QVariant maximumValue() const override { return -Bar()->minimum(); }
  QVariant minimumValue() const override { return -Bar()->maximum(); }
  QVariant minimumStepSize() const override { return Bar()->singleStep(); }

 private:
  QScrollBar* Bar() const { return static_cast<QScrollBar*>(widget()); }
};

QAccessibleInterface* NegatedBarFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String("pelorin::DialogScrollBar")) return nullptr;
  auto* bar = qobject_cast<DialogScrollBar*>(object);
  return bar != nullptr && bar->Negated() ? new NegatedBarAccessible(bar) : nullptr;
}

}  // namespace

DialogScrollBar::DialogScrollBar(Qt::Orientation orientation, QWidget* parent, DragRule dragged)
    : QScrollBar(orientation, parent), dragged_(std::move(dragged)) {
  setStyle(DialogBarStyle::Instance());
  static const bool factory = [] {
    QAccessible::installFactory(&NegatedBarFactory);
    return true;
  }();
  (void)factory;
}

void DialogScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

int DialogScrollBar::Along(const QMouseEvent& event) const {
  const QPoint at = event.position().toPoint();
  if (orientation() == Qt::Vertical) return at.y();
  return layoutDirection() == Qt::RightToLeft ? -at.x() : at.x();
}

void DialogScrollBar::mousePressEvent(QMouseEvent* event) {
  // Qt decides what the press hit (and may jump the thumb there first); a press on the thumb
  // leaves it down.
  QScrollBar::mousePressEvent(event);
  dragging_ = isSliderDown();
  press_at_ = Along(*event);
  value_at_press_ = sliderPosition();
}

void DialogScrollBar::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !isSliderDown()) {
    QScrollBar::mouseMoveEvent(event);
    return;
  }
  setSliderPosition(dragged_(value_at_press_, Along(*event) - press_at_));
}

void DialogScrollBar::mouseReleaseEvent(QMouseEvent* event) {
  QScrollBar::mouseReleaseEvent(event);
  if (!isSliderDown()) dragging_ = false;
}

}  // namespace pelorin
