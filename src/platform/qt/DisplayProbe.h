// Asks a display server whether it is there, before the toolkit tries and aborts when it is not.
#pragma once

#include <string>
#include <vector>

struct xcb_connection_t;

namespace pelorin {

// The X connections the probe made, kept open until the toolkit holds its own. An X server
// resets when its last client leaves and refuses connections for a moment while it does: on a
// server with no other client (a bare Xvfb, a CI job, a kiosk) a probe that disconnected at once
// would leave the toolkit's own connection, a moment later, refused now and then.
class X11DisplayHold {
 public:
  X11DisplayHold() = default;
  X11DisplayHold(const X11DisplayHold&) = delete;
  X11DisplayHold& operator=(const X11DisplayHold&) = delete;
  ~X11DisplayHold() { Release(); }

  // True when the X server of display `name` accepts a connection (authorisation included); the
  // connection stays open until Release.
  bool Answers(const std::string& name);
  // Closes the connections; call it once the toolkit has connected.
  void Release();

 private:
  std::vector<xcb_connection_t*> held_;
};

// True when the Wayland compositor's socket at `path` accepts a connection.
bool WaylandDisplayAnswers(const std::string& path);

}  // namespace pelorin
