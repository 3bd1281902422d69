// Asks a display server whether it is there, before the toolkit tries and aborts when it is not.
#pragma once

#include <string>

namespace pelorin {

// True when the X server of display `name` accepts a connection (authorisation included).
bool X11DisplayAnswers(const std::string& name);
// True when the Wayland compositor's socket at `path` accepts a connection.
bool WaylandDisplayAnswers(const std::string& path);

}  // namespace pelorin
