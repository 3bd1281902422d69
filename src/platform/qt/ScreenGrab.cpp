#include "platform/qt/ScreenGrab.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace pelorin {

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// How long the portal may take, a question to the user included.
constexpr int kPortalTimeoutMs = 60000;

// A Wayland desktop, also as seen by an X11 client it runs through XWayland (which keeps
// WAYLAND_DISPLAY in its environment).
bool WaylandSession() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// Asks the screenshot portal for an image of the whole desktop, without its interactive dialog.
QImage PortalScreenshot() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return {};
  // The request's object path follows from our bus name and a token of our choosing, so we can
  // listen for the answer before asking (it may come before the call returns).
  const QString token = QStringLiteral("pelorin%1").arg(QRandomGenerator::global()->generate());
  QString sender = bus.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  QString path = kPortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
  PortalRequest request;
  const auto listen = [&](const QString& p) {
    return bus.connect(kPortalService, p, kRequestInterface, QStringLiteral("Response"), &request,
                       SLOT(Response(uint, QVariantMap)));
  };
  const auto stop = [&](const QString& p) {
    bus.disconnect(kPortalService, p, kRequestInterface, QStringLiteral("Response"), &request,
                   SLOT(Response(uint, QVariantMap)));
  };
  if (!listen(path)) return {};

  QDBusMessage call = QDBusMessage::createMethodCall(
      kPortalService, kPortalPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
      QStringLiteral("Screenshot"));
  call << QString()
       << QVariantMap{{QStringLiteral("handle_token"), token},
                      {QStringLiteral("interactive"), false}};
  const QDBusMessage reply = bus.call(call, QDBus::Block, kPortalTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    stop(path);
    return {};
  }
  // Older portals choose the request's path themselves.
  const QString handle = qvariant_cast<QDBusObjectPath>(reply.arguments().at(0)).path();
  if (!handle.isEmpty() && handle != path) {
    stop(path);
    path = handle;
    if (!listen(path)) return {};
  }
  if (!request.answered) {
    QEventLoop loop;
    QTimer::singleShot(kPortalTimeoutMs, &loop, &QEventLoop::quit);
    QObject::connect(&request, &PortalRequest::Answered, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  stop(path);
  if (!request.answered || request.response != 0) return {};
  const QUrl url(request.uri);
  if (!url.isLocalFile()) return {};
  return QImage(url.toLocalFile());
}

QImage DirectGrab(QScreen* screen) {
  const QPixmap shot = screen->grabWindow(0);
  return shot.isNull() ? QImage() : shot.toImage();
}

bool Empty(const QImage& image) { return image.isNull() || image.width() <= 0; }

}  // namespace

void PortalRequest::Response(uint code, const QVariantMap& results) {
  answered = true;
  response = code;
  uri = results.value(QStringLiteral("uri")).toString();
  emit Answered();
}

QImage CutOutScreen(const QImage& desktop, QScreen* screen) {
  if (desktop.isNull() || screen == nullptr) return {};
  QRect all;
  for (const QScreen* s : QGuiApplication::screens()) all = all.united(s->geometry());
  if (all.isEmpty()) return {};
  // The portal's image is in device pixels of the whole desktop.
  const double scale = static_cast<double>(desktop.width()) / all.width();
  const QRect g = screen->geometry().translated(-all.topLeft());
  const QRect wanted(qRound(g.x() * scale), qRound(g.y() * scale), qRound(g.width() * scale),
                     qRound(g.height() * scale));
  const QRect part = wanted.intersected(desktop.rect());
  if (part.isEmpty()) return {};
  return part == desktop.rect() ? desktop : desktop.copy(part);
}

QImage GrabScreenImage(QScreen* screen) {
  if (screen == nullptr) return {};
  const bool wayland = WaylandSession();
  QImage image;
  if (!wayland) image = DirectGrab(screen);
  if (Empty(image)) image = CutOutScreen(PortalScreenshot(), screen);
  // Never a direct grab on a Wayland desktop: through XWayland it shows the X11 windows alone,
  // black where the Wayland windows are, which is not the screen. Without the portal there is
  // no screen image.
  return Empty(image) ? QImage() : image;
}

}  // namespace pelorin
