// Asks a display server whether it is there, before the toolkit tries and aborts when it is not.
#pragma once

#include "app/DesktopSession.h"

namespace pelorin {

// True when the X server of the display accepts a connection (authorisation included), or when
// the Wayland compositor's socket accepts one. The connection is closed again at once.
bool DisplayAnswers(const DisplayToTry& display);

}  // namespace pelorin
