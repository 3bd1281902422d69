// Writes the program's icon (resources/window-icon.txt, 32 x 32) as the PNG files of the hicolor
// icon theme: <folder>/<n>x<n>/apps/pelorin.png for each size given. Sizes that are whole
// multiples of 32 repeat each pixel as a block, so the pixel art stays sharp; the others are
// scaled smoothly.
#include <QDir>
#include <QImage>
#include <cstdio>
#include <string>

#include "platform/qt/QtConvert.h"
#include "raster/Picture.h"

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
    return 2;
  }
  const QImage icon = pelorin::ToQImageWithAlpha(pelorin::LoadPictureResource("window-icon.txt"));
  for (int i = 2; i < argc; ++i) {
    const int size = std::stoi(argv[i]);
    const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    const auto mode = size % icon.width() == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
    if (!QDir().mkpath(folder) ||
        !icon.scaled(size, size, Qt::IgnoreAspectRatio, mode).save(folder + "/pelorin.png")) {
      std::fprintf(stderr, "cannot write %s/pelorin.png\n", folder.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
