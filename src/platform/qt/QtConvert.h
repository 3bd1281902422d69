// Conversions between the core's terms and Qt's, for every view.
#pragma once

#include <QImage>
#include <QRect>
#include <Qt>

#include "raster/Picture.h"
#include "raster/Raster.h"

namespace pelorin {

// The raster as a 32-bit Qt image (colours 0x00BBGGRR become opaque 0xFFRRGGBB).
QImage ToQImage(const Raster& raster);
// The same into an image kept between paints, so that a repaint allocates nothing; only the
// pixels of `area` are converted when the image already has the raster's size.
void CopyToQImage(const Raster& raster, QImage& image);
void CopyToQImage(const Raster& raster, QImage& image, Rect area);
// An image as a raster of 0x00BBGGRR colours (alpha dropped).
Raster RasterFromImage(const QImage& image);
// A picture with its mask as alpha (white in the mask is transparent).
QImage ToQImageWithAlpha(const Picture& picture);

inline QRect ToQRect(Rect r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The buttons of a mouse event in the core's terms: left 1, right 2, middle 4.
int CoreButton(Qt::MouseButton button);
int CoreButtons(Qt::MouseButtons buttons);
// The shift state: Shift 1, Ctrl 2, Alt 4.
int CoreShift(Qt::KeyboardModifiers modifiers);
// A key in the core's codes (base/Keys.h); 0 for the keys the core does not take.
int CoreKey(int qt_key);

}  // namespace pelorin
