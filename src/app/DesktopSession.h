// What the program settles before the toolkit starts: whether there is a desktop to show a
// window on, and that the display scale is a whole number.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin {

// Printed instead of the toolkit's plugin message (and abort) when there is no desktop.
inline constexpr std::string_view kNoDisplayMessage =
    "Pelorin 是桌面程序，需要图形会话：没有设置 DISPLAY 或 WAYLAND_DISPLAY。\n"
    "Pelorin is a desktop program and needs a graphical session: neither DISPLAY nor "
    "WAYLAND_DISPLAY is set.\n";

// Reads an environment variable: its value, or nullptr when it is not set.
using Environment = std::function<const char*(const char*)>;

// False when the toolkit would find no screen: no platform chosen by hand (QT_QPA_PLATFORM, or a
// "-platform" argument) and neither DISPLAY nor WAYLAND_DISPLAY set (an empty value counts as
// not set).
bool HasGraphicalSession(const std::vector<std::string>& args, const Environment& env);

// A display the toolkit will try to open.
struct DisplayToTry {
  enum class Kind { kX11, kWayland };
  Kind kind;
  // X11: the display's name ("" when none is set). Wayland: the path of the compositor's socket
  // ("" when it has none: a relative name without XDG_RUNTIME_DIR).
  std::string address;
  std::string setting;               // what names it: "DISPLAY", "-display", "WAYLAND_DISPLAY"
  std::optional<std::string> value;  // the setting's value, nullopt when it is not set
};

// Whether a display answers: an X connection is made, a Wayland socket is connected to.
using DisplayProbe = std::function<bool(const DisplayToTry&)>;

// When a display is set but nothing answers there (a stale DISPLAY after ssh, an X server that
// has crashed), the toolkit would abort with a core dump. This gives the message to print
// instead, or nullopt when one of the displays the toolkit tries answers, or when its platform
// (chosen by hand) is not one with a display server to ask.
//
// The displays are the toolkit's, in its order: those of the platforms chosen by hand ("-platform"
// argument, else QT_QPA_PLATFORM; "name:options", several separated by ';'), or else Wayland when
// WAYLAND_DISPLAY is set or XDG_SESSION_TYPE is "wayland", then X11. X11 is the display named by a
// "-display" argument, else DISPLAY; Wayland is WAYLAND_DISPLAY (wayland-0 when not set) under
// XDG_RUNTIME_DIR, or that path itself when it is absolute; a socket handed over in
// WAYLAND_SOCKET counts as answering.
std::optional<std::string> UnreachableDisplayMessage(const std::vector<std::string>& args,
                                                     const Environment& env,
                                                     const DisplayProbe& answers);

// The platform the toolkit is to use on a Wayland desktop: "xcb" (through XWayland) when no
// platform is chosen by hand, the toolkit would try Wayland first (WAYLAND_DISPLAY set, or
// XDG_SESSION_TYPE "wayland") and an X display is named (DISPLAY, or "-display"); nullopt leaves
// the toolkit's own choice. A native Wayland window can neither place itself (the main window and
// the dialogs go where the compositor puts them) nor move the pointer (the screen capture holds
// it on the screen); through XWayland both work. docs/architecture.md has the measurements.
std::optional<std::string> PlatformForSession(const std::vector<std::string>& args,
                                              const Environment& env);

// A scale setting of the toolkit (QT_SCALE_FACTOR "1.25"; QT_SCREEN_SCALE_FACTORS "1.25;2" or
// "DP-1=1.25;HDMI-1=2") with every factor rounded to a whole number, halves up, at least 1, so
// that each pixel of the canvas is a whole, equal block of device pixels. Parts that are not
// numbers stay as they are.
std::string WholeScaleFactors(std::string_view setting);

}  // namespace pelorin
