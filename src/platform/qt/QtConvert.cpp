#include "platform/qt/QtConvert.h"

#include "base/Keys.h"

namespace pelorin {

QImage ToQImage(const Raster& raster) {
  QImage image;
  CopyToQImage(raster, image);
  return image;
}

void CopyToQImage(const Raster& raster, QImage& image) {
  CopyToQImage(raster, image, raster.Bounds());
}

void CopyToQImage(const Raster& raster, QImage& image, Rect area) {
  if (image.width() != raster.width() || image.height() != raster.height() ||
      image.format() != QImage::Format_RGB32) {
    image = QImage(raster.width(), raster.height(), QImage::Format_RGB32);
    area = raster.Bounds();
  }
  area = Intersect(area, raster.Bounds());
  for (int y = area.top; y < area.bottom; ++y) {
    const Colour* in = raster.Row(y);
    auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = area.left; x < area.right; ++x) {
      const Colour c = in[x];
      out[x] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  }
}

Raster RasterFromImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  Raster r(rgb.width(), rgb.height(), kBlack);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const quint32*>(rgb.constScanLine(y));
    Colour* out = r.Row(y);
    for (int x = 0; x < rgb.width(); ++x) {
      const quint32 c = in[x];
      out[x] = ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16);
    }
  }
  return r;
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

int CoreKey(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyReturn;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Space:
      return kKeySpace;
    case Qt::Key_PageUp:
      return kKeyPageUp;
    case Qt::Key_PageDown:
      return kKeyPageDown;
    case Qt::Key_End:
      return kKeyEnd;
    case Qt::Key_Home:
      return kKeyHome;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    default:
      return 0;
  }
}

}  // namespace pelorin
