// Shows one surface of the core 1:1 and repaints whenever the core refreshes it.
#pragma once

#include <QImage>
#include <QWidget>

#include "raster/Surface.h"

namespace pelorin {

// The raster as a 32-bit Qt image (colours 0x00BBGGRR become opaque 0xFFRRGGBB).
QImage ToQImage(const Raster& raster);

class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  SurfaceView(Surface& surface, QWidget* parent);
  ~SurfaceView() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Surface& surface_;
};

}  // namespace pelorin
