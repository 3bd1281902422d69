#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <chrono>

#include "app/FileTypeRegistration.h"

namespace pelorin {

namespace {

QString FromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Colour FromQColor(const QColor& c) {
  return static_cast<Colour>(c.red()) | (static_cast<Colour>(c.green()) << 8) |
         (static_cast<Colour>(c.blue()) << 16);
}

}  // namespace

MsgAnswer QtPlatform::MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                             std::string_view title) {
  QMessageBox box(parent_);
  box.setWindowTitle(FromUtf8(title));
  box.setText(FromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  switch (icon) {
    case MsgIcon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MsgIcon::kStop:
      box.setIcon(QMessageBox::Critical);
      break;
    case MsgIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case MsgIcon::kExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MsgIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
  }
  switch (buttons) {
    case MsgButtons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MsgButtons::kOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MsgButtons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MsgButtons::kYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return MsgAnswer::kOk;
    case QMessageBox::Yes:
      return MsgAnswer::kYes;
    case QMessageBox::No:
      return MsgAnswer::kNo;
    default:
      return MsgAnswer::kCancel;
  }
}

std::optional<Colour> QtPlatform::ShowColor() {
  // No starting colour is preselected: the dialog opens on white, as the system's does.
  QColorDialog dialog(Qt::white, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

int QtPlatform::ScreenWidth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size().width() : 0;
}

int QtPlatform::ScreenHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size().height() : 0;
}

int QtPlatform::ScreenBitsPerPixel() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 0;
}

Colour QtPlatform::SysColor(SysColour which) const {
  const QPalette palette = QApplication::palette();
  switch (which) {
    case SysColour::kButtonFace:
      return FromQColor(palette.color(QPalette::Button));
    case SysColour::kButtonShadow:
      return FromQColor(palette.color(QPalette::Dark));
    case SysColour::kButtonHighlight:
      return FromQColor(palette.color(QPalette::Light));
  }
  return FromQColor(palette.color(QPalette::Button));
}

std::string QtPlatform::ProgramPath() const {
  return QCoreApplication::applicationFilePath().toStdString();
}

void QtPlatform::RegisterIconFileType(const std::string& program_path) {
  pelorin::RegisterIconFileType(program_path, XdgDirsFromEnvironment());
}

void QtPlatform::DoEvents() { QCoreApplication::processEvents(); }

void QtPlatform::Beep() { QApplication::beep(); }

std::uint32_t QtPlatform::ClockSeed() const {
  return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace pelorin
