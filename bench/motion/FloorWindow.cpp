// The floor of a pointer move under Qt: a window as large as the editor's that only repaints an
// 11 x 11 block under the pointer and a small field on every move, as a pencil stroke does.
// bench/motion/measure.sh measures it beside the editor, so the editor's own share shows.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

class Floor : public QWidget {
 public:
  Floor() : picture_(562, 348, QImage::Format_RGB32) {
    setFixedSize(562, 370);
    setMouseTracking(true);
    picture_.fill(Qt::white);
    setWindowTitle(QStringLiteral("Pelorin - floor"));
  }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint p = event->position().toPoint();
    update(QRect(p.x() - 5, p.y() - 5, 11, 11));
    update(QRect(370, 62, 43, 15));
  }
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.drawImage(event->rect(), picture_, event->rect());
  }

 private:
  QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Floor floor;
  floor.show();
  return app.exec();
}
