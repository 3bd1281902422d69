// The Qt wiring tests need one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The offscreen platform says, for every menu that opens, that it cannot raise a window or grab
// the keyboard; those lines would bury the tests' own output.
void QuietAboutTheOffscreenPlatform(QtMsgType type, const QMessageLogContext& context,
                                    const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // No display is needed, also when CTest lists the tests.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  qInstallMessageHandler(QuietAboutTheOffscreenPlatform);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
