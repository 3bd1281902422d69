// What the program settles before the toolkit starts: whether there is a desktop to show a
// window on, and that the display scale is a whole number.
#pragma once

#include <functional>
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

// A scale setting of the toolkit (QT_SCALE_FACTOR "1.25"; QT_SCREEN_SCALE_FACTORS "1.25;2" or
// "DP-1=1.25;HDMI-1=2") with every factor rounded to a whole number, halves up, at least 1, so
// that each pixel of the canvas is a whole, equal block of device pixels. Parts that are not
// numbers stay as they are.
std::string WholeScaleFactors(std::string_view setting);

}  // namespace pelorin
