#include "app/SurfaceView.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <map>

namespace pelorin {

QImage ToQImage(const Raster& raster) {
  QImage image;
  CopyToQImage(raster, image);
  return image;
}

void CopyToQImage(const Raster& raster, QImage& image) {
  if (image.width() != raster.width() || image.height() != raster.height() ||
      image.format() != QImage::Format_RGB32)
    image = QImage(raster.width(), raster.height(), QImage::Format_RGB32);
  for (int y = 0; y < raster.height(); ++y) {
    const Colour* in = raster.Row(y);
    auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < raster.width(); ++x) {
      const Colour c = in[x];
      out[x] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  }
}

QImage ToQImageWithAlpha(const Picture& picture) {
  QImage image = ToQImage(picture.image).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (picture.mask.At(x, y) == kWhite) image.setPixel(x, y, 0);
  return image;
}

int CoreButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int CoreButtons(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int CoreShift(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

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

SurfaceView::SurfaceView(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
  setObjectName(QString::fromStdString(surface.name()));
  setFixedSize(surface.width(), surface.height());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  surface_.SetRefreshHandler([this] { update(); });
  surface_.SetPointerHandler([this] { FollowPointer(); });
  FollowPointer();
}

SurfaceView::~SurfaceView() {
  surface_.SetRefreshHandler(nullptr);
  surface_.SetPointerHandler(nullptr);
}

void SurfaceView::FollowPointer() { setCursor(CursorFor(surface_)); }

void SurfaceView::FollowTooltip() {
  if (tooltip) setToolTip(QString::fromStdString(tooltip()));
}

void SurfaceView::paintEvent(QPaintEvent*) {
  CopyToQImage(surface_.raster(), shown_);
  QPainter painter(this);
  painter.drawImage(0, 0, shown_);
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
  if (on_press) {
    on_press(CoreButton(event->button()), CoreShift(event->modifiers()), event->position().x(),
             event->position().y());
  }
  FollowTooltip();
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
  if (on_move) {
    on_move(CoreButtons(event->buttons()), CoreShift(event->modifiers()), event->position().x(),
            event->position().y());
  }
  FollowTooltip();
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) {
  if (on_release) {
    on_release(CoreButton(event->button()), CoreShift(event->modifiers()), event->position().x(),
               event->position().y());
  }
  FollowTooltip();
}

void SurfaceView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!on_double_click) return mousePressEvent(event);
  on_double_click(CoreButton(event->button()), CoreShift(event->modifiers()), event->position().x(),
                  event->position().y());
}

}  // namespace pelorin
