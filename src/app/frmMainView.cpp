#include "app/frmMainView.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include "app/SurfaceView.h"
#include "raster/Picture.h"

namespace pelorin {

namespace {

// The client area: the core's own painting of it (background, frames, symbols, swatches) and the
// status readouts, under the surfaces. A release on the bare background reaches the core too.
class ClientArea : public QWidget {
 public:
  ClientArea(frmMain& core, QWidget* parent) : QWidget(parent), core_(core) {
    setFixedSize(kClientWidth, kClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    core_.Form.SetRefreshHandler([this] {
      if (!painting_) update();
    });
  }
  ~ClientArea() override { core_.Form.SetRefreshHandler(nullptr); }

 protected:
  void paintEvent(QPaintEvent*) override {
    painting_ = true;
    core_.Form_Paint();
    painting_ = false;
    QPainter painter(this);
    painter.drawImage(0, 0, ToQImage(core_.Form.raster()));
    painter.setPen(palette().color(QPalette::WindowText));
    for (const FormText* text : {&core_.PositionText(), &core_.SizeText()}) {
      if (text->text.empty()) continue;
      const QFontMetrics metrics(font());
      painter.drawText(text->x, text->y + metrics.ascent(), QString::fromStdString(text->text));
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    core_.Form_MouseUp(CoreButton(event->button()), CoreShift(event->modifiers()),
                       event->position().x(), event->position().y());
  }

 private:
  frmMain& core_;
  bool painting_ = false;
};

}  // namespace

frmMainView::frmMainView(Platform& platform, std::string command_line)
    : core_(std::make_unique<frmMain>(platform, *this, std::move(command_line))) {
  frmMain& core = *core_;
  client_ = new ClientArea(core, this);
  setCentralWidget(client_);
  for (const Placement& p : core.ShownSurfaces()) {
    auto* view = new SurfaceView(*p.surface, client_);
    view->move(p.left, p.top);
    if (p.surface == &core.PicMain) {
      view->on_press = [&core](int b, int s, double x, double y) {
        core.PicMain_MouseDown(b, s, x, y);
      };
      view->on_move = [&core](int b, int s, double x, double y) {
        core.PicMain_MouseMove(b, s, x, y);
      };
      view->on_release = [&core](int b, int s, double x, double y) {
        core.PicMain_MouseUp(b, s, x, y);
      };
    } else if (p.surface == &core.PicTools) {
      view->on_press = [&core](int b, int s, double x, double y) {
        core.PicTools_MouseDown(b, s, x, y);
      };
      view->on_move = [&core](int b, int s, double x, double y) {
        core.PicTools_MouseMove(b, s, x, y);
      };
      view->on_release = [&core](int b, int s, double x, double y) {
        core.PicTools_MouseUp(b, s, x, y);
      };
      view->tooltip = [&core] { return core.PicTools_ToolTipText(); };
    } else if (p.surface == &core.PicPal) {
      view->on_release = [&core](int b, int s, double x, double y) {
        core.PicPal_MouseUp(b, s, x, y);
      };
    }
  }
  chk_pal_ = new QCheckBox(QStringLiteral("调整调色板"), client_);
  chk_pal_->setObjectName(QStringLiteral("ChkPal"));
  chk_pal_->move(471, 110);
  chk_pal_->resize(chk_pal_->sizeHint().width(), 13);
  connect(chk_pal_, &QCheckBox::toggled, this, [this](bool on) { core_->ChkPal_Click(on); });

  BuildMenus();
  setWindowIcon(
      QIcon(QPixmap::fromImage(ToQImageWithAlpha(LoadPictureResource("window-icon.txt")))));
  setWindowTitle(QString::fromStdString(core.Caption()));
  // Fixed border: the window keeps its designed size.
  adjustSize();
  setFixedSize(sizeHint());
}

frmMainView::~frmMainView() = default;

void frmMainView::BuildMenus() {
  for (const MenuItem& top : core_->Menus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.caption));
    menu->setObjectName(QString::fromStdString(top.name));
    for (const MenuItem& item : top.items) {
      if (item.IsSeparator()) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromStdString(item.caption));
      action->setObjectName(QString::fromStdString(item.name + "_" + std::to_string(item.index)));
      action->setCheckable(item.checkable);
      if (!item.shortcut.empty())
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
      menu_bindings_.push_back({top.name, item.name, item.index, action});
      connect(action, &QAction::triggered, this,
              [this, menu_name = top.name, name = item.name, index = item.index] {
                core_->MenuCommand(menu_name, name, index);
                SyncMenu(menu_name);
              });
    }
    connect(menu, &QMenu::aboutToShow, this, [this, name = top.name] {
      core_->MenuOpened(name);
      SyncMenu(name);
    });
    // While a menu is closed its shortcuts must reach the core, which decides whether the item is
    // enabled at that moment.
    connect(menu, &QMenu::aboutToHide, this, [this, name = top.name] {
      for (const MenuBinding& b : menu_bindings_)
        if (b.menu == name) b.action->setEnabled(true);
    });
  }
  for (const MenuItem& top : core_->Menus()) SyncMenu(top.name);
  for (const MenuBinding& b : menu_bindings_) b.action->setEnabled(true);
}

void frmMainView::SyncMenu(const std::string& menu) {
  for (const MenuItem& top : core_->Menus()) {
    if (top.name != menu) continue;
    for (const MenuItem& item : top.items) {
      for (const MenuBinding& b : menu_bindings_) {
        if (b.item != item.name || b.index != item.index) continue;
        b.action->setEnabled(item.enabled);
        b.action->setChecked(item.checked);
        b.action->setVisible(item.visible);
      }
    }
  }
}

void frmMainView::Load() { core_->Form_Load(); }

void frmMainView::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

int frmMainView::OuterWidth() const { return frameGeometry().width(); }

int frmMainView::OuterHeight() const { return frameGeometry().height(); }

void frmMainView::Move(int left, int top) { move(left, top); }

void frmMainView::ControlsChanged() {
  if (chk_pal_ != nullptr && chk_pal_->isChecked() != core_->ChkPal) {
    const QSignalBlocker block(chk_pal_);
    chk_pal_->setChecked(core_->ChkPal);
  }
  for (const MenuItem& top : core_->Menus()) {
    for (const MenuItem& item : top.items)
      for (const MenuBinding& b : menu_bindings_)
        if (b.item == item.name && b.index == item.index) b.action->setChecked(item.checked);
  }
}

}  // namespace pelorin
