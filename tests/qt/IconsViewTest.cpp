#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>

#include "app/frmMainView.h"
#include "extract/FrmIcons.h"
#include "extract/FrmIconsView.h"
#include "extract/LibraryBuilder.h"
#include "platform/FakePlatform.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/SurfaceView.h"

namespace pelorin {
namespace {

using namespace pelorin::testing;

void Click(QWidget* w, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

struct LoadedBrowser {
  LoadedBrowser() { core.Form_Load(); }
  FakePlatform platform;
  FrmIcons core{platform};
};

TEST(IconsView, ShowsTheCoresLayoutCaptionAndLabel) {
  LoadedBrowser b;
  FrmIconsView view(b.core, nullptr);
  view.show();
  EXPECT_EQ(view.windowTitle().toStdString(), b.core.Caption());
  EXPECT_EQ(view.size(), QSize(417, 245));
  auto* frame = view.findChild<QFrame*>(QStringLiteral("PicFrame"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->geometry(), QRect(8, 8, 401, 194));
  auto* grid = view.findChild<SurfaceView*>(QStringLiteral("PicIcons"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->size(), QSize(380, 190));
  auto* vsb = view.findChild<QScrollBar*>(QStringLiteral("Vsb"));
  ASSERT_NE(vsb, nullptr);
  EXPECT_FALSE(vsb->isEnabled());
  const auto* label = view.findChild<QLabel*>(QStringLiteral("LblInfo"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("1 号图标被选中"));
  for (const auto& [name, text, left] : {std::tuple{"CmdBrowse", "浏览&B", 206},
                                         {"CmdOk", "确定&Ok", 276},
                                         {"CmdCancel", "取消&C", 347}}) {
    auto* button = view.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->text(), QString::fromUtf8(text));
    EXPECT_EQ(button->geometry(), QRect(left, 212, 65, 25));
  }
  EXPECT_TRUE(view.findChild<QPushButton*>(QStringLiteral("CmdOk"))->isDefault());

  // A click on the grid reaches the core and the label follows.
  Click(grid, QEvent::MouseButtonPress, {38 + 5, 38 + 5});
  Click(grid, QEvent::MouseButtonRelease, {38 + 5, 38 + 5});
  EXPECT_EQ(b.core.SelectedIndex(), 11);
  EXPECT_EQ(label->text(), QStringLiteral("12 号图标被选中"));
}

TEST(IconsView, OkCancelEscAndTheCloseBoxReportTheirOutcome) {
  for (const char* way : {"CmdOk", "CmdCancel", "close", "Esc", "Enter", "double-click"}) {
    SCOPED_TRACE(way);
    LoadedBrowser b;
    FrmIconsView view(b.core, nullptr);
    view.show();
    const std::string w = way;
    if (w == "close") {
      view.close();
    } else if (w == "Esc" || w == "Enter") {
      QKeyEvent press(QEvent::KeyPress, w == "Esc" ? Qt::Key_Escape : Qt::Key_Return,
                      Qt::NoModifier);
      QApplication::sendEvent(view.focusWidget() ? view.focusWidget() : &view, &press);
    } else if (w == "double-click") {
      auto* grid = view.findChild<SurfaceView*>(QStringLiteral("PicIcons"));
      Click(grid, QEvent::MouseButtonDblClick, {38 * 2 + 5, 5});
    } else {
      view.findChild<QPushButton*>(QString::fromLatin1(way))->click();
    }
    EXPECT_FALSE(view.isVisible());
    const std::string want = w == "CmdOk" || w == "Enter" || w == "double-click" ? "Ok"
                             : w == "CmdCancel"                                  ? "Cancelled"
                                                                                 : "";
    EXPECT_EQ(b.core.Tag, want);
    if (w == "double-click") {
      EXPECT_EQ(b.core.CmdBrowse_Tag, "2");
    }
  }
}

// The grid scrolls a row an arrow, the rows shown a click in the trough, and with the wheel over
// the grid.
TEST(IconsView, TheScrollBarTheWheelAndTheArrowsMoveTheGrid) {
  LoadedBrowser b;
  std::vector<LibraryIcon> icons;
  for (int k = 0; k < 120; ++k)
    icons.push_back({"", static_cast<std::uint16_t>(k + 1), {SolidImage(32, 0x404040)}});
  const auto path = std::filesystem::temp_directory_path() /
                    ("pelorin-view-" + std::to_string(::getpid()) + ".dll");
  const Bytes bytes = BuildPe(icons);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  b.platform.open_answers.push_back(FileChoice{path.string(), "many.dll"});
  FrmIconsView view(b.core, nullptr);
  view.show();
  view.findChild<QPushButton*>(QStringLiteral("CmdBrowse"))->click();
  std::filesystem::remove(path);
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Pelorin - many.dll - 120 个图标"));
  auto* vsb = view.findChild<QScrollBar*>(QStringLiteral("Vsb"));
  auto* grid = view.findChild<SurfaceView*>(QStringLiteral("PicIcons"));
  EXPECT_TRUE(vsb->isEnabled());
  EXPECT_EQ(vsb->maximum(), 12 * 38 - 190);
  EXPECT_EQ(grid->size(), QSize(380, 12 * 38));
  // The bottom arrow, then the trough below the thumb.
  Click(vsb, QEvent::MouseButtonPress, {8, vsb->height() - 4});
  Click(vsb, QEvent::MouseButtonRelease, {8, vsb->height() - 4});
  EXPECT_EQ(b.core.Vsb().Value, 38);
  EXPECT_EQ(grid->pos(), QPoint(0, -38));
  Click(vsb, QEvent::MouseButtonPress, {8, vsb->height() - 24});
  Click(vsb, QEvent::MouseButtonRelease, {8, vsb->height() - 24});
  EXPECT_EQ(b.core.Vsb().Value, 38 + 190);
  // One notch of the wheel down, then up, over the grid.
  for (const int notch : {-120, 120}) {
    const int before = b.core.Vsb().Value;
    QWheelEvent wheel(QPointF(50, 50), grid->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, notch), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &wheel);
    const int moved = (b.core.Vsb().Value - before) * (notch < 0 ? 1 : -1);
    EXPECT_GE(moved, 38) << notch;
    EXPECT_LE(moved, 190) << notch;
    EXPECT_EQ(grid->pos(), QPoint(0, -b.core.Vsb().Value));
  }
}

// The menu item through the real platform: the dialog opens modally over the window and its
// outcome reaches the document.
TEST(IconsView, TheExtractMenuItemShowsTheBrowserModally) {
  QtPlatform platform;
  frmMainView main(platform);
  main.Load();
  platform.SetDialogParent(&main);
  // The browser's loading lets pending events run before the dialog shows: look until it does.
  bool seen = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* view = qobject_cast<FrmIconsView*>(QApplication::activeModalWidget());
    if (view == nullptr) return;
    seen = true;
    poll.stop();
    view->findChild<QPushButton*>(QStringLiteral("CmdCancel"))->click();
  });
  poll.start(5);
  main.core().MenuCommand("MnuFile", "MnuExtract", 0);
  EXPECT_TRUE(seen);
  EXPECT_EQ(main.core().undo().Steps().UndoCount(), 1u);
}

}  // namespace
}  // namespace pelorin
