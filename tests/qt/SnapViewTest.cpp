// The capture window on screen and the screen image's conversion: a release takes the block
// under the drawn pointer, Esc and closing take nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <utility>

#include "platform/FakePlatform.h"
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
  FakePlatform platform;
  FrmSnap core(platform, FrozenScreen());
  core.Form_Load();
  FrmSnapView view(core, nullptr);
  view.show();
  EXPECT_EQ(view.cursor().shape(), Qt::BlankCursor);
  // The pointer is held within the screen less one block: the hot spot, and the real pointer
  // with it, which is moved back to where the drawn one stops (and left alone inside).
  const int right = core.ScreenWidth() - 32;
  const int bottom = core.ScreenHeight() - 32;
  const QPoint inside = view.mapToGlobal(QPoint(10, 20));
  QCursor::setPos(inside);
  for (const auto& [to, held] : {std::pair{QPoint(5000, 5000), QPoint(right, bottom)},
                                 {QPoint(-40, 7), QPoint(0, 7)},
                                 {QPoint(right + 1, 3), QPoint(right, 3)},
                                 {QPoint(30, bottom), QPoint(30, bottom)}}) {
    const QPoint before = QCursor::pos();
    Mouse(view, QEvent::MouseMove, QPointF(to), Qt::NoButton);
    EXPECT_EQ(QPoint(core.HotX(), core.HotY()), held) << to.x() << "," << to.y();
    EXPECT_EQ(QCursor::pos(), to == held ? before : view.mapToGlobal(held))
        << to.x() << "," << to.y();
  }
  Mouse(view, QEvent::MouseMove, QPointF(5000, 5000), Qt::NoButton);
  EXPECT_EQ(core.HotX(), right);
  EXPECT_EQ(core.HotY(), bottom);
  Mouse(view, QEvent::MouseButtonPress, QPointF(40, 50), Qt::RightButton);
  Mouse(view, QEvent::MouseButtonRelease, QPointF(40, 50), Qt::RightButton);
  EXPECT_TRUE(core.Taken());
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(core.Block().At(0, 0), core.Screen().At(40, 50));
  EXPECT_EQ(core.Block().At(31, 31), core.Screen().At(71, 81));
}

TEST(SnapView, EscAndClosingTakeNothing) {
  for (const bool esc : {true, false}) {
    FakePlatform platform;
    FrmSnap core(platform, FrozenScreen());
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
