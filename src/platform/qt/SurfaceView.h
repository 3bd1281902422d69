// Shows one surface of the core 1:1, repaints what the core refreshes, follows its pointer shape,
// and forwards the mouse to the handlers the core gave for it.
//
// A surface with a key handler takes the keyboard focus (Tab, or a click) and forwards the keys
// the core takes (base/Keys.h). While it has the focus and the keyboard is in use (the focus came
// by Tab, or a key was used here), it draws a frame along its edge and the core's cursor over
// the picture, never into the surface. What a screen reader reads of it is the core's
// (SurfaceAccessible); changes are announced after every event and refresh.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/ShownSurface.h"
#include "platform/qt/SurfaceAccessible.h"
#include "raster/Surface.h"

namespace pelorin {

class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  SurfaceView(const ShownSurface& shown, QWidget* parent);
  ~SurfaceView() override;

  // Takes pointer events or not, as the core says at the moment.
  void FollowEnabling();

  const AccessibleSurface& Spoken() const { return shown_surface_.accessible; }
  // The focus frame and the cursor are shown.
  bool ShowsKeyboardFocus() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Forward(const PointerHandler& handler, int button, QMouseEvent* event);
  void FollowPointer();
  bool ForwardKey(const KeyHandler& handler, int key, int shift, bool repeat);
  // The release held back (see held_release_) reaches the core now.
  void LetReleaseGo();
  // Tells the desktop's accessibility what changed, once the event at hand is over.
  void AnnounceLater();

  const Surface& surface_;
  ShownSurface shown_surface_;
  // The surface as last converted, and what changed in it since.
  QImage shown_;
  Rect changed_;
  // A key was used here: the focus is shown from now on.
  bool keys_used_ = false;
  // The focus went while the surface was disabled (a file opening); it comes back with enabling.
  bool focus_lent_ = false;
  bool announcing_ = false;
  Announced announced_;
  // A held key repeats as a release and a press of the same time, which the toolkit does not
  // always mark as repeats (under X11 it misses them when the press is not read yet). A release
  // from the window system waits a moment: a press of that key and time makes both one repeat.
  struct HeldRelease {
    int key;
    int shift;
    quint64 time;
  };
  std::optional<HeldRelease> held_release_;
  QTimer release_timer_;
};

}  // namespace pelorin
