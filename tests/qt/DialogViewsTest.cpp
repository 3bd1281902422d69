// The modal dialogs on screen: OK, Cancel and the close box report through the tag, controls
// reach the core, the platform shows each one modally, and the file dialogs show the filters.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/frmAbout.h"
#include "colour/FrmColAdjView.h"
#include "edit/FrmClipDataView.h"
#include "extract/FrmIcons.h"
#include "platform/FakePlatform.h"
#include "platform/qt/DialogWidth.h"
#include "platform/qt/QtPlatform.h"
#include "transform/FrmShadesView.h"
#include "transform/FrmSnap.h"

namespace pelorin {
namespace {

template <typename T>
T* Child(const QWidget& view, const char* name) {
  auto* w = view.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

QString LabelText(const QWidget& view, const char* name) {
  const auto* label = Child<QLabel>(view, name);
  return label ? label->text() : QString();
}

void ClickOn(QWidget* w, QPoint at);

void PressKey(QWidget* w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
}

// The ways out of a dialog and the tag each leaves. Enter and Esc go where the keyboard's keys
// go: to the control that has the focus when the dialog opens.
enum class Way { kOk, kCancel, kCloseBox, kEnter, kEsc };

template <typename View, typename Core>
void ExpectOutcome(Core& core, Way way) {
  View view(core, nullptr);
  view.show();
  QWidget* focus = view.focusWidget() ? view.focusWidget() : &view;
  if (way == Way::kOk) Child<QPushButton>(view, "CmdOk")->click();
  if (way == Way::kCancel) Child<QPushButton>(view, "CmdCancel")->click();
  if (way == Way::kCloseBox) view.close();
  if (way == Way::kEnter) PressKey(focus, Qt::Key_Return);
  if (way == Way::kEsc) PressKey(focus, Qt::Key_Escape);
  EXPECT_FALSE(view.isVisible());
  const bool ok = way == Way::kOk || way == Way::kEnter;
  EXPECT_EQ(core.Tag, ok ? "Ok" : way == Way::kCancel ? "Cancelled" : "");
}

TEST(DialogViews, EachDialogReportsOkCancelTheCloseBoxEnterAndEsc) {
  FakePlatform platform;
  ColourTables tables;
  for (const Way way : {Way::kOk, Way::kCancel, Way::kCloseBox, Way::kEnter, Way::kEsc}) {
    SCOPED_TRACE(static_cast<int>(way));
    FrmClipData clip(platform, 48, 40);
    clip.Form_Load();
    ExpectOutcome<FrmClipDataView>(clip, way);
    FrmColAdj col_adj(platform, tables);
    col_adj.Form_Load();
    ExpectOutcome<FrmColAdjView>(col_adj, way);
    FrmShades shades(platform);
    shades.Form_Load();
    ExpectOutcome<FrmShadesView>(shades, way);
  }
}

TEST(DialogViews, EscClosesLikeTheCloseBox) {
  FakePlatform platform;
  FrmShades shades(platform);
  shades.Form_Load();
  FrmShadesView view(shades, nullptr);
  view.show();
  PressKey(&view, Qt::Key_Escape);
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(shades.Tag, "");
}

TEST(DialogViews, TheClipDialogShowsItsTextsAndSizeAndReportsTheOption) {
  FakePlatform platform;
  FrmClipData core(platform, 48, 40);
  core.Form_Load();
  FrmClipDataView view(core, nullptr);
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Pelorin - 图象粘贴"));
  view.show();
  EXPECT_EQ(view.height(), 153);
  EXPECT_GE(view.width(), 201);
  EXPECT_EQ(view.pos(), QPoint(core.Left(), core.Top()));
  EXPECT_EQ(Child<QGroupBox>(view, "fraShrink")->title(), QStringLiteral("准备如何操作？"));
  EXPECT_EQ(Child<QPushButton>(view, "CmdOk")->text(), QStringLiteral("确定(&O)"));
  EXPECT_EQ(Child<QPushButton>(view, "CmdCancel")->geometry(), QRect(106, 123, 85, 25));
  auto* first = Child<QRadioButton>(view, "Opt_0");
  auto* second = Child<QRadioButton>(view, "Opt_1");
  EXPECT_TRUE(first->isChecked());
  EXPECT_EQ(second->geometry(), QRect(8, 40, 162, 24));
  second->click();
  EXPECT_EQ(core.Choice(), ShrinkOption::kProportional);
  first->click();
  EXPECT_EQ(core.Choice(), ShrinkOption::kSqueeze);
  // The size message is printed by the core's paint.
  view.grab();
  ASSERT_EQ(core.Printed.size(), 2u);
  EXPECT_EQ(core.Printed[1].text, "为 48 x 40 象素。");
}

// Each dialog is wide enough for its title beside the window manager's buttons and for its
// printed lines with the client area's margin; widened, it keeps its controls' places, centred.
TEST(DialogViews, TitlesAndPrintedLinesShowWhole) {
  FakePlatform platform;
  ColourTables tables;
  FrmClipData clip(platform, 4096, 4096);
  clip.Form_Load();
  FrmColAdj col_adj(platform, tables);
  col_adj.Form_Load();
  FrmShades shades(platform);
  shades.Form_Load();
  FrmClipDataView clip_view(clip, nullptr);
  FrmColAdjView col_adj_view(col_adj, nullptr);
  FrmShadesView shades_view(shades, nullptr);
  const std::pair<QWidget*, ModalDialog*> dialogs[] = {
      {&clip_view, &clip}, {&col_adj_view, &col_adj}, {&shades_view, &shades}};
  for (const auto& [view, core] : dialogs) {
    SCOPED_TRACE(view->objectName().toStdString());
    view->show();
    EXPECT_GE(view->width(), TitleBarWidth(view->windowTitle()));
    EXPECT_GE(view->width(), core->ClientWidth());
    EXPECT_EQ(view->height(), core->ClientHeight());
    const int left = Child<QPushButton>(*view, "CmdOk")->mapTo(view, QPoint(0, 0)).x() -
                     Child<QPushButton>(*view, "CmdOk")->x();
    EXPECT_EQ(left, (view->width() - core->ClientWidth()) / 2);
    const QFontMetrics metrics(view->font());
    for (const PrintedText& text : core->Printed) {
      EXPECT_LE(left + text.x + metrics.horizontalAdvance(QString::fromStdString(text.text)) + 8,
                view->width())
          << text.text;
    }
  }
}

// Message boxes: the title shows whole however short the text, Enter presses the default button
// (OK, or Yes) and Esc cancels (or closes a box that has only OK).
TEST(DialogViews, MessageBoxesShowTheirTitleAndTakeEnterAndEsc) {
  QtPlatform platform;
  struct Case {
    MsgButtons buttons;
    int key;
    MsgAnswer answer;
  };
  const Case cases[] = {
      {MsgButtons::kOk, Qt::Key_Return, MsgAnswer::kOk},
      {MsgButtons::kOk, Qt::Key_Escape, MsgAnswer::kOk},
      {MsgButtons::kOkCancel, Qt::Key_Return, MsgAnswer::kOk},
      {MsgButtons::kOkCancel, Qt::Key_Escape, MsgAnswer::kCancel},
      {MsgButtons::kYesNoCancel, Qt::Key_Return, MsgAnswer::kYes},
      {MsgButtons::kYesNoCancel, Qt::Key_Escape, MsgAnswer::kCancel},
  };
  // A line that fits on the screen is not wrapped (Qt would wrap it at half the screen's width,
  // anywhere in a Chinese word).
  const QString line = QStringLiteral("剪贴板图象尺寸大于图标尺寸要求，").repeated(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    int width = 0;
    int label_width = 0;
    int line_width = 0;
    QString title;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      width = box->width();
      title = box->windowTitle();
      const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
      ASSERT_NE(label, nullptr);
      label_width = label->width();
      line_width = label->fontMetrics().horizontalAdvance(line);
      PressKey(box->focusWidget() ? box->focusWidget() : box, c.key);
    });
    const std::string text = c.buttons == MsgButtons::kOk ? "找不到 /a" : line.toStdString();
    EXPECT_EQ(platform.MsgBox(text, c.buttons, MsgIcon::kExclamation, "Pelorin - 错误"), c.answer);
    EXPECT_EQ(title, QStringLiteral("Pelorin - 错误"));
    EXPECT_GE(width, TitleBarWidth(title));
    if (c.buttons != MsgButtons::kOk) {
      EXPECT_GE(label_width, line_width);
    }
  }
}

TEST(DialogViews, TheColourBarsRaiseWithTheUpArrowAndReset) {
  FakePlatform platform;
  ColourTables tables;
  Raster mask(32, 32, kBlack);
  Raster image(32, 32, 0x646464);
  tables.Load(mask, image);
  FrmColAdj core(platform, tables);
  core.Form_Load();
  FrmColAdjView view(core, nullptr);
  EXPECT_EQ(view.size(), QSize(233, 99));
  view.show();
  auto* brightness = Child<QScrollBar>(view, "VsbBrightness");
  EXPECT_EQ(brightness->geometry(), QRect(80, 10, 16, 13));
  // A tab stop, so that the keyboard reaches it; a screen reader hears the dialog's value, not
  // the negated one the bar holds.
  EXPECT_EQ(brightness->focusPolicy(), Qt::StrongFocus);
  QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(brightness);
  ASSERT_NE(spoken->valueInterface(), nullptr);
  EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("亮度"));
  brightness->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the up arrow
  EXPECT_EQ(core.VsbBrightness.Value, 5);
  EXPECT_EQ(spoken->valueInterface()->currentValue().toInt(), 5);
  EXPECT_EQ(LabelText(view, "LblBrightness"), QStringLiteral("5"));
  EXPECT_EQ(core.PicShade.raster().At(0, 0), 0x696969u);
  auto* red = Child<QScrollBar>(view, "VsbRed");
  red->setFocus();
  PressKey(red, Qt::Key_Down);
  EXPECT_EQ(core.VsbRed.Value, -5);
  PressKey(red, Qt::Key_Home);  // the top end: +255, still one step
  EXPECT_EQ(core.VsbRed.Value, 255);
  EXPECT_EQ(core.PicShade.raster().At(0, 0), 0x696969u);
  Child<QPushButton>(view, "CmdReset")->click();
  EXPECT_EQ(brightness->value(), 0);
  EXPECT_EQ(red->value(), 0);
  EXPECT_EQ(LabelText(view, "LblRed"), QStringLiteral("0"));
  EXPECT_EQ(core.PicShade.raster().At(0, 0), 0x646464u);
  EXPECT_TRUE(view.isVisible());
  // Enter after a click on a bar keeps the adjustment: OK is the default button, wherever the
  // focus went (the dialog opened with it on OK, not on 重置(&R)).
  ClickOn(brightness, QPoint(8, 3));
  EXPECT_EQ(core.VsbBrightness.Value, 5);
  ASSERT_NE(view.focusWidget(), nullptr);
  PressKey(view.focusWidget(), Qt::Key_Return);
  EXPECT_EQ(core.Tag, "Ok");
  EXPECT_EQ(core.PicShade.raster().At(0, 0), 0x696969u);
}

TEST(DialogViews, TheGradientDialogFollowsItsBars) {
  FakePlatform platform;
  FrmShades core(platform);
  core.Form_Load();
  FrmShadesView view(core, nullptr);
  EXPECT_EQ(view.size(), QSize(381, 173));
  view.show();
  auto* green = Child<QScrollBar>(view, "Hsb_1");
  EXPECT_EQ(green->geometry(), QRect(30, 84, 57, 17));
  green->setValue(7);
  EXPECT_EQ(LabelText(view, "LblColorVal_1"), QStringLiteral("007"));
  auto* degrees = Child<QScrollBar>(view, "VsbDegrees");
  degrees->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the up arrow
  EXPECT_EQ(core.Degrees(), 45);
  EXPECT_EQ(LabelText(view, "LblDegrees"), QStringLiteral("45"));
  auto* gradient = Child<QPushButton>(view, "CmdGradient");
  gradient->setFocus();
  gradient->click();
  EXPECT_EQ(view.focusWidget(), Child<QScrollBar>(view, "Hsb_0"));
  EXPECT_TRUE(Child<QPushButton>(view, "CmdOk")->isDefault());
  PressKey(&view, Qt::Key_Return);
  EXPECT_EQ(core.Tag, "Ok");
}

QStyleOptionSlider BarOption(const QScrollBar& bar) {
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.subControls = QStyle::SC_All;
  option.orientation = bar.orientation();
  if (bar.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  option.upsideDown = bar.invertedAppearance();
  return option;
}

QRect BarPart(const QScrollBar& bar, QStyle::SubControl part) {
  const QStyleOptionSlider option = BarOption(bar);
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

void MouseOn(QWidget* w, QEvent::Type type, QPoint at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

void ClickOn(QWidget* w, QPoint at) {
  MouseOn(w, QEvent::MouseButtonPress, at);
  MouseOn(w, QEvent::MouseButtonRelease, at);
}

// The colour bars of the gradient dialog are 57 pixels long for 256 values with a page of 5: a
// drag of the thumb moves the value by one a pixel, so that every value can be set, past the
// bar's ends if need be; the trough still steps by a page.
TEST(DialogViews, TheColourBarsDragOneValueAPixelAndPageInTheTrough) {
  FakePlatform platform;
  FrmShades core(platform);
  core.Form_Load();
  FrmShadesView view(core, nullptr);
  view.show();
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const std::string name = "Hsb_" + std::to_string(i);
    auto* bar = Child<QScrollBar>(view, name.c_str());
    ASSERT_NE(bar, nullptr);
    const int start = core.Hsb[i].Value;
    const int towards = start == 0 ? 1 : -1;
    const QRect thumb = BarPart(*bar, QStyle::SC_ScrollBarSlider);
    EXPECT_LE(thumb.width(), bar->height());
    MouseOn(bar, QEvent::MouseButtonPress, thumb.center());
    EXPECT_EQ(core.Hsb[i].Value, start);
    for (int pixels = 0; pixels <= 300; ++pixels) {
      MouseOn(bar, QEvent::MouseMove, thumb.center() + QPoint(pixels * towards, 3));
      ASSERT_EQ(core.Hsb[i].Value, start + towards * std::min(pixels, 255)) << pixels;
      ASSERT_EQ(LabelText(view, ("LblColorVal_" + std::to_string(i)).c_str()),
                QString::asprintf("%03d", core.Hsb[i].Value));
    }
    MouseOn(bar, QEvent::MouseMove, thumb.center() + QPoint(-2 * towards, 0));
    EXPECT_EQ(core.Hsb[i].Value, start);  // back past the start: held at the bar's end
    MouseOn(bar, QEvent::MouseMove, thumb.center());
    MouseOn(bar, QEvent::MouseButtonRelease, thumb.center());
    EXPECT_EQ(core.Hsb[i].Value, start);
    // A click in the trough on either side of the thumb moves by a page.
    bar->setValue(100);
    ClickOn(bar, BarPart(*bar, QStyle::SC_ScrollBarAddPage).center());
    EXPECT_EQ(core.Hsb[i].Value, 105);
    ClickOn(bar, BarPart(*bar, QStyle::SC_ScrollBarSubPage).center());
    ClickOn(bar, BarPart(*bar, QStyle::SC_ScrollBarSubPage).center());
    EXPECT_EQ(core.Hsb[i].Value, 95);
    // A drag from there starts at the value the bar has.
    const QRect moved = BarPart(*bar, QStyle::SC_ScrollBarSlider);
    MouseOn(bar, QEvent::MouseButtonPress, moved.center());
    MouseOn(bar, QEvent::MouseMove, moved.center() + QPoint(-7, 0));
    MouseOn(bar, QEvent::MouseButtonRelease, moved.center() + QPoint(-7, 0));
    EXPECT_EQ(core.Hsb[i].Value, 88);
  }
}

// The 16 x 13 up/down bars of both dialogs: each half is a button whose arrow is drawn in the
// button text colour, and a click on it moves the value one step that way.
TEST(DialogViews, TheUpDownBarsShowBothArrowsAndTakeClicksOnEach) {
  FakePlatform platform;
  FrmShades shades(platform);
  shades.Form_Load();
  FrmShadesView shades_view(shades, nullptr);
  ColourTables tables;
  FrmColAdj col_adj(platform, tables);
  col_adj.Form_Load();
  FrmColAdjView col_adj_view(col_adj, nullptr);
  struct UpDown {
    QWidget* view;
    const char* name;
    const ScrollBarState* state;
  };
  const UpDown bars[] = {
      {&shades_view, "VsbDegrees", &shades.VsbDegrees},
      {&col_adj_view, "VsbBrightness", &col_adj.VsbBrightness},
      {&col_adj_view, "VsbRed", &col_adj.VsbRed},
      {&col_adj_view, "VsbGreen", &col_adj.VsbGreen},
      {&col_adj_view, "VsbBlue", &col_adj.VsbBlue},
  };
  shades_view.show();
  col_adj_view.show();
  for (const UpDown& b : bars) {
    SCOPED_TRACE(b.name);
    auto* bar = Child<QScrollBar>(*b.view, b.name);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->size(), QSize(16, 13));
    const QRect up = BarPart(*bar, QStyle::SC_ScrollBarSubLine);
    const QRect down = BarPart(*bar, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(up.united(down), bar->rect());
    EXPECT_GE(up.height(), 6);
    EXPECT_GE(down.height(), 6);
    const QImage shown = bar->grab().toImage();
    const QRgb ink = bar->palette().color(QPalette::ButtonText).rgb();
    for (const QRect& half : {up, down}) {
      int arrow_pixels = 0;
      for (int y = half.top(); y <= half.bottom(); ++y)
        for (int x = half.left(); x <= half.right(); ++x)
          if (shown.pixel(x, y) == ink) ++arrow_pixels;
      EXPECT_GE(arrow_pixels, 5) << half.top();
    }
    const int start = b.state->Value;
    const int step = b.state->SmallChange;
    ClickOn(bar, up.center());
    EXPECT_EQ(b.state->Value, start + step);
    ClickOn(bar, up.center());
    ClickOn(bar, down.center());
    EXPECT_EQ(b.state->Value, start + step);
  }
}

// Presses `button` of the modal dialog once it is running.
void PressWhenShown(const char* button) {
  QTimer::singleShot(0, [button] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    Child<QPushButton>(*dialog, button)->click();
  });
}

// Every dialog of the program reaches its view through the one call, Platform::ShowDialog, by
// the view's own registration.
TEST(DialogViews, ThePlatformShowsEachDialogModally) {
  QtPlatform platform;
  PressWhenShown("CmdOk");
  EXPECT_EQ(AskHowToShrink(platform, 64, 48), ShrinkOption::kSqueeze);
  PressWhenShown("CmdCancel");
  EXPECT_EQ(AskBackgroundGradient(platform), std::nullopt);
  Raster mask(32, 32, kBlack);
  Raster image(32, 32, 0x102030);
  ColourTables tables;
  PressWhenShown("CmdOk");
  EXPECT_TRUE(RunColourAdjustment(platform, tables, mask, image, image));
  EXPECT_EQ(image.At(5, 5), 0x102030u);

  frmAbout about(platform, "Pelorin - 未命名");
  about.Form_Load();
  PressWhenShown("cmdOK");
  platform.ShowDialog(about);
  EXPECT_TRUE(about.Hidden());
  FrmIcons icons(platform);
  icons.Form_Load();
  PressWhenShown("CmdCancel");
  platform.ShowDialog(icons);
  EXPECT_EQ(icons.Tag, kTagCancelled);
  FrmSnap snap(platform, Raster(100, 80, kWhite));
  snap.Form_Load();
  QTimer::singleShot(0, [] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    PressKey(window, Qt::Key_Escape);
  });
  platform.ShowDialog(snap);
  EXPECT_TRUE(snap.Done());
  EXPECT_FALSE(snap.Taken());
}

// A name too long for its folder, typed with or without the folder, is taken by the Save As
// dialog, so that the save can say what is wrong with it.
TEST(DialogViews, TheSaveDialogTakesANameTooLongForItsFolder) {
  QTemporaryDir dir;
  const QString name = QString(300, QLatin1Char('a')) + QStringLiteral(".ico");
  QtPlatform platform;
  for (const QString& typed : {dir.filePath(name), name}) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->setDirectory(dir.path());
      auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(edit, nullptr);
      edit->setText(typed);
      QTest::keyClick(edit, Qt::Key_Return);
      if (QApplication::activeModalWidget() == dialog) dialog->reject();
    });
    FileDialogSettings settings;
    settings.filter = "图标文件(*.ico)|*.ico";
    settings.default_extension = ".ico";
    const std::optional<FileChoice> choice = platform.ShowSaveAs(settings);
    ASSERT_TRUE(choice) << typed.toStdString();
    EXPECT_EQ(choice->path, dir.filePath(name).toStdString());
  }
}

// What the file dialogs' type list shows for the program's filter strings: each description once,
// the pattern added only where the description does not end in it, and the entry asked for chosen.
TEST(DialogViews, TheFileDialogsShowEachFilterOnce) {
  struct Case {
    std::string filter;
    int index;
    bool save;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"图标文件(*.ico)|*.ico", 1, false, {"图标文件(*.ico)"}},
      {"图标文件(*.ico)|*.ico", 1, true, {"图标文件(*.ico)"}},
      {std::string(kLibraryFilter),
       kLibraryFilterIndex,
       false,
       {"所有文件(*.*)", "动画光标(*.ani)", "动态链接库(*.dll)", "运行文件(*.exe)",
        "图标库(*.icl)"}},
      {"Icons|*.ico|Cursors (*.cur)|*.cur", 2, false, {"Icons (*.ico)", "Cursors (*.cur)"}},
  };
  QtPlatform platform;
  for (const Case& c : cases) {
    std::vector<std::string> items;
    std::string current;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      ASSERT_NE(types, nullptr);
      for (int i = 0; i < types->count(); ++i) items.push_back(types->itemText(i).toStdString());
      current = types->currentText().toStdString();
      dialog->reject();
    });
    FileDialogSettings settings;
    settings.filter = c.filter;
    settings.filter_index = c.index;
    EXPECT_FALSE(c.save ? platform.ShowSaveAs(settings) : platform.ShowOpen(settings));
    EXPECT_EQ(items, c.shown) << c.filter;
    EXPECT_EQ(current, c.shown.at(static_cast<std::size_t>(c.index - 1))) << c.filter;
  }
}

}  // namespace
}  // namespace pelorin
