#include "platform/qt/SurfaceView.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <map>

#include "platform/qt/QtConvert.h"

namespace pelorin {

namespace {

// Pointer pictures are made once and kept.
QCursor CursorFor(const Surface& surface) {
  switch (surface.mousePointer()) {
    case MousePointer::kCrosshair:
      return Qt::CrossCursor;
    case MousePointer::kSizeAll:
      return Qt::SizeAllCursor;
    case MousePointer::kCustom: {
      static std::map<std::string, QCursor> cache;
      auto it = cache.find(surface.mouseIcon());
      if (it == cache.end()) {
        const Picture picture = LoadPictureResource(surface.mouseIcon());
        it = cache
                 .emplace(surface.mouseIcon(),
                          QCursor(QPixmap::fromImage(ToQImageWithAlpha(picture)), picture.hot_x,
                                  picture.hot_y))
                 .first;
      }
      return it->second;
    }
    case MousePointer::kDefault:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

SurfaceView::SurfaceView(const ShownSurface& shown, QWidget* parent)
    : QWidget(parent),
      surface_(*shown.surface),
      shown_surface_(shown),
      changed_(surface_.raster().Bounds()) {
  setObjectName(QString::fromStdString(surface_.name()));
  setFixedSize(surface_.width(), surface_.height());
  move(shown.at.left, shown.at.top);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  surface_.SetRefreshHandler([this](Rect changed) {
    changed_ = Union(changed_, changed);
    update(ToQRect(changed));
    AnnounceLater();
  });
  surface_.SetPointerHandler([this] { FollowPointer(); });
  FollowPointer();
  if (shown_surface_.on_key_down) setFocusPolicy(Qt::StrongFocus);
  release_timer_.setSingleShot(true);
  release_timer_.setInterval(25);
  connect(&release_timer_, &QTimer::timeout, this, [this] { LetReleaseGo(); });
  InstallSurfaceAccessibility();
}

SurfaceView::~SurfaceView() {
  surface_.SetRefreshHandler(nullptr);
  surface_.SetPointerHandler(nullptr);
}

void SurfaceView::FollowPointer() { setCursor(CursorFor(surface_)); }

void SurfaceView::FollowEnabling() {
  const bool enabled = !shown_surface_.enabled || shown_surface_.enabled();
  if (enabled == isEnabled()) return;
  // A disabled widget hands the focus on; the surface takes it back once it is enabled again.
  if (!enabled && hasFocus()) focus_lent_ = true;
  setEnabled(enabled);
  if (enabled && focus_lent_) {
    focus_lent_ = false;
    if (window()->isActiveWindow()) setFocus(Qt::OtherFocusReason);
  }
}

bool SurfaceView::ShowsKeyboardFocus() const {
  return hasFocus() && (keys_used_ || window()->testAttribute(Qt::WA_KeyboardFocusChange));
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  // Only what changed since the last paint is converted; the rest of the picture is kept.
  CopyToQImage(surface_.raster(), shown_, changed_);
  changed_ = {};
  QPainter painter(this);
  painter.drawImage(event->rect(), shown_, event->rect());
  if (!ShowsKeyboardFocus()) return;
  // The cursor: a white frame round the cell with a black one inside it, seen on any colour.
  const Rect cursor = shown_surface_.key_cursor ? shown_surface_.key_cursor() : Rect{};
  if (!cursor.Empty()) {
    const QRect r = ToQRect(cursor);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r.adjusted(1, 1, -2, -2));
  }
  // The focus: a frame two pixels wide along the edge, in the selection colour.
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void SurfaceView::Forward(const PointerHandler& handler, int button, QMouseEvent* event) {
  if (handler)
    handler(button, CoreShift(event->modifiers()), event->position().x(), event->position().y());
  if (shown_surface_.tooltip) setToolTip(QString::fromStdString(shown_surface_.tooltip()));
  AnnounceLater();
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
  Forward(shown_surface_.on_press, CoreButton(event->button()), event);
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
  Forward(shown_surface_.on_move, CoreButtons(event->buttons()), event);
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) {
  Forward(shown_surface_.on_release, CoreButton(event->button()), event);
}

void SurfaceView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!shown_surface_.on_double_click) return mousePressEvent(event);
  Forward(shown_surface_.on_double_click, CoreButton(event->button()), event);
}

bool SurfaceView::ForwardKey(const KeyHandler& handler, int key, int shift, bool repeat) {
  if (key == 0 || !handler) return false;
  const Rect before = shown_surface_.key_cursor ? shown_surface_.key_cursor() : Rect{};
  if (!handler(key, shift, repeat)) return false;
  const bool shown = ShowsKeyboardFocus();
  keys_used_ = true;
  if (!shown) {
    update();
  } else if (shown_surface_.key_cursor) {
    update(ToQRect(before));
    update(ToQRect(shown_surface_.key_cursor()));
  }
  AnnounceLater();
  return true;
}

void SurfaceView::LetReleaseGo() {
  release_timer_.stop();
  if (!held_release_) return;
  const HeldRelease release = *held_release_;
  held_release_.reset();
  ForwardKey(shown_surface_.on_key_up, release.key, release.shift, false);
}

void SurfaceView::keyPressEvent(QKeyEvent* event) {
  const int key = CoreKey(event->key());
  bool repeat = event->isAutoRepeat();
  if (held_release_ && held_release_->key == key && held_release_->time == event->timestamp()) {
    held_release_.reset();
    release_timer_.stop();
    repeat = true;
  }
  LetReleaseGo();
  if (!ForwardKey(shown_surface_.on_key_down, key, CoreShift(event->modifiers()), repeat))
    QWidget::keyPressEvent(event);
}

void SurfaceView::keyReleaseEvent(QKeyEvent* event) {
  const int key = CoreKey(event->key());
  LetReleaseGo();
  if (key != 0 && shown_surface_.on_key_up && !event->isAutoRepeat() && event->spontaneous() &&
      event->timestamp() != 0) {
    held_release_ = HeldRelease{key, CoreShift(event->modifiers()), event->timestamp()};
    release_timer_.start();
    return;
  }
  if (!ForwardKey(shown_surface_.on_key_up, key, CoreShift(event->modifiers()),
                  event->isAutoRepeat()))
    QWidget::keyReleaseEvent(event);
}

void SurfaceView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (shown_surface_.on_focus_taken) shown_surface_.on_focus_taken();
  update();
  Announce(*this, true, announced_);
}

void SurfaceView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  LetReleaseGo();
  if (shown_surface_.on_focus_lost) shown_surface_.on_focus_lost();
  update();
  AnnounceLater();
}

void SurfaceView::AnnounceLater() {
  if (announcing_ || !QAccessible::isActive()) return;
  announcing_ = true;
  QTimer::singleShot(0, this, [this] {
    announcing_ = false;
    Announce(*this, false, announced_);
  });
}

}  // namespace pelorin
