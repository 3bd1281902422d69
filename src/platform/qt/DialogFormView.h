// The common part of the program's modal dialogs on screen: a fixed-size dialog whose client
// area is the core's Form raster with its printed texts, and controls placed at the core's
// positions that forward to the core's handlers. After every forwarded event the controls
// follow the core's state, and the dialog closes once the core has hidden it.
//
// Enter presses the core's default button (OK), unless another button has the focus; Esc and the
// close box close the dialog without touching its tag, which the caller reads as a cancel.
//
// A dialog whose title or printed texts need more room than its client area is widened, its
// contents centred in it (DialogWidth.h).
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "platform/ModalDialog.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace pelorin {

class SurfaceView;

class DialogFormView : public QDialog {
  Q_OBJECT

 public:
  DialogFormView(ModalDialog& core, QWidget* parent);
  ~DialogFormView() override;

 protected:
  QPushButton* AddButton(const char* name, const std::string& caption, ControlPlace place,
                         std::function<void()> click);
  // A label that shows `text` (a string the core keeps up to date).
  QLabel* AddLabel(const char* name, ControlPlace place, const std::string& text);
  // A scroll bar showing `state`; every new value goes to `change`.
  QScrollBar* AddScrollBar(const char* name, Qt::Orientation orientation, ControlPlace place,
                           const ScrollBarState& state, bool tab_stop,
                           std::function<void(int)> change);
  SurfaceView* AddSurface(Surface& surface, ControlPlace place, QWidget* parent = nullptr);
  // The widget that holds the controls at the core's places; a view's own controls go there.
  QWidget* Content() const { return content_; }

  // Runs a handler of the core, then follows the core.
  void Forward(const std::function<void()>& handler);
  // Controls, labels and focus take the core's state; the dialog closes when the core hid it.
  void FollowCore();

  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Moves the focus where the core asked for it.
  void FollowFocusRequest();

  struct LabelBinding {
    QLabel* label;
    const std::string* text;
  };
  struct BarBinding {
    QScrollBar* bar;
    const ScrollBarState* state;
  };

  ModalDialog& core_;
  QWidget* content_ = nullptr;
  // Where the client area stands in the (possibly widened) dialog.
  int offset_ = 0;
  std::vector<LabelBinding> labels_;
  std::vector<BarBinding> bars_;
  QImage shown_;
};

}  // namespace pelorin
