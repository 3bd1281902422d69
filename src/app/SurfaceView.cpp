#include "app/SurfaceView.h"

#include <QPainter>

namespace pelorin {

QImage ToQImage(const Raster& raster) {
  QImage image(raster.width(), raster.height(), QImage::Format_RGB32);
  for (int y = 0; y < raster.height(); ++y) {
    const Colour* in = raster.Row(y);
    auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < raster.width(); ++x) {
      const Colour c = in[x];
      out[x] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  }
  return image;
}

SurfaceView::SurfaceView(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
  setObjectName(QString::fromStdString(surface.name()));
  setFixedSize(surface.width(), surface.height());
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_.SetRefreshHandler([this] { update(); });
}

SurfaceView::~SurfaceView() { surface_.SetRefreshHandler(nullptr); }

void SurfaceView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, ToQImage(surface_.raster()));
}

}  // namespace pelorin
