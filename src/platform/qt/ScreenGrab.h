// Reading the screen on the Linux desktops.
//
// Under X11 Qt reads the screen directly. On a Wayland desktop the program cannot, not even
// through XWayland (an X11 grab there shows the X11 windows alone, black elsewhere): the
// desktop's screenshot portal (org.freedesktop.portal.Screenshot over the session bus) hands
// out an image of the whole desktop, which is cut down to the wanted screen. The portal is also
// tried when a direct grab under X11 comes back empty.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QScreen;

namespace pelorin {

// The screen as it looks now, one pixel per device pixel; a null image when none can be had.
QImage GrabScreenImage(QScreen* screen);

// The part of an image of the whole desktop that shows `screen`, scaled as the desktop image
// is; a null image when the screen does not lie within it.
QImage CutOutScreen(const QImage& desktop, QScreen* screen);

// Waits for the portal's answer to one request (its Response signal).
class PortalRequest : public QObject {
  Q_OBJECT

 public:
  bool answered = false;
  // 0 when the portal succeeded, 1 when the user refused, 2 for any other failure.
  uint response = 2;
  QString uri;

 signals:
  void Answered();

 public slots:
  void Response(uint code, const QVariantMap& results);
};

}  // namespace pelorin
