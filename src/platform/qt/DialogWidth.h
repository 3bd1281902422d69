// The room a window's title and texts need. The program's dialogs have fixed client areas, some
// of them too narrow for their title once the window manager has put its buttons beside it, or
// for a line of text in a font wider than the one they were laid out for. Such a dialog is
// widened, and its contents stay centred in it; it never becomes narrower than its layout.
#pragma once

#include <QString>

class QWidget;

namespace pelorin {

// The least width of a window whose title bar shows `title` whole: the title in a bold form of
// the program's font, and room for the window manager's icon and buttons beside it.
int TitleBarWidth(const QString& title);

// Gives `window` a fixed size of `client_width` x `client_height`, widened to `least_width` and
// to what its title needs (never past the screen's width), with `content` (the widget that
// holds the controls at their places, `client_width` wide) centred in it. A window already on
// screen grows evenly on both sides. Answers how far `content` was moved to the right.
int FitWidth(QWidget& window, QWidget& content, int client_width, int client_height,
             int least_width = 0);

}  // namespace pelorin
