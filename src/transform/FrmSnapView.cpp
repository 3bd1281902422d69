#include "transform/FrmSnapView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "platform/qt/DialogViews.h"
#include "platform/qt/QtConvert.h"

namespace pelorin {

FrmSnapView::FrmSnapView(FrmSnap& core, QScreen* screen)
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      core_(core),
      screen_(ToQImage(core.Screen())),
      pointer_(ToQImageWithAlpha(SnapPointer())) {
  setObjectName(QStringLiteral("FrmSnap"));
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    setScreen(screen);
    setGeometry(screen->geometry());
  }
  setWindowState(Qt::WindowFullScreen);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(Qt::BlankCursor);
  setAccessibleName(QString::fromUtf8(kSnapSpokenName.data(), kSnapSpokenName.size()));
  setAccessibleDescription(QString::fromUtf8(kSnapSpokenHelp.data(), kSnapSpokenHelp.size()));
  // The frozen image has one pixel per device pixel; show it 1:1 on the device.
  const int logical_width = screen != nullptr ? screen->geometry().width() : screen_.width();
  scale_ = logical_width > 0 ? static_cast<double>(screen_.width()) / logical_width : 1.0;
  screen_.setDevicePixelRatio(scale_);
  pointer_.setDevicePixelRatio(scale_);
}

FrmSnapView::~FrmSnapView() {
  if (grabbed_) {
    releaseMouse();
    releaseKeyboard();
  }
}

void FrmSnapView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  grabMouse();
  grabKeyboard();
  grabbed_ = true;
  const QPoint pointer = mapFromGlobal(QCursor::pos());
  HoldPointer(pointer);
  const QPointF at = ToImage(pointer);
  core_.Form_MouseMove(0, 0, at.x(), at.y());
  update();
}

void FrmSnapView::HoldPointer(QPoint at) {
  // The furthest the hot spot may go, in window coordinates: the block below it stays on the
  // screen.
  const int right = static_cast<int>((core_.ScreenWidth() - kSnapBlock) / scale_);
  const int bottom = static_cast<int>((core_.ScreenHeight() - kSnapBlock) / scale_);
  const QPoint held(std::clamp(at.x(), 0, std::max(right, 0)),
                    std::clamp(at.y(), 0, std::max(bottom, 0)));
  if (held != at) QCursor::setPos(screen(), mapToGlobal(held));
}

void FrmSnapView::hideEvent(QHideEvent* event) {
  // The pointer is freed as soon as the window goes.
  if (grabbed_) {
    releaseMouse();
    releaseKeyboard();
    grabbed_ = false;
  }
  QDialog::hideEvent(event);
}

QPointF FrmSnapView::ToImage(QPointF p) const { return p * scale_; }

QRect FrmSnapView::PointerRect() const {
  const int side = static_cast<int>(kSnapBlock / scale_) + 2;
  return QRect(static_cast<int>(core_.HotX() / scale_), static_cast<int>(core_.HotY() / scale_),
               side, side);
}

void FrmSnapView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawImage(QPointF(0, 0), screen_);
  painter.drawImage(QPointF(core_.HotX() / scale_, core_.HotY() / scale_), pointer_);
}

void FrmSnapView::mouseMoveEvent(QMouseEvent* event) {
  HoldPointer(event->position().toPoint());
  const QRect before = PointerRect();
  const QPointF at = ToImage(event->position());
  core_.Form_MouseMove(CoreButtons(event->buttons()), CoreShift(event->modifiers()), at.x(),
                       at.y());
  if (PointerRect() != before) {
    update(before);
    update(PointerRect());
  }
}

void FrmSnapView::mousePressEvent(QMouseEvent* event) {
  const QPointF at = ToImage(event->position());
  core_.Form_MouseDown(CoreButton(event->button()), CoreShift(event->modifiers()), at.x(), at.y());
}

void FrmSnapView::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = ToImage(event->position());
  core_.Form_MouseUp(CoreButton(event->button()), CoreShift(event->modifiers()), at.x(), at.y());
  FollowCore();
}

void FrmSnapView::keyPressEvent(QKeyEvent* event) {
  const QRect before = PointerRect();
  const int hot_x = core_.HotX();
  const int hot_y = core_.HotY();
  if (const int key = CoreKey(event->key())) core_.Form_KeyDown(key, CoreShift(event->modifiers()));
  if (core_.HotX() != hot_x || core_.HotY() != hot_y) {
    update(before);
    update(PointerRect());
    // The real pointer goes where the keys put the drawn one, so that the next move of the mouse
    // goes on from there.
    QCursor::setPos(screen(), mapToGlobal(QPoint(static_cast<int>(core_.HotX() / scale_),
                                                 static_cast<int>(core_.HotY() / scale_))));
  }
  FollowCore();
}

void FrmSnapView::FollowCore() {
  if (core_.Done()) done(core_.Taken() ? QDialog::Accepted : QDialog::Rejected);
}

// Shown by Platform::ShowDialog: the capture window covers the screen the main window is on and
// places itself.
[[maybe_unused]] const bool kShown =
    RegisterDialogView<FrmSnap>([](FrmSnap& window, const QtPlatform& platform) {
      FrmSnapView view(window, platform.DialogScreen());
      view.exec();
    });

}  // namespace pelorin
