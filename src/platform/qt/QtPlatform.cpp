#include "platform/qt/QtPlatform.h"

#include <unistd.h>

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>

#include "base/Geometry.h"
#include "platform/FileTypeRegistration.h"
#include "platform/ModalDialog.h"
#include "platform/SystemDirectory.h"
#include "platform/qt/DialogViews.h"
#include "platform/qt/DialogWidth.h"

namespace pelorin {

namespace {

QString FromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Colour FromQColor(const QColor& c) {
  return static_cast<Colour>(c.red()) | (static_cast<Colour>(c.green()) << 8) |
         (static_cast<Colour>(c.blue()) << 16);
}

// "desc|pattern|desc|pattern" as Qt writes filters: "desc (pattern);;desc (pattern)". The dialog
// shows each entry as written and takes the patterns from its last parentheses, so a description
// that already ends in its pattern, such as "图标文件(*.ico)", is the entry itself: appending the
// pattern again would show "图标文件(*.ico) (*.ico)".
QString QtFilter(const std::string& filter) {
  const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString shown_pattern = QLatin1Char('(') + parts[i + 1] + QLatin1Char(')');
    entries << (description.endsWith(shown_pattern)
                    ? description
                    : description + QLatin1Char(' ') + shown_pattern);
  }
  return entries.join(QStringLiteral(";;"));
}

// The toolkit's file dialog, except that a name too long for its folder is taken like any
// other: the toolkit's own dialog ignores OK for it, without a word, when the name was typed
// with its folder. The save then says that the name is too long.
class FileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    const QStringList files = selectedFiles();
    if (acceptMode() == AcceptSave && !files.isEmpty()) {
      const QFileInfo info(files.first());
      const long folder_limit =
          ::pathconf(QFile::encodeName(info.path()).constData(), _PC_NAME_MAX);
      const long limit = folder_limit > 0 ? folder_limit : NAME_MAX;
      if (!info.exists() && QFile::encodeName(info.fileName()).size() > limit) {
        QDialog::accept();
        return;
      }
    }
    QFileDialog::accept();
  }
};

std::optional<FileChoice> RunFileDialog(QWidget* parent, const FileDialogSettings& settings,
                                        bool save) {
  FileDialog dialog(parent, FromUtf8(settings.title));
  const QString filters = QtFilter(settings.filter);
  dialog.setNameFilter(filters);
  const QStringList filter_list = filters.split(QStringLiteral(";;"));
  if (settings.filter_index >= 1 && settings.filter_index <= filter_list.size())
    dialog.selectNameFilter(filter_list[settings.filter_index - 1]);
  QString suffix = FromUtf8(settings.default_extension);
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!settings.confirm_overwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!settings.initial_name.empty()) dialog.selectFile(FromUtf8(settings.initial_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().first();
  return FileChoice{path.toStdString(), QFileInfo(path).fileName().toStdString()};
}

QString SettingKey(const std::string& group, const std::string& name) {
  return FromUtf8(group) + QLatin1Char('/') + FromUtf8(name);
}

}  // namespace

MsgAnswer QtPlatform::MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                             std::string_view title) {
  QMessageBox box(parent_);
  box.setWindowTitle(FromUtf8(title));
  box.setText(FromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  // The icon's name is what a screen reader reads of it.
  QString icon_name;
  switch (icon) {
    case MsgIcon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MsgIcon::kStop:
      box.setIcon(QMessageBox::Critical);
      icon_name = QStringLiteral("错误");
      break;
    case MsgIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      icon_name = QStringLiteral("问题");
      break;
    case MsgIcon::kExclamation:
      box.setIcon(QMessageBox::Warning);
      icon_name = QStringLiteral("警告");
      break;
    case MsgIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      icon_name = QStringLiteral("信息");
      break;
  }
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
    label->setAccessibleName(icon_name);
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
  // Qt leaves room for only a short title beside the window manager's buttons ("Pe...错误"), and
  // wraps every line longer than half the screen anywhere, inside a Chinese word too ("象/素" on
  // a 640-pixel screen). A line that fits on the screen keeps its room; longer ones still wrap.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const QMargins margins = grid->contentsMargins();
    const int least = TitleBarWidth(box.windowTitle()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(least, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int longest = 0;
    for (const QString& line : box.text().split(QLatin1Char('\n')))
      longest = std::max(longest, label->fontMetrics().horizontalAdvance(line) + 1);
    const QScreen* screen =
        parent_ != nullptr ? parent_->screen() : QGuiApplication::primaryScreen();
    // What the box needs beside its text: the icon, the margins and the window's frame.
    constexpr int kBeside = 160;
    if (screen != nullptr && longest <= screen->availableGeometry().width() - kBeside)
      label->setMinimumWidth(longest);
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
  // The toolkit's dialog keeps a blank label for what it says while a colour is picked from the
  // screen; a screen reader is told what it is for.
  for (QLabel* label : dialog.findChildren<QLabel*>())
    if (label->text().trimmed().isEmpty() && label->pixmap().isNull())
      label->setAccessibleName(QStringLiteral("屏幕取色"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

std::optional<FileChoice> QtPlatform::ShowOpen(const FileDialogSettings& settings) {
  return RunFileDialog(parent_, settings, false);
}

std::optional<FileChoice> QtPlatform::ShowSaveAs(const FileDialogSettings& settings) {
  return RunFileDialog(parent_, settings, true);
}

void QtPlatform::ShowDialog(Dialog& dialog) {
  if (const DialogShower show = FindDialogView(dialog)) {
    show(dialog, *this);
  } else {
    // A dialog without a view is a fault of the build; the dialog counts as closed.
    qWarning("Pelorin: no view is registered for the dialog %s", typeid(dialog).name());
  }
}

void QtPlatform::RunModal(QDialog& view, Dialog& dialog) const {
  // A dialog whose layout fixes its size knows it once the layout has run.
  view.adjustSize();
  dialog.PlaceOnScreen(view.width(), view.height());
  view.move(dialog.Left(), dialog.Top());
  view.exec();
}

std::string QtPlatform::SystemDirectory() const {
  return FindSystemDirectory(WineSystemFolders([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }));
}

std::optional<std::string> QtPlatform::GetSetting(const std::string& group,
                                                  const std::string& name) {
  const QSettings store(QStringLiteral("Tamsery"), QStringLiteral("Pelorin"));
  const QVariant value = store.value(SettingKey(group, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtPlatform::SetSetting(const std::string& group, const std::string& name,
                            const std::string& value) {
  QSettings store(QStringLiteral("Tamsery"), QStringLiteral("Pelorin"));
  store.setValue(SettingKey(group, name), FromUtf8(value));
}

void QtPlatform::DeleteSetting(const std::string& group, const std::string& name) {
  QSettings store(QStringLiteral("Tamsery"), QStringLiteral("Pelorin"));
  store.remove(SettingKey(group, name));
}

std::optional<std::string> QtPlatform::GetSystemSetting(const std::string& group,
                                                        const std::string& name) {
  const QSettings store(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Tamsery"),
                        QStringLiteral("Pelorin"));
  const QVariant value = store.value(SettingKey(group, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

bool QtPlatform::StartProgram(const std::string& program, const std::vector<std::string>& args) {
  QStringList arguments;
  for (const std::string& a : args) arguments << FromUtf8(a);
  return QProcess::startDetached(FromUtf8(program), arguments);
}

std::string QtPlatform::FindProgram(const std::string& name) {
  return QStandardPaths::findExecutable(FromUtf8(name)).toStdString();
}

bool QtPlatform::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(FromUtf8(url)));
}

void QtPlatform::SetScreenPointer(ScreenPointer pointer) {
  if (pointer == screen_pointer_) return;
  if (pointer == ScreenPointer::kHourglass) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
  screen_pointer_ = pointer;
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
    case SysColour::kDarkShadow:
      return FromQColor(palette.color(QPalette::Shadow));
    case SysColour::kLight:
      return FromQColor(palette.color(QPalette::Midlight));
  }
  return FromQColor(palette.color(QPalette::Button));
}

std::string QtPlatform::ProgramPath() const {
  return QCoreApplication::applicationFilePath().toStdString();
}

void QtPlatform::RegisterIconFileType(const std::string& program_path) {
  pelorin::RegisterIconFileType(
      RegisteredProgram(program_path, qEnvironmentVariable("PATH").toStdString()),
      XdgDirsFromEnvironment());
}

void QtPlatform::DoEvents() { QCoreApplication::processEvents(); }

void QtPlatform::Beep() { QApplication::beep(); }

std::uint32_t QtPlatform::ClockSeed() const {
  return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace pelorin
