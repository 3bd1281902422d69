// A window of fixed size asks the window manager, in every hint it reads, for a frame that
// cannot be resized or maximised.
#pragma once

class QWidget;

namespace pelorin {

// Qt says a fixed size in WM_NORMAL_HINTS (minimum = maximum) and leaves the maximise button
// out of the Motif hints, but it still offers resizing there (the function and the resize
// handles), which window managers that go by the Motif hints take as resizable. On X11 this
// writes the Motif hints again without them: move, minimise, close; border, title, window menu,
// minimise button. Call it after the window's flags are set and before it is shown; other
// platforms are left as they are. _NET_WM_ALLOWED_ACTIONS belongs to the window manager, which
// works it out from these hints.
void AskForFixedFrame(QWidget& window);

}  // namespace pelorin
