#include "platform/qt/DialogFormView.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/qt/DialogBarStyle.h"
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

// A bar whose Min lies above its Max runs the other way on screen: Qt's ranges always grow
// towards the bottom (or right), so such a bar is shown negated.
bool Reversed(const ScrollBarState& state) { return state.Min > state.Max; }

}  // namespace

DialogFormView::DialogFormView(ModalDialog& core, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      core_(core) {
  setWindowTitle(FromUtf8(core_.Caption()));
  setFixedSize(core_.ClientWidth(), core_.ClientHeight());
  setAttribute(Qt::WA_OpaquePaintEvent);
  core_.Form.SetRefreshHandler([this](Rect changed) { update(ToQRect(changed)); });
  move(core_.Left(), core_.Top());
  core_.Form_Paint();
}

DialogFormView::~DialogFormView() { core_.Form.SetRefreshHandler(nullptr); }

QPushButton* DialogFormView::AddButton(const char* name, const std::string& caption,
                                       ControlPlace place, std::function<void()> click) {
  auto* button = new QPushButton(FromUtf8(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  PlaceWidget(button, place);
  connect(button, &QPushButton::clicked, this,
          [this, click = std::move(click)] { Forward(click); });
  return button;
}

QLabel* DialogFormView::AddLabel(const char* name, ControlPlace place, const std::string& text) {
  auto* label = new QLabel(FromUtf8(text), this);
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
  auto* bar = new QScrollBar(orientation, this);
  bar->setObjectName(QString::fromLatin1(name));
  PlaceWidget(bar, place);
  bar->setStyle(DialogBarStyle::Instance());
  const bool reversed = Reversed(state);
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
  return new SurfaceView(ShownSurface{&surface, {place.left, place.top}}, parent ? parent : this);
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
  if (!core_.FocusRequest.empty()) {
    if (auto* target = findChild<QWidget*>(FromUtf8(core_.FocusRequest))) target->setFocus();
    core_.FocusRequest.clear();
  }
}

void DialogFormView::paintEvent(QPaintEvent* event) {
  CopyToQImage(core_.Form.raster(), shown_);
  QPainter painter(this);
  painter.drawImage(event->rect(), shown_, event->rect());
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics metrics(font());
  for (const PrintedText& text : core_.Printed)
    painter.drawText(text.x, text.y + metrics.ascent(), FromUtf8(text.text));
}

}  // namespace pelorin
