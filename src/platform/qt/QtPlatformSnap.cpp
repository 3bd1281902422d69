// Screen capture: reading the screen the main window is on.
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/ScreenGrab.h"

namespace pelorin {

namespace {

// How long the windows uncovered by the hidden main window may take to redraw themselves (and a
// compositing desktop to fade the main window out) before the screen is read.
constexpr int kSettleMs = 250;

QScreen* ScreenOf(const QWidget* window) {
  QScreen* screen = window != nullptr ? window->screen() : nullptr;
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

std::optional<Raster> QtPlatform::GrabScreen() {
  // Letting pending events run once is not enough: the window system unmaps the main window
  // and the windows beneath repaint only as their events arrive, so an immediate grab still
  // shows the main window (seen under X11).
  QEventLoop settle;
  QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
  settle.exec(QEventLoop::ExcludeUserInputEvents);
  const QImage image = GrabScreenImage(ScreenOf(parent_));
  if (image.isNull()) return std::nullopt;
  Raster raster = RasterFromImage(image);
  if (raster.empty()) return std::nullopt;
  return raster;
}

QScreen* QtPlatform::DialogScreen() const { return ScreenOf(parent_); }

}  // namespace pelorin
