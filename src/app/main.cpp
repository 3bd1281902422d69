// The entry procedure: screen checks, file-type registration, then the main window.
#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/DesktopSession.h"
#include "app/StartUp.h"
#include "app/frmMainView.h"
#include "platform/qt/DisplayProbe.h"
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
  const pelorin::Environment env = [](const char* name) { return std::getenv(name); };
  if (!pelorin::HasGraphicalSession(args, env)) {
    std::fputs(pelorin::kNoDisplayMessage.data(), stderr);
    return 1;
  }
  // On a Wayland desktop the program runs through XWayland, where it can place its windows and
  // hold the pointer during a screen capture.
  if (const auto platform = pelorin::PlatformForSession(args, env))
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
  // A display that is set but gone would make the toolkit abort. The probe's X connection stays
  // open until the toolkit has its own, so that a server with no other client does not reset
  // in between.
  pelorin::X11DisplayHold x11_probe;
  const auto answers = [&x11_probe](const pelorin::DisplayToTry& display) {
    return display.kind == pelorin::DisplayToTry::Kind::kX11
               ? x11_probe.Answers(display.address)
               : pelorin::WaylandDisplayAnswers(display.address);
  };
  if (const auto message = pelorin::UnreachableDisplayMessage(args, env, answers)) {
    std::fputs(message->c_str(), stderr);
    return 1;
  }
  // The canvas shows each icon pixel as a block of device pixels; at a fractional scale the
  // blocks would come out unequal (11 or 12 pixels for a cell of 10 at 1.25). So the scale is
  // always whole: the screen's own factor is rounded, and so are factors set by hand.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"})
    if (const char* value = std::getenv(name))
      qputenv(name, QByteArray::fromStdString(pelorin::WholeScaleFactors(value)));
  QApplication app(argc, argv);
  x11_probe.Release();
  // The interface is Chinese throughout, the toolkit's own buttons and dialogs included.
  QTranslator toolkit_texts;
  if (toolkit_texts.load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&toolkit_texts);
  pelorin::QtPlatform platform;
  if (!pelorin::RunEntryProcedure(platform)) return 0;

  // The arguments left once the toolkit took out the options it understands (-platform, ...).
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  pelorin::frmMainView window(platform, arguments);
  platform.SetDialogParent(&window);
  window.Load();
  QuitOnFirstPaint quitter;
  if (qEnvironmentVariableIsSet("PELORIN_QUIT_WHEN_PAINTED"))
    window.centralWidget()->installEventFilter(&quitter);
  window.show();
  return QApplication::exec();
}
