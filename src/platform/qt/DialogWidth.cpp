#include "platform/qt/DialogWidth.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace pelorin {

namespace {

// The window manager's part of a title bar: the window's icon and up to three buttons (minimise,
// maximise, close) with their spacing. Openbox takes about 75 pixels, GNOME's and KDE's
// decorations 100 to 120.
constexpr int kTitleBarButtons = 120;

}  // namespace

int TitleBarWidth(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + kTitleBarButtons;
}

int FitWidth(QWidget& window, QWidget& content, int client_width, int client_height,
             int least_width) {
  int width = std::max({client_width, least_width, TitleBarWidth(window.windowTitle())});
  if (const QScreen* screen = window.screen())
    width = std::max(client_width, std::min(width, screen->availableGeometry().width()));
  const int grown = width - window.width();
  window.setFixedSize(width, client_height);
  if (window.isVisible() && grown != 0) window.move(window.x() - grown / 2, window.y());
  const int offset = (width - client_width) / 2;
  content.setGeometry(offset, 0, client_width, client_height);
  return offset;
}

}  // namespace pelorin
