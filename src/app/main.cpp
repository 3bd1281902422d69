// The entry procedure: screen checks, file-type registration, then the main window.
#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <string>
#include <vector>

#include "app/StartUp.h"
#include "app/frmMainView.h"
#include "platform/qt/QtPlatform.h"

namespace {

// For the start-up benchmark (bench/startup): ends the program once the window has painted.
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
  // The command line as given, before Qt takes out the options it understands.
  const std::vector<std::string> args(argv + 1, argv + argc);
  QApplication app(argc, argv);
  // The interface is Chinese throughout, the toolkit's own buttons and dialogs included.
  QTranslator toolkit_texts;
  if (toolkit_texts.load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&toolkit_texts);
  pelorin::QtPlatform platform;
  if (!pelorin::RunEntryProcedure(platform)) return 0;

  pelorin::frmMainView window(platform, pelorin::JoinArguments(args));
  platform.SetDialogParent(&window);
  window.Load();
  QuitOnFirstPaint quitter;
  if (qEnvironmentVariableIsSet("PELORIN_QUIT_WHEN_PAINTED"))
    window.centralWidget()->installEventFilter(&quitter);
  window.show();
  return QApplication::exec();
}
