#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <fstream>

#include "app/frmAbout.h"
#include "app/frmAboutView.h"
#include "app/frmMainView.h"
#include "colour/FrmColAdjView.h"
#include "edit/FrmClipDataView.h"
#include "extract/FrmIcons.h"
#include "extract/FrmIconsView.h"
#include "extract/IconBuilder.h"
#include "platform/FakePlatform.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtPlatform.h"
#include "transform/FrmShadesView.h"

namespace pelorin {
namespace {

QRgb ToRgb(Colour c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TEST(MainWindowView, ShowsTheTitleMenusAndClientAreaOfTheCore) {
  FakePlatform platform;
  frmMainView view(platform);
  view.Load();

  EXPECT_EQ(view.windowTitle().toStdString(), "Pelorin - 未命名");
  EXPECT_EQ(view.centralWidget()->size(), QSize(562, 348));
  QStringList titles;
  for (QAction* action : view.menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "图象(&I)", "颜色(&C)", "帮助(&H)"}));
}

TEST(MainWindowView, PaintsTheCanvasAndPreviewPixelForPixelAtTheirPlaces) {
  FakePlatform platform;
  frmMainView view(platform);
  view.Load();
  // Something recognisable in the icon.
  view.core().doc().ChangePicture([](Raster& mask, Raster& image) {
    mask.SetPixel(0, 0, kBlack);
    image.SetPixel(0, 0, 0x00FF00);
  });

  const QImage client = view.centralWidget()->grab().toImage();
  const Raster& canvas = view.core().doc().PicMain().raster();
  for (int y = 0; y < canvas.height(); y += 7)
    for (int x = 0; x < canvas.width(); x += 3)
      ASSERT_EQ(client.pixel(12 + x, 15 + y) & 0xFFFFFF, ToRgb(canvas.At(x, y)) & 0xFFFFFF)
          << x << "," << y;
  const Raster& preview = view.core().doc().picIcon().raster();
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

namespace pelorin {
namespace {

void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               QPointF at) {
  QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

TEST(MainWindowView, MouseOnTheControlsReachesTheCoreHandlers) {
  FakePlatform platform;
  frmMainView view(platform);
  view.Load();
  auto* canvas = view.findChild<QWidget*>("PicMain");
  auto* tools = view.findChild<QWidget*>("PicTools");
  auto* pal = view.findChild<QWidget*>("PicPal");
  ASSERT_TRUE(canvas && tools && pal);

  // Right button on a palette cell, then a right-button click on the canvas.
  SendMouse(pal, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton,
            {13 * 9 + 4, 13 * 15 + 4});
  EXPECT_EQ(view.core().colours().CurrentColour(1), 0x0000FFu);
  SendMouse(canvas, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {55, 65});
  SendMouse(canvas, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {55, 65});
  EXPECT_EQ(view.core().doc().PicImage().raster().At(5, 6), 0x0000FFu);

  // A hover over the tool palette shows the tool's caption; a click chooses it.
  SendMouse(tools, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {50, 5});
  EXPECT_EQ(tools->toolTip().toStdString(), "擦除");
  SendMouse(tools, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {50, 5});
  SendMouse(tools, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {50, 5});
  EXPECT_EQ(view.core().canvas().CurrentTool(), 3);
  EXPECT_EQ(canvas->cursor().shape(), Qt::BitmapCursor);
}

TEST(MainWindowView, MenuActionsAndTheCheckBoxFollowTheCore) {
  FakePlatform platform;
  frmMainView view(platform);
  view.Load();
  view.core().PicMain_MouseDown(1, 0, 15, 15);
  view.core().PicMain_MouseUp(1, 0, 15, 15);
  auto* undo = view.findChild<QAction*>("MnuEditOpts_0");
  ASSERT_NE(undo, nullptr);
  EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
  // With the menu closed the action stays enabled; the core decides when it fires.
  undo->trigger();
  EXPECT_EQ(view.core().doc().PicMask().raster().At(1, 1), kWhite);
  undo->trigger();  // nothing left to undo: nothing happens
  EXPECT_EQ(view.core().undo().Steps().UndoCount(), 1u);

  auto* random_palette = view.findChild<QAction*>("MnuColorOpts_5");
  ASSERT_NE(random_palette, nullptr);
  random_palette->trigger();
  EXPECT_TRUE(random_palette->isChecked());
  EXPECT_FALSE(view.findChild<QAction*>("MnuColorOpts_4")->isChecked());

  auto* chk = view.findChild<QCheckBox*>("ChkPal");
  ASSERT_NE(chk, nullptr);
  chk->setChecked(true);
  EXPECT_TRUE(view.core().colours().ChkPal);
  view.core().ResetDocument();
  EXPECT_FALSE(chk->isChecked());
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

TEST(MainWindowView, ClosingAsksTheCoreAndADropOpensTheFirstFile) {
  FakePlatform platform;
  frmMainView view(platform);
  view.Load();
  view.show();
  view.core().PicMain_MouseDown(1, 0, 15, 15);
  view.core().PicMain_MouseUp(1, 0, 15, 15);
  platform.answers.push_back(MsgAnswer::kCancel);
  EXPECT_FALSE(view.close()) << "Cancel on the save question keeps the window";
  EXPECT_TRUE(view.isVisible());
  ASSERT_EQ(platform.messages.size(), 1u);

  platform.answers.push_back(MsgAnswer::kNo);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString icon = dir.filePath(QStringLiteral("dropped.ico"));
  const testing::Bytes bytes = testing::BuildIco({{.data = testing::BuildDib({.bits = 24})}});
  std::ofstream(icon.toStdString(), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile(icon), QUrl::fromLocalFile(QStringLiteral("/nonexistent/second.ico"))});
  // Qt hands a drop only to the widget that accepted the drag's entry.
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &drop);
  EXPECT_EQ(view.windowTitle().toStdString(), "Pelorin - dropped.ico");
  EXPECT_TRUE(view.close()) << "nothing unsaved: the window closes without asking";
}

// Every window of a fixed size (the main window, the dialogs, message boxes) has min = max size
// and asks for no maximise button, so that window managers offer no maximising.
TEST(MainWindowView, NoWindowOfFixedSizeOffersToMaximise) {
  FakePlatform platform;
  std::vector<std::string> checked;
  const auto expect_fixed = [&](QWidget& window, const std::string& name) {
    window.show();
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << name;
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint)) << name;
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint)) << name;
    checked.push_back(name);
  };
  frmMainView main_view(platform);
  main_view.Load();
  expect_fixed(main_view, "main window");
  EXPECT_TRUE(main_view.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

  frmAbout about(platform, "Pelorin - 未命名");
  about.Form_Load();
  frmAboutView about_view(about, nullptr);
  expect_fixed(about_view, "about");
  FrmIcons icons(platform);
  icons.Form_Load();
  FrmIconsView icons_view(icons, nullptr);
  expect_fixed(icons_view, "icons");
  FrmClipData clip(platform, 48, 40);
  clip.Form_Load();
  FrmClipDataView clip_view(clip, nullptr);
  expect_fixed(clip_view, "clip");
  ColourTables tables;
  FrmColAdj col_adj(platform, tables);
  col_adj.Form_Load();
  FrmColAdjView col_adj_view(col_adj, nullptr);
  expect_fixed(col_adj_view, "colour adjustment");
  FrmShades shades(platform);
  shades.Form_Load();
  FrmShadesView shades_view(shades, nullptr);
  expect_fixed(shades_view, "gradient");

  QtPlatform qt_platform;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    expect_fixed(*box, "message box");
    box->close();
  });
  qt_platform.MsgBox("打不开文件 x.ico", MsgButtons::kOk, MsgIcon::kExclamation, "Pelorin - 错误");
  EXPECT_EQ(checked.size(), 7u);
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

// Shortcuts act on what their items' rules say at the moment of the key, whatever menu command
// came before them.
TEST(MainWindowView, ShortcutsFollowTheRulesAfterMenuCommands) {
  FakePlatform platform;
  frmMainView view(platform);
  view.Load();
  view.show();
  QApplication::setActiveWindow(&view);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  const auto choose = [&](const char* item) { view.findChild<QAction*>(item)->trigger(); };
  const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
    QTest::keyClick(&view, k, m);
  };
  frmMain& core = view.core();

  // Undo and redo chosen with the mouse, then Ctrl+Z.
  core.PicMain_MouseDown(1, 0, 15, 15);
  core.PicMain_MouseUp(1, 0, 15, 15);
  choose("MnuEditOpts_0");
  choose("MnuEditOpts_1");
  key(Qt::Key_Z);
  EXPECT_EQ(core.doc().PicMask().raster().At(1, 1), kWhite) << "Ctrl+Z undid the pixel";

  // Select all, then Del, Ctrl+C and Ctrl+X.
  choose("MnuEditOpts_9");
  key(Qt::Key_C);
  EXPECT_EQ(platform.clipboard_puts.size(), 1u) << "Ctrl+C copied";
  key(Qt::Key_X);
  EXPECT_EQ(platform.clipboard_puts.size(), 2u) << "Ctrl+X cut";
  choose("MnuEditOpts_9");
  key(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_FALSE(core.selection().Exists()) << "Del deleted";

  // Ctrl+V with a picture from another program, then Del.
  platform.clipboard = ClipboardPicture::Of(Raster(4, 4, 0x0000FF));
  key(Qt::Key_V);
  ASSERT_TRUE(core.selection().IsFloating());
  key(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_FALSE(core.selection().Exists()) << "Del deleted the pasted pixels";
  EXPECT_EQ(core.doc().picIcon().raster().At(0, 0), platform.button_face);
}

}  // namespace
}  // namespace pelorin
