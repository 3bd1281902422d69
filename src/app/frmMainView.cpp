#include "app/frmMainView.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "platform/qt/FixedWindowFrame.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/SurfaceView.h"
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
    core_.Form.SetRefreshHandler([this](Rect changed) {
      changed_ = Union(changed_, changed);
      update(ToQRect(changed));
      FollowSpokenAreas();
    });
    // The readouts and the current colours are painted; a screen reader reads them through labels
    // that show nothing and let the pointer through.
    for (SpokenArea& area : core_.SpokenAreas()) {
      auto* label = new QLabel(this);
      label->setGeometry(ToQRect(area.place));
      label->setAttribute(Qt::WA_TransparentForMouseEvents);
      spoken_.push_back({label, std::move(area.text)});
    }
    FollowSpokenAreas();
  }
  ~ClientArea() override { core_.Form.SetRefreshHandler(nullptr); }

 protected:
  // The core keeps the client area's picture up to date; a paint only shows it.
  void paintEvent(QPaintEvent* event) override {
    CopyToQImage(core_.Form.raster(), shown_, changed_);
    changed_ = {};
    QPainter painter(this);
    painter.drawImage(event->rect(), shown_, event->rect());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    for (const FormText* text : {&core_.status().PositionText(), &core_.status().SizeText()}) {
      if (!text->text.empty())
        painter.drawText(text->x, text->y + metrics.ascent(), QString::fromStdString(text->text));
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    core_.Form_MouseUp(CoreButton(event->button()), CoreShift(event->modifiers()),
                       event->position().x(), event->position().y());
  }

 private:
  // A label's name changes (and is announced) only when its text does.
  void FollowSpokenAreas() {
    for (const Spoken& spoken : spoken_) {
      const QString text = QString::fromStdString(spoken.text());
      if (spoken.label->accessibleName() != text) spoken.label->setAccessibleName(text);
    }
  }

  struct Spoken {
    QLabel* label;
    std::function<std::string()> text;
  };
  std::vector<Spoken> spoken_;
  frmMain& core_;
  QImage shown_;
  Rect changed_ = {0, 0, kClientWidth, kClientHeight};
};

}  // namespace

frmMainView::frmMainView(Platform& platform, std::vector<std::string> arguments)
    : core_(std::make_unique<frmMain>(platform, *this, std::move(arguments))) {
  frmMain& core = *core_;
  client_ = new ClientArea(core, this);
  setCentralWidget(client_);
  for (const ShownSurface& shown : core.ShownSurfaces())
    surface_views_.push_back(new SurfaceView(shown, client_));
  chk_pal_ = new QCheckBox(QStringLiteral("调整调色板"), client_);
  chk_pal_->setObjectName(QStringLiteral("ChkPal"));
  chk_pal_->move(471, 110);
  chk_pal_->resize(chk_pal_->sizeHint().width(), 13);
  connect(chk_pal_, &QCheckBox::toggled, this, [this](bool on) { core_->ChkPal_Click(on); });
  // Tab goes round the canvas, the tool palette, the colour palette and the check box.
  QWidget* previous = nullptr;
  for (QWidget* next :
       {client_->findChild<QWidget*>(QStringLiteral("PicMain")),
        client_->findChild<QWidget*>(QStringLiteral("PicTools")),
        client_->findChild<QWidget*>(QStringLiteral("PicPal")), static_cast<QWidget*>(chk_pal_)}) {
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }

  BuildMenus();
  setAcceptDrops(true);
  setWindowIcon(
      QIcon(QPixmap::fromImage(ToQImageWithAlpha(LoadPictureResource("window-icon.txt")))));
  setWindowTitle(QString::fromStdString(core.Caption()));
  // Fixed border: the window keeps its designed size; it can be minimised and closed but not
  // maximised (window managers go by these flags or by its minimum size equal to its maximum).
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  adjustSize();
  setFixedSize(sizeHint());
  AskForFixedFrame(*this);
}

// The widgets go before the core: their destructors still detach from the core's surfaces.
frmMainView::~frmMainView() { delete client_; }

void frmMainView::AddItems(QMenu* menu, const std::string& top,
                           const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    QAction* action = nullptr;
    if (item.IsSeparator()) {
      action = menu->addSeparator();
    } else if (!item.items.empty()) {
      QMenu* sub = menu->addMenu(QString::fromStdString(item.caption));
      AddItems(sub, top, item.items);
      action = sub->menuAction();
    } else {
      action = menu->addAction(QString());
      if (!item.shortcut.empty())
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
      const auto command = [this, top, name = item.name, index = item.index] {
        core_->MenuCommand(top, name, index);
        SyncMenu(top);
      };
      connect(action, &QAction::triggered, this, command);
      // The keys other programs use for the same command act as the item does, under its rule,
      // without changing what the menu shows.
      if (!item.more_keys.empty()) {
        auto* keys = new QAction(this);
        QList<QKeySequence> sequences;
        for (const std::string& key : item.more_keys)
          sequences << QKeySequence(QString::fromStdString(key));
        keys->setShortcuts(sequences);
        keys->setObjectName(
            QString::fromStdString(item.name + "_" + std::to_string(item.index) + "_keys"));
        addAction(keys);
        connect(keys, &QAction::triggered, this, command);
      }
    }
    action->setObjectName(QString::fromStdString(item.name + "_" + std::to_string(item.index)));
    action->setCheckable(item.checkable());
    menu_bindings_.push_back({top, item.name, item.index, action});
  }
}

void frmMainView::BuildMenus() {
  for (const MenuItem& top : core_->Menus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.caption));
    menu->setObjectName(QString::fromStdString(top.name));
    AddItems(menu, top.name, top.items);
    connect(menu, &QMenu::aboutToShow, this, [this, name = top.name] {
      open_menu_ = name;
      core_->MenuOpened(name);
      SyncMenu(name);
    });
    connect(menu, &QMenu::aboutToHide, this, [this, name = top.name] {
      if (open_menu_ == name) open_menu_.clear();
      SyncMenu(name);
    });
  }
  ControlsChanged();
}

void frmMainView::SyncItems(const std::vector<MenuItem>& items, bool open) {
  for (const MenuItem& item : items) {
    for (const MenuBinding& b : menu_bindings_) {
      if (b.item != item.name || b.index != item.index) continue;
      if (!item.IsSeparator()) {
        QString text = QString::fromStdString(item.caption);
        if (item.literal) text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (b.action->menu() != nullptr) {
          b.action->menu()->setTitle(text);
        } else {
          b.action->setText(text);
        }
      }
      // Only an open menu shows the enabling it was worked out with. A closed menu's actions stay
      // enabled, whatever was worked out last, so that every shortcut reaches the core, which
      // works the item's rule out at the moment of the key.
      b.action->setEnabled(!open || item.enabled);
      b.action->setChecked(item.checked);
      b.action->setVisible(item.visible);
    }
    SyncItems(item.items, open);
  }
}

void frmMainView::SyncMenu(const std::string& menu) {
  for (const MenuItem& top : core_->Menus())
    if (top.name == menu) SyncItems(top.items, open_menu_ == menu);
}

void frmMainView::Load() { core_->Form_Load(); }

void frmMainView::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

int frmMainView::OuterWidth() const { return frameGeometry().width(); }

int frmMainView::OuterHeight() const { return frameGeometry().height(); }

void frmMainView::Move(int left, int top) { move(left, top); }

void frmMainView::ControlsChanged() {
  if (chk_pal_ != nullptr && chk_pal_->isChecked() != core_->colours().ChkPal) {
    const QSignalBlocker block(chk_pal_);
    chk_pal_->setChecked(core_->colours().ChkPal);
  }
  for (SurfaceView* view : surface_views_) view->FollowEnabling();
  // Marks, captions and visibility follow at once.
  for (const MenuItem& top : core_->Menus()) SyncMenu(top.name);
}

void frmMainView::Close() { close(); }

void frmMainView::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  core_->Form_Unload(cancel);
  if (cancel) {
    event->ignore();
  } else {
    event->accept();
  }
}

void frmMainView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void frmMainView::dropEvent(QDropEvent* event) {
  std::vector<std::string> files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
  event->acceptProposedAction();
  core_->OpenDroppedFile(files);
}

}  // namespace pelorin
