// The capture window on screen and the screen image's conversion: a release takes the block
// under the drawn pointer, Esc and closing take nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "platform/qt/QtConvert.h"
#include "platform/qt/ScreenGrab.h"
#include "transform/FrmSnapView.h"

namespace pelorin {
namespace {

// A frozen screen as large as the test screen, each pixel telling its place.
Raster FrozenScreen() {
  const QSize size = QGuiApplication::primaryScreen()->size();
  Raster r(size.width(), size.height(), kBlack);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      r.SetPixel(x, y, static_cast<Colour>((x % 256) | ((y % 256) << 8) | ((x / 256) << 16)));
  return r;
}

void Mouse(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button) {
  QMouseEvent event(type, at, w.mapToGlobal(at), button,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

TEST(SnapView, AReleaseTakesTheBlockAndClosesTheWindow) {
  FrmSnap core(FrozenScreen());
  core.Form_Load();
  FrmSnapView view(core, nullptr);
  view.show();
  EXPECT_EQ(view.cursor().shape(), Qt::BlankCursor);
  Mouse(view, QEvent::MouseMove, QPointF(5000, 5000), Qt::NoButton);
  EXPECT_EQ(core.HotX(), core.ScreenWidth() - 32);
  EXPECT_EQ(core.HotY(), core.ScreenHeight() - 32);
  Mouse(view, QEvent::MouseButtonPress, QPointF(40, 50), Qt::RightButton);
  Mouse(view, QEvent::MouseButtonRelease, QPointF(40, 50), Qt::RightButton);
  EXPECT_TRUE(core.Taken());
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(core.Block().At(0, 0), core.Screen().At(40, 50));
  EXPECT_EQ(core.Block().At(31, 31), core.Screen().At(71, 81));
}

TEST(SnapView, EscAndClosingTakeNothing) {
  for (const bool esc : {true, false}) {
    FrmSnap core(FrozenScreen());
    core.Form_Load();
    FrmSnapView view(core, nullptr);
    view.show();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(&view, &other);
    EXPECT_TRUE(view.isVisible());
    if (esc) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(&view, &press);
    } else {
      view.close();
    }
    EXPECT_FALSE(view.isVisible()) << esc;
    EXPECT_FALSE(core.Taken()) << esc;
  }
}

TEST(SnapView, ScreenImagesBecomeRastersAndAreCutToTheScreen) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, 0xFF112233);
  image.setPixel(1, 0, 0x80FFFFFF);
  image.setPixel(2, 0, 0xFF000000);
  const Raster r = RasterFromImage(image);
  ASSERT_EQ(r.width(), 3);
  EXPECT_EQ(r.At(0, 0), 0x332211u);
  EXPECT_EQ(r.At(2, 0), kBlack);

  // One screen: a desktop image of its size is the screen; one of twice the size is a desktop
  // taken at a scale of two, and comes whole.
  QScreen* screen = QGuiApplication::primaryScreen();
  const QImage desktop(screen->size(), QImage::Format_RGB32);
  EXPECT_EQ(CutOutScreen(desktop, screen).size(), screen->size());
  const QImage doubled(screen->size() * 2, QImage::Format_RGB32);
  EXPECT_EQ(CutOutScreen(doubled, screen).size(), screen->size() * 2);
  EXPECT_TRUE(CutOutScreen(QImage(), screen).isNull());
}

}  // namespace
}  // namespace pelorin
