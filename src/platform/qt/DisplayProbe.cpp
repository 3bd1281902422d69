#include "platform/qt/DisplayProbe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstring>

namespace pelorin {

bool X11DisplayHold::Answers(const std::string& name) {
  xcb_connection_t* connection = xcb_connect(name.c_str(), nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);  // a connection that failed is freed too
    return false;
  }
  held_.push_back(connection);
  return true;
}

void X11DisplayHold::Release() {
  for (xcb_connection_t* connection : held_) xcb_disconnect(connection);
  held_.clear();
}

bool WaylandDisplayAnswers(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answered =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return answered;
}

}  // namespace pelorin
