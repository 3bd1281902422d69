#include "app/frmMainView.h"

#include <QMenuBar>
#include <QPainter>

#include "app/SurfaceView.h"
#include "raster/Picture.h"

namespace pelorin {

namespace {

QColor ToQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// The client area: the window's background colour under the surfaces.
class ClientArea : public QWidget {
 public:
  ClientArea(Colour back, QWidget* parent) : QWidget(parent), back_(back) {
    setFixedSize(kClientWidth, kClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(back_));
  }

 private:
  Colour back_;
};

// The window's own icon, with its mask as alpha.
QIcon WindowIcon() {
  const Picture pic = LoadPictureResource("window-icon.txt");
  if (pic.image.empty()) return {};
  QImage image = ToQImage(pic.image).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (pic.mask.At(x, y) == kWhite) image.setPixel(x, y, 0);
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

frmMainView::frmMainView(Platform& platform, std::string command_line)
    : core_(std::make_unique<frmMain>(platform, *this, std::move(command_line))) {
  client_ = new ClientArea(core_->BackColor(), this);
  setCentralWidget(client_);
  for (const Placement& p : core_->ShownSurfaces()) {
    auto* view = new SurfaceView(*p.surface, client_);
    view->move(p.left, p.top);
  }
  BuildMenus();
  setWindowIcon(WindowIcon());
  setWindowTitle(QString::fromUtf8(core_->Caption().c_str()));
  // Fixed border: the window keeps its designed size.
  adjustSize();
  setFixedSize(sizeHint());
}

frmMainView::~frmMainView() = default;

void frmMainView::BuildMenus() {
  for (const MenuItem& top : core_->Menus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.caption));
    menu->setObjectName(QString::fromStdString(top.name));
  }
}

void frmMainView::Load() { core_->Form_Load(); }

void frmMainView::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

int frmMainView::OuterWidth() const { return frameGeometry().width(); }

int frmMainView::OuterHeight() const { return frameGeometry().height(); }

void frmMainView::Move(int left, int top) { move(left, top); }

}  // namespace pelorin
