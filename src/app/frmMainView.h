// The main window on screen: a fixed-size window whose client area (below the menu bar) is
// 562 x 348 pixels, with the core's shown surfaces at their places. It forwards events to the
// core's handlers and shows what the core holds; it decides nothing itself.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "platform/Platform.h"

class QAction;
class QCheckBox;
class QMenu;

namespace pelorin {

class frmMainView : public QMainWindow, public WindowHost {
  Q_OBJECT

 public:
  explicit frmMainView(Platform& platform, std::vector<std::string> arguments = {});
  ~frmMainView() override;

  frmMain& core() { return *core_; }
  // Runs the core's load handler (it places the window, so the window must have its size).
  void Load();

  // WindowHost
  void SetCaption(const std::string& caption) override;
  int OuterWidth() const override;
  int OuterHeight() const override;
  void Move(int left, int top) override;
  void ControlsChanged() override;
  void Close() override;
  void Hide() override {
    refocus_ = focusWidget();
    hide();
  }
  // Back after the screen capture: shown, and active again, so that the keyboard reaches it, with
  // the focus where it was (the toolkit, activated while the window was still hidden, would hand
  // it to the next control).
  void Show() override {
    show();
    raise();
    activateWindow();
    if (refocus_) refocus_->setFocus(Qt::ActiveWindowFocusReason);
  }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct MenuBinding {
    std::string menu;  // top-level control name
    std::string item;  // item control name
    int index;
    QAction* action;
  };

  void BuildMenus();
  void AddItems(QMenu* menu, const std::string& top, const std::vector<MenuItem>& items);
  // Captions, enabling, marks and visibility as the core holds them; the enabling only while
  // the menu is open.
  void SyncMenu(const std::string& menu);
  void SyncItems(const std::vector<MenuItem>& items, bool open);

  std::unique_ptr<frmMain> core_;
  QWidget* client_ = nullptr;
  QCheckBox* chk_pal_ = nullptr;
  std::vector<class SurfaceView*> surface_views_;
  std::vector<MenuBinding> menu_bindings_;
  // The top-level menu shown at the moment; empty while every menu is closed.
  std::string open_menu_;
  // The control that had the focus when the window hid.
  QPointer<QWidget> refocus_;
};

}  // namespace pelorin
