// The main window on screen: a fixed-size window whose client area (below the menu bar) is
// 562 x 348 pixels, with the core's shown surfaces at their places. It forwards events to the
// core's handlers and shows what the core holds; it decides nothing itself.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/frmMain.h"
#include "platform/Platform.h"

namespace pelorin {

class frmMainView : public QMainWindow, public WindowHost {
  Q_OBJECT

 public:
  frmMainView(Platform& platform, std::string command_line);
  ~frmMainView() override;

  frmMain& core() { return *core_; }
  // Runs the core's load handler (it places the window, so the window must have its size).
  void Load();

  // WindowHost
  void SetCaption(const std::string& caption) override;
  int OuterWidth() const override;
  int OuterHeight() const override;
  void Move(int left, int top) override;

 private:
  void BuildMenus();

  std::unique_ptr<frmMain> core_;
  QWidget* client_ = nullptr;
};

}  // namespace pelorin
