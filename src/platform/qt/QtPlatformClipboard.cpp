// The system clipboard through Qt. Under X11 the clipboard's content stays with the program that
// set it, which serves other programs from then on: the data set here belongs to the application's
// clipboard object and lives as long as the program (or until another program takes the
// clipboard), whatever window or dialog is open. Qt hands it to a desktop clipboard manager, where
// there is one, when the program ends.
#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/ClipboardData.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

bool QtPlatform::ClipboardHasPicture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && OffersPicture(*data);
}

ClipboardPicture QtPlatform::GetClipboardPicture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr ? ReadPicture(*data) : ClipboardPicture{};
}

ClipboardPicture QtPlatform::ReadPictureFile(const std::string& path) {
  return ReadPictureFromFile(QString::fromStdString(path));
}

void QtPlatform::SetClipboardPicture(const Raster& picture, const Raster* transparency) {
  QGuiApplication::clipboard()->setMimeData(PictureMimeData(picture, transparency).release());
}

}  // namespace pelorin
