#include "platform/qt/DialogFormView.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/qt/DialogBarStyle.h"
#include "platform/qt/DialogWidth.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/SurfaceView.h"

namespace pelorin {

namespace {

QString FromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void PlaceWidget(QWidget* w, ControlPlace place) {
  w->setGeometry(place.left, place.top, place.width, place.height);
}

QColor FromColour(Colour c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

// A bar whose Min lies above its Max runs the other way on screen: Qt's ranges always grow
// towards the bottom (or right), so such a bar is shown negated.
bool Reversed(const ScrollBarState& state) { return state.Min > state.Max; }

}  // namespace

DialogFormView::DialogFormView(ModalDialog& core, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      core_(core),
      content_(new QWidget(this)) {
  setWindowTitle(FromUtf8(core_.Caption()));
  setAttribute(Qt::WA_OpaquePaintEvent);
  core_.Form_Paint();
  // A printed line keeps at least the client area's margin of 8 pixels to the right border.
  const QFontMetrics metrics(font());
  int least_width = 0;
  for (const PrintedText& text : core_.Printed) {
    const int right = text.x + metrics.horizontalAdvance(FromUtf8(text.text)) + 8;
    least_width = std::max(least_width, 2 * right - core_.ClientWidth());
  }
  offset_ = FitWidth(*this, *content_, core_.ClientWidth(), core_.ClientHeight(), least_width);
  core_.Form.SetRefreshHandler(
      [this](Rect changed) { update(ToQRect(changed).translated(offset_, 0)); });
  move(core_.Left(), core_.Top());
}

DialogFormView::~DialogFormView() { core_.Form.SetRefreshHandler(nullptr); }

QPushButton* DialogFormView::AddButton(const char* name, const std::string& caption,
                                       ControlPlace place, std::function<void()> click) {
  auto* button = new QPushButton(FromUtf8(caption), content_);
  button->setObjectName(QString::fromLatin1(name));
  PlaceWidget(button, place);
  if (core_.DefaultButton == name) button->setDefault(true);
  connect(button, &QPushButton::clicked, this,
          [this, click = std::move(click)] { Forward(click); });
  return button;
}

QLabel* DialogFormView::AddLabel(const char* name, ControlPlace place, const std::string& text) {
  auto* label = new QLabel(FromUtf8(text), content_);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceWidget(label, place);
  labels_.push_back({label, &text});
  return label;
}

QScrollBar* DialogFormView::AddScrollBar(const char* name, Qt::Orientation orientation,
                                         ControlPlace place, const ScrollBarState& state,
                                         bool tab_stop, std::function<void(int)> change) {
  const bool reversed = Reversed(state);
  auto* bar =
      new DialogScrollBar(orientation, content_, [&state, reversed](int at_press, int pixels) {
        const int value = state.Dragged(reversed ? -at_press : at_press, pixels);
        return reversed ? -value : value;
      });
  bar->setObjectName(QString::fromLatin1(name));
  bar->SetNegated(reversed);
  PlaceWidget(bar, place);
  bar->setRange(reversed ? -state.Min : state.Min, reversed ? -state.Max : state.Max);
  bar->setSingleStep(state.SmallChange);
  bar->setPageStep(state.LargeChange);
  bar->setValue(reversed ? -state.Value : state.Value);
  bar->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
  connect(bar, &QScrollBar::valueChanged, this,
          [this, reversed, change = std::move(change)](int value) {
            Forward([&] { change(reversed ? -value : value); });
          });
  bars_.push_back({bar, &state});
  return bar;
}

SurfaceView* DialogFormView::AddSurface(Surface& surface, ControlPlace place, QWidget* parent) {
  return new SurfaceView(ShownSurface{&surface, {place.left, place.top}},
                         parent ? parent : content_);
}

void DialogFormView::Forward(const std::function<void()>& handler) {
  handler();
  FollowCore();
}

void DialogFormView::FollowCore() {
  if (core_.Hidden()) {
    done(QDialog::Accepted);
    return;
  }
  // The client area follows what the handler changed; a paint only shows it.
  core_.Form_Paint();
  update();
  for (const LabelBinding& b : labels_) b.label->setText(FromUtf8(*b.text));
  for (const BarBinding& b : bars_) {
    const int value = Reversed(*b.state) ? -b.state->Value : b.state->Value;
    if (b.bar->value() == value) continue;
    const QSignalBlocker block(b.bar);
    b.bar->setValue(value);
  }
  FollowFocusRequest();
}

void DialogFormView::FollowFocusRequest() {
  if (core_.FocusRequest.empty()) return;
  if (auto* target = findChild<QWidget*>(FromUtf8(core_.FocusRequest))) target->setFocus();
  core_.FocusRequest.clear();
}

void DialogFormView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The control the dialog opens with.
  FollowFocusRequest();
}

void DialogFormView::paintEvent(QPaintEvent* event) {
  CopyToQImage(core_.Form.raster(), shown_);
  QPainter painter(this);
  // The room a widened dialog has beside its client area, in the client area's colour.
  if (offset_ > 0 || width() > core_.ClientWidth())
    painter.fillRect(rect(), FromColour(core_.Form.BackColor));
  const QRect client = event->rect().translated(-offset_, 0) & shown_.rect();
  painter.drawImage(client.translated(offset_, 0), shown_, client);
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics metrics(font());
  for (const PrintedText& text : core_.Printed)
    painter.drawText(offset_ + text.x, text.y + metrics.ascent(), FromUtf8(text.text));
}

}  // namespace pelorin
