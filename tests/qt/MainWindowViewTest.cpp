#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPixmap>

#include "app/SurfaceView.h"
#include "app/frmMainView.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

QRgb ToRgb(Colour c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TEST(MainWindowView, ShowsTheTitleMenusAndClientAreaOfTheCore) {
  FakePlatform platform;
  frmMainView view(platform, "");
  view.Load();

  EXPECT_EQ(view.windowTitle().toStdString(), "Pelorin - 未命名");
  EXPECT_EQ(view.centralWidget()->size(), QSize(562, 348));
  QStringList titles;
  for (QAction* action : view.menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "图象(&I)", "颜色(&C)", "帮助(&H)"}));
}

TEST(MainWindowView, PaintsTheCanvasAndPreviewPixelForPixelAtTheirPlaces) {
  FakePlatform platform;
  frmMainView view(platform, "");
  view.Load();
  // Something recognisable in the icon.
  view.core().PicMask.raster().SetPixel(0, 0, kBlack);
  view.core().PicImage.raster().SetPixel(0, 0, 0x00FF00);
  view.core().DisplayResults();

  const QImage client = view.centralWidget()->grab().toImage();
  const Raster& canvas = view.core().PicMain.raster();
  for (int y = 0; y < canvas.height(); y += 7)
    for (int x = 0; x < canvas.width(); x += 3)
      ASSERT_EQ(client.pixel(12 + x, 15 + y) & 0xFFFFFF, ToRgb(canvas.At(x, y)) & 0xFFFFFF)
          << x << "," << y;
  const Raster& preview = view.core().picIcon.raster();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(client.pixel(350 + x, 15 + y) & 0xFFFFFF, ToRgb(preview.At(x, y)) & 0xFFFFFF);
  // Around the surfaces lies the window's background.
  EXPECT_EQ(client.pixel(5, 5) & 0xFFFFFF, ToRgb(platform.button_face) & 0xFFFFFF);
}

TEST(MainWindowView, ConvertsColoursRedFirst) {
  Raster r(2, 1, kBlack);
  r.SetPixel(0, 0, 0x0000FF);  // red
  r.SetPixel(1, 0, 0xFF0000);  // blue
  const QImage image = ToQImage(r);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace pelorin
