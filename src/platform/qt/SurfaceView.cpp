#include "platform/qt/SurfaceView.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
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
  });
  surface_.SetPointerHandler([this] { FollowPointer(); });
  FollowPointer();
}

SurfaceView::~SurfaceView() {
  surface_.SetRefreshHandler(nullptr);
  surface_.SetPointerHandler(nullptr);
}

void SurfaceView::FollowPointer() { setCursor(CursorFor(surface_)); }

void SurfaceView::FollowEnabling() {
  setEnabled(!shown_surface_.enabled || shown_surface_.enabled());
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  // Only what changed since the last paint is converted; the rest of the picture is kept.
  CopyToQImage(surface_.raster(), shown_, changed_);
  changed_ = {};
  QPainter painter(this);
  painter.drawImage(event->rect(), shown_, event->rect());
}

void SurfaceView::Forward(const PointerHandler& handler, int button, QMouseEvent* event) {
  if (handler)
    handler(button, CoreShift(event->modifiers()), event->position().x(), event->position().y());
  if (shown_surface_.tooltip) setToolTip(QString::fromStdString(shown_surface_.tooltip()));
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

}  // namespace pelorin
