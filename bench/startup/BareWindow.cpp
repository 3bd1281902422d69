// The yardstick for start-up time: the smallest Qt window, quitting once it has painted.
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

class QuitOnFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(562, 348);
  QuitOnFirstPaint quitter;
  window.installEventFilter(&quitter);
  window.show();
  return QApplication::exec();
}
