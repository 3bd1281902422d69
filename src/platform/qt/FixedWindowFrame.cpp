#include "platform/qt/FixedWindowFrame.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace pelorin {

namespace {

// The Motif window manager hints (Xm/MwmUtil.h): flags, functions, decorations, input mode,
// status.
constexpr std::uint32_t kHintsFunctions = 1;
constexpr std::uint32_t kHintsDecorations = 2;
constexpr std::uint32_t kFunctionMove = 4;
constexpr std::uint32_t kFunctionMinimize = 8;
constexpr std::uint32_t kFunctionClose = 32;
constexpr std::uint32_t kDecorBorder = 2;
constexpr std::uint32_t kDecorTitle = 8;
constexpr std::uint32_t kDecorMenu = 16;
constexpr std::uint32_t kDecorMinimize = 32;

}  // namespace

void AskForFixedFrame(QWidget& window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  // Makes the native window, with Qt's own hints, which are then replaced.
  const auto id = static_cast<xcb_window_t>(window.winId());
  static constexpr char kName[] = "_MOTIF_WM_HINTS";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, std::strlen(kName), kName), nullptr);
  if (atom == nullptr) return;
  const std::array<std::uint32_t, 5> hints = {
      kHintsFunctions | kHintsDecorations, kFunctionMove | kFunctionMinimize | kFunctionClose,
      kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom->atom, atom->atom, 32,
                      hints.size(), hints.data());
  xcb_flush(connection);
  std::free(atom);
}

}  // namespace pelorin
