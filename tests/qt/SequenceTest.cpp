// Random sequences of what a user does with the main window, through the real Qt window: menu
// commands chosen with the mouse and by access key, every shortcut, presses, moves and releases
// on the canvas with both buttons (keys pressed in the middle of drags included), the same from
// the keyboard (the cell cursor, Space and Shift+Space pressed, held with their repeats and let
// go, Esc in a drag, Tab between the areas, the palettes' keys), tool and colour choices,
// pictures put on the clipboard by other programs, and the program's dialogs answered one way or
// the other. After every step the window must be in a state a user can trust:
// - a shortcut acted exactly when its item's rule held at that moment;
// - the canvas, its copy and the preview show the icon with the live selection, nothing else;
// - every change shown is a step of the history, and a click inside a selection changes nothing;
// - undoing back to the start and redoing to the end gives back the same pictures in order.
// The seeds are fixed, so a failure replays; the log names the last steps.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/frmMainView.h"
#include "canvas/ToolPalette.h"
#include "colour/FrmColAdj.h"
#include "document/ModIcoEd.h"
#include "edit/FrmClipData.h"
#include "extract/FrmIcons.h"
#include "platform/FakePlatform.h"
#include "transform/FrmShades.h"
#include "transform/FrmSnap.h"

namespace pelorin {
namespace {

struct Picture {
  Raster mask;
  Raster image;
  bool operator==(const Picture&) const = default;
};

// The shortcuts of the menus, with the item each one belongs to.
struct Shortcut {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* item;  // action object name
};
const Shortcut kShortcuts[] = {
    {Qt::Key_N, Qt::ControlModifier, "MnuNew_0"},
    {Qt::Key_O, Qt::ControlModifier, "MnuOpen_0"},
    {Qt::Key_S, Qt::ControlModifier, "MnuSave_0"},
    {Qt::Key_Z, Qt::ControlModifier, "MnuEditOpts_0"},
    {Qt::Key_X, Qt::ControlModifier, "MnuEditOpts_3"},
    {Qt::Key_C, Qt::ControlModifier, "MnuEditOpts_4"},
    {Qt::Key_V, Qt::ControlModifier, "MnuEditOpts_5"},
    {Qt::Key_Delete, Qt::NoModifier, "MnuEditOpts_7"},
    // The keys of other programs, not shown in the menus.
    {Qt::Key_Y, Qt::ControlModifier, "MnuEditOpts_1"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "MnuEditOpts_1"},
    {Qt::Key_A, Qt::ControlModifier, "MnuEditOpts_9"},
};

// What a command may change, to tell whether one acted.
struct Trace {
  std::size_t undo = 0;
  std::size_t redo = 0;
  bool marquee = false;
  bool floating = false;
  Rect bounds;
  std::size_t messages = 0;
  std::size_t puts = 0;
  int clip_dialogs = 0;
  std::size_t open_dialogs = 0;
  std::size_t save_dialogs = 0;
  std::string caption;
  bool operator==(const Trace&) const = default;
};

class Session {
 public:
  explicit Session(unsigned seed) : rng_(seed), view_(platform_) {
    platform_.screen_image = Noise(100, 80);
    view_.Load();
    view_.show();
    view_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view_));
    canvas_ = view_.findChild<QWidget*>("PicMain");
    tools_ = view_.findChild<QWidget*>("PicTools");
    palette_ = view_.findChild<QWidget*>("PicPal");
    order_ = {canvas_, tools_, palette_, view_.findChild<QWidget*>("ChkPal")};
    for (QMenu* menu : view_.menuBar()->findChildren<QMenu*>()) {
      if (menu->parent() != view_.menuBar()) continue;
      for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->menu() == nullptr &&
            action->objectName() != "MnuExit_0")
          items_.push_back({menu, action});
    }
    QMenu* mirror = view_.findChild<QAction*>("MnuImageOpts_10")->menu();
    for (QAction* action : mirror->actions()) items_.push_back({mirror, action});
  }

  ~Session() {
    // Nothing unsaved: the window closes without asking.
    platform_.answers.assign(4, MsgAnswer::kNo);
    view_.close();
  }

  // One random step, then the checks. Returns false after a failed check.
  bool Step(int n) {
    // Between two actions of the user the event loop runs, and the window has the keyboard
    // again (the offscreen platform leaves a closed menu active).
    QApplication::processEvents();
    if (QApplication::activeWindow() != &view_) QApplication::setActiveWindow(&view_);
    AnswerTheNextDialogs();
    chosen_.clear();
    const std::size_t steps = core().undo().Steps().UndoCount();
    // The one change that keeps the redo history: a fill released outside the canvas fills
    // nothing and records the unchanged picture without emptying it (its release, a menu that
    // ends the gesture, ...).
    const bool filling =
        core().canvas().GestureUnderWay() && core().canvas().CurrentTool() == kToolFill;
    const Raster image_before = filling ? core().doc().PicImage().raster() : Raster();
    const Raster mask_before = filling ? core().doc().PicMask().raster() : Raster();
    const int pick = Uniform(0, 99);
    if (pick < 26) {
      CanvasEvent();
    } else if (pick < 44) {
      KeyboardEvent();
    } else if (pick < 58) {
      PressShortcut();
    } else if (pick < 67) {
      ClickMenuItem();
    } else if (pick < 74) {
      AccessKeys();
    } else if (pick < 80) {
      ChooseTool(Uniform(1, 12));
    } else if (pick < 83) {
      ClickPalette();
    } else if (pick < 88) {
      OfferPicture();
    } else if (pick < 89) {
      Log("commit (a release on the window)");
      ReleaseOn(view_.centralWidget(), Qt::LeftButton, {470, 300});
    } else if (pick < 92) {
      ClickInsideTheSelection();
    } else if (pick < 94) {
      DropFile();
    } else {
      CanvasEvent();
    }
    if (::testing::Test::HasFailure()) return Failed(n);
    // A new change, whatever brought it, ends the redo history; only redo itself adds a step
    // and keeps one.
    const bool unchanged_fill = filling && !core().canvas().GestureUnderWay() &&
                                core().doc().PicImage().raster() == image_before &&
                                core().doc().PicMask().raster() == mask_before;
    if (chosen_ != "MnuEditOpts_1" && core().undo().Steps().UndoCount() > steps &&
        !unchanged_fill) {
      EXPECT_FALSE(core().undo().Steps().CanRedo()) << "a change left undone states to redo";
    }
    if (!core().canvas().GestureUnderWay()) {
      CheckViews();
      CheckTheHistoryHoldsWhatIsShown();
    }
    if (n % 400 == 399) RoundTrip();
    return !::testing::Test::HasFailure() || Failed(n);
  }

  void Finish() {
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
      if (held_ & b) Release(b);
    LetGoOfSpace();
    RoundTrip();
  }

 private:
  frmMain& core() { return view_.core(); }
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Uniform(0, 99) < percent; }

  Raster Noise(int w, int h) {
    Raster r(w, h, kWhite);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        r.SetPixel(x, y, Chance(30) ? kWhite : static_cast<Colour>(Uniform(0, 0xFFFFFF)));
    return r;
  }

  void Log(std::string line) {
    log_.push_back(std::move(line));
    if (log_.size() > 40) log_.pop_front();
  }
  bool Failed(int n) {
    std::ostringstream text;
    for (const std::string& line : log_) text << "  " << line << "\n";
    ADD_FAILURE() << "after step " << n << "; the last steps:\n" << text.str();
    return false;
  }

  // The dialogs the next step may show, each answered at random.
  void AnswerTheNextDialogs() {
    platform_.answers.clear();
    for (int i = 0; i < 3; ++i)
      platform_.answers.push_back(std::array{MsgAnswer::kYes, MsgAnswer::kNo, MsgAnswer::kCancel,
                                             MsgAnswer::kOk}[Uniform(0, 3)]);
    const std::string path =
        dir_.filePath(QStringLiteral("icon%1.ico").arg(Uniform(0, 2))).toStdString();
    const std::optional<FileChoice> file =
        Chance(60) ? std::optional(FileChoice{path, path.substr(path.rfind('/') + 1)})
                   : std::nullopt;
    platform_.open_answers.assign(2, file);
    platform_.save_answers.assign(2, file);
    platform_.colour_answers.assign(
        1, Chance(50) ? std::optional<Colour>(Uniform(0, 0xFFFFFF)) : std::nullopt);
    // OK (the button or Enter), Cancel, or Esc and the close box, which leave the tag empty.
    const bool ok = Chance(60);
    const bool esc = !ok && Chance(50);
    const auto leave = [ok, esc](auto& d) {
      if (ok) d.cmdOK_Click();
      if (!ok && !esc) d.CmdCancel_Click();
    };
    const bool second = Chance(50);
    platform_.Answer<FrmClipData>([leave, second](FrmClipData& d) {
      d.Opt_Click(second ? 1 : 0);
      leave(d);
    });
    const int value = Uniform(-40, 40);
    platform_.Answer<FrmColAdj>([leave, value](FrmColAdj& d) {
      d.VsbRed_Change(value);
      d.VsbBrightness_Change(-value / 2);
      leave(d);
    });
    const int degrees = Uniform(0, 8);
    platform_.Answer<FrmShades>([leave, degrees](FrmShades& d) {
      d.VsbDegrees_Change(degrees);
      leave(d);
    });
    const int sx = Uniform(0, 99);
    const int sy = Uniform(0, 79);
    platform_.Answer<FrmSnap>([ok, sx, sy](FrmSnap& s) {
      s.Form_MouseMove(0, 0, sx, sy);
      if (ok) {
        s.Form_MouseDown(1, 0, sx, sy);
        s.Form_MouseUp(1, 0, sx, sy);
      } else {
        s.Form_KeyDown(0x1B, 0);
      }
    });
    const int icon = Uniform(0, 15);
    platform_.Answer<FrmIcons>([ok, icon](FrmIcons& d) {
      d.PicIcons_MouseUp(1, 0, 38 * (icon % 10) + 5, 38 * (icon / 10) + 5);
      ok ? d.CmdOk_Click() : d.CmdCancel_Click();
    });
  }

  // Canvas pointer events, delivered to the canvas as the pointer grab of a held button does.
  void Send(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPointF at) {
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held_, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
  }
  QPointF SomewhereOnTheCanvas() {
    // Mostly inside, sometimes just outside the 321 x 321 canvas.
    return {Uniform(-15, 335) + 0.5 * Uniform(0, 1), Uniform(-15, 335) + 0.5 * Uniform(0, 1)};
  }
  void Release(Qt::MouseButton b) {
    held_ &= ~b;
    Log("release " + std::to_string(b));
    Send(canvas_, QEvent::MouseButtonRelease, b, at_);
  }
  void ReleaseOn(QWidget* w, Qt::MouseButton b, QPointF at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), b, b, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), b, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
  }
  void CanvasEvent() {
    const Qt::MouseButton b = Chance(70) ? Qt::LeftButton : Qt::RightButton;
    const int kind = Uniform(0, 9);
    if (kind < 2 && !(held_ & b)) {
      at_ = SomewhereOnTheCanvas();
      held_ |= b;
      Log("press " + std::to_string(b) + " at " + std::to_string(at_.x()) + "," +
          std::to_string(at_.y()));
      Send(canvas_, QEvent::MouseButtonPress, b, at_);
    } else if (kind < 4 && (held_ & b)) {
      Release(b);
    } else {
      at_ = Chance(70) ? at_ + QPointF(Uniform(-30, 30), Uniform(-30, 30)) : SomewhereOnTheCanvas();
      Log("move to " + std::to_string(at_.x()) + "," + std::to_string(at_.y()));
      Send(canvas_, QEvent::MouseMove, Qt::NoButton, at_);
    }
  }

  // A click without motion inside a selection, anywhere in a cell: the selection stays where it
  // is and the picture shown does not change.
  void ClickInsideTheSelection() {
    const Selection& s = core().selection();
    if (!s.Exists() || held_ || core().canvas().CurrentTool() != kToolSelect) return;
    const Rect r = s.Bounds();
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, 320) - 1;
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, 320) - 1;
    if (x0 > x1 || y0 > y1) return;  // the selection lies off the canvas
    const QPointF at(Uniform(x0, x1) + 0.25 * Uniform(0, 3),
                     Uniform(y0, y1) + 0.25 * Uniform(0, 3));
    Log("click inside the selection at " + std::to_string(at.x()) + "," + std::to_string(at.y()));
    const Raster shown = core().doc().PicMain().raster();
    at_ = at;
    Send(canvas_, QEvent::MouseMove, Qt::NoButton, at_);
    held_ |= Qt::LeftButton;
    Send(canvas_, QEvent::MouseButtonPress, Qt::LeftButton, at_);
    Release(Qt::LeftButton);
    EXPECT_EQ(s.Bounds(), r) << "a click moved the selection";
    EXPECT_TRUE(s.IsFloating());
    // The same picture, and the same marquee around it.
    EXPECT_TRUE(core().doc().PicMain().raster() == shown) << "a click changed the canvas";
  }

  // A file dropped on the window: another program's picture (pasted), one of the icons saved
  // here (opened, if it was saved), or something that is neither.
  void DropFile() {
    QString path;
    const int kind = Uniform(0, 2);
    if (kind == 0) {
      path = dir_.filePath(QStringLiteral("picture.png"));
      const int w = Chance(70) ? Uniform(1, 32) : Uniform(33, 70);
      const int h = Chance(70) ? Uniform(1, 32) : Uniform(33, 70);
      platform_.picture_files[path.toStdString()] = ClipboardPicture::Of(Noise(w, h));
      Log("drop of a " + std::to_string(w) + " x " + std::to_string(h) + " picture file");
    } else if (kind == 1) {
      path = dir_.filePath(QStringLiteral("icon%1.ico").arg(Uniform(0, 2)));
      Log("drop of " + path.toStdString());
    } else {
      path = dir_.filePath(QStringLiteral("notes.txt"));
      Log("drop of a file that is no picture");
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view_, &drop);
  }

  void ChooseTool(int tool) {
    Log("tool " + std::to_string(tool));
    const QPointF at(23 * ((tool - 1) % 4) + 5, 22 * ((tool - 1) / 4) + 5);
    ReleaseOn(tools_, Qt::LeftButton, at);
  }
  void ClickPalette() {
    Log("palette");
    ReleaseOn(palette_, Chance(50) ? Qt::LeftButton : Qt::RightButton,
              QPointF(13 * Uniform(0, 15) + 4, 13 * Uniform(0, 15) + 4));
  }
  void OfferPicture() {
    const int kind = Uniform(0, 9);
    if (kind < 6) {
      const int w = Chance(70) ? Uniform(1, 32) : Uniform(33, 70);
      const int h = Chance(70) ? Uniform(1, 32) : Uniform(33, 70);
      Log("another program copies a " + std::to_string(w) + " x " + std::to_string(h) + " picture");
      platform_.clipboard = ClipboardPicture::Of(Noise(w, h));
    } else if (kind < 8) {
      Log("another program copies text");
      platform_.clipboard = {};
    } else {
      Log("another program offers a picture that does not decode");
      platform_.clipboard = {ClipboardPicture::Kind::kUndecodable, {}, std::nullopt, 0, 0};
    }
  }

  // The keyboard: Tab between the areas (in their fixed order), the cell cursor, Space and
  // Shift+Space pressed, held (with the repeats a held key sends) and let go, Esc, and the
  // palettes' keys.
  void KeyboardEvent() {
    const int kind = Uniform(0, 19);
    if (kind < 2) {
      const bool back = kind == 1;
      QWidget* from = QApplication::focusWidget();
      const auto at = std::find(order_.begin(), order_.end(), from);
      Log(back ? "Shift+Tab" : "Tab");
      Key(from ? from : &view_, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
      if (at != order_.end()) {
        const std::ptrdiff_t i = at - order_.begin() + (back ? order_.size() - 1 : 1);
        EXPECT_EQ(QApplication::focusWidget(), order_[i % order_.size()]) << "Tab's order";
      }
    } else if (kind < 14) {
      CanvasKey();
    } else if (kind < 17) {
      ToolKey();
    } else {
      PaletteKey();
    }
  }
  // Tab until `area` has the focus, as a user would.
  bool FocusOn(QWidget* area) {
    for (std::size_t i = 0; i <= order_.size() && QApplication::focusWidget() != area; ++i) {
      QWidget* from = QApplication::focusWidget();
      Key(from ? from : &view_, Qt::Key_Tab, Qt::NoModifier);
    }
    EXPECT_EQ(QApplication::focusWidget(), area)
        << "Tab never reached " << area->objectName().toStdString();
    return QApplication::focusWidget() == area;
  }
  void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers, bool press = true,
           bool release = true, bool repeat = false) {
    if (press) {
      QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), repeat);
      QApplication::sendEvent(w, &event);
    }
    if (release) {
      QKeyEvent event(QEvent::KeyRelease, key, modifiers, QString(), repeat);
      QApplication::sendEvent(w, &event);
    }
  }
  void LetGoOfSpace() {
    if (!space_held_) return;
    space_held_ = false;
    Log("Space let go");
    Key(canvas_, Qt::Key_Space, Qt::NoModifier, false, true);
  }
  void CanvasKey() {
    if (QApplication::focusWidget() != canvas_) space_held_ = false;  // the focus let it go
    if (!FocusOn(canvas_)) return;
    CanvasKeyboard& keys = core().canvas_keys();
    const int kind = Uniform(0, 9);
    if (kind < 5) {
      static constexpr Qt::Key kMoves[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                           Qt::Key_Down, Qt::Key_Left,   Qt::Key_Right,
                                           Qt::Key_Up,   Qt::Key_Down,   Qt::Key_Home,
                                           Qt::Key_End,  Qt::Key_PageUp, Qt::Key_PageDown};
      const Qt::Key key = kMoves[Uniform(0, std::size(kMoves) - 1)];
      const Qt::KeyboardModifiers ctrl = Chance(25) ? Qt::ControlModifier : Qt::NoModifier;
      Log("key " + std::to_string(key) + (ctrl ? " with Ctrl" : "") +
          (space_held_ ? " (Space held)" : ""));
      Key(canvas_, key, ctrl);
      // The readouts follow the cursor, as they follow the pointer.
      EXPECT_EQ(core().status().PositionText().text,
                std::to_string(keys.Column()) + " , " + std::to_string(keys.Row()));
    } else if (kind < 7 && !space_held_) {
      const Qt::KeyboardModifiers shift = Chance(30) ? Qt::ShiftModifier : Qt::NoModifier;
      const bool click = Chance(40);
      Log(std::string(shift ? "Shift+" : "") + "Space " + (click ? "click" : "held") + " at " +
          std::to_string(keys.Column()) + "," + std::to_string(keys.Row()));
      const bool before = core().canvas().GestureUnderWay();
      Key(canvas_, Qt::Key_Space, shift, true, click);
      space_held_ = !click;
      if (!before && !click) {
        EXPECT_TRUE(core().canvas().GestureUnderWay()) << "Space starts a drag";
      }
    } else if (kind < 8 && space_held_) {
      // A held key repeats: nothing happens.
      Log("Space repeats");
      const std::size_t steps = core().undo().Steps().UndoCount();
      const bool drag = core().canvas().GestureUnderWay();
      Key(canvas_, Qt::Key_Space, Qt::NoModifier, false, true, true);
      Key(canvas_, Qt::Key_Space, Qt::NoModifier, true, false, true);
      EXPECT_EQ(core().canvas().GestureUnderWay(), drag) << "a repeat of Space";
      EXPECT_EQ(core().undo().Steps().UndoCount(), steps) << "a repeat of Space";
    } else if (kind < 9) {
      LetGoOfSpace();
    } else {
      Log("Esc");
      Key(canvas_, Qt::Key_Escape, Qt::NoModifier);
      EXPECT_FALSE(core().canvas().GestureUnderWay() && core().canvas().Pointer().by_keys)
          << "Esc ends the keyboard's drag";
    }
  }
  void ToolKey() {
    if (!FocusOn(tools_)) return;
    const Qt::Key key = std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,    Qt::Key_Down,
                                   Qt::Key_Home, Qt::Key_Space, Qt::Key_Return}[Uniform(0, 6)];
    Log("tool palette key " + std::to_string(key));
    Key(tools_, key, Qt::NoModifier);
    if (key == Qt::Key_Space || key == Qt::Key_Return) {
      EXPECT_EQ(core().canvas().CurrentTool(), core().tool_keys().Tool()) << "Space chooses";
    }
  }
  void PaletteKey() {
    if (Chance(10)) {
      if (!FocusOn(view_.findChild<QWidget*>("ChkPal"))) return;
      Log("调整调色板 toggled with Space");
      const bool ticked = core().colours().ChkPal;
      Key(QApplication::focusWidget(), Qt::Key_Space, Qt::NoModifier);
      EXPECT_NE(core().colours().ChkPal, ticked);
      return;
    }
    if (!FocusOn(palette_)) return;
    const Qt::Key key = std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,    Qt::Key_Down,
                                   Qt::Key_End,  Qt::Key_Space, Qt::Key_Return}[Uniform(0, 6)];
    const Qt::KeyboardModifiers shift = Chance(40) ? Qt::ShiftModifier : Qt::NoModifier;
    Log("palette key " + std::to_string(key) + (shift ? " with Shift" : ""));
    const std::array<Colour, 2> colours = core().colours().CurrentColours();
    const std::optional<Colour> answer =
        platform_.colour_answers.empty() ? std::nullopt : platform_.colour_answers.front();
    const bool answered = answer.has_value();
    Key(palette_, key, shift);
    const int cell = core().palette_keys().Cell();
    const Colour entry = core().colours().Palette().entries()[cell];
    if (key == Qt::Key_Space && (!core().colours().ChkPal || answered)) {
      EXPECT_EQ(core().colours().CurrentColour(shift ? 1 : 0), entry) << "Space sets a colour";
    } else if (key == Qt::Key_Return) {
      EXPECT_EQ(core().colours().CurrentColours(), colours) << "Enter only redefines";
      if (core().colours().ChkPal && answered) {
        EXPECT_EQ(entry, *answer & kColourMask);
      }
    }
  }

  Trace TraceNow() {
    const Selection& s = core().selection();
    return {core().undo().Steps().UndoCount(),
            core().undo().Steps().RedoCount(),
            s.IsMarquee(),
            s.IsFloating(),
            s.Exists() ? s.Bounds() : Rect{},
            platform_.messages.size(),
            platform_.clipboard_puts.size(),
            platform_.Shown<FrmClipData>(),
            platform_.open_dialogs.size(),
            platform_.save_dialogs.size(),
            core().Caption()};
  }

  // The rule of the shortcut's item, from what the user can see of the program.
  bool RuleHolds(const std::string& item) {
    if (item == "MnuEditOpts_0") return core().undo().Steps().UndoCount() >= 2;
    if (item == "MnuEditOpts_1") return core().undo().Steps().CanRedo();
    if (item == "MnuEditOpts_5") return platform_.ClipboardHasPicture();
    if (item == "MnuEditOpts_3" || item == "MnuEditOpts_4" || item == "MnuEditOpts_7")
      return core().selection().Exists();
    return true;
  }
  // Whether the item's command ran, from what it changed.
  bool Acted(const std::string& item, const Trace& before, const Trace& after) {
    if (item == "MnuEditOpts_0") return after.redo == (before.floating ? 1 : before.redo + 1);
    // A floating selection is committed first, which ends the redo history.
    if (item == "MnuEditOpts_1")
      return before.floating ? after.redo == 0 : after.redo + 1 == before.redo;
    if (item == "MnuEditOpts_9") return after.marquee && after.bounds == Rect{0, 0, 320, 320};
    if (item == "MnuEditOpts_3" || item == "MnuEditOpts_4") return after.puts == before.puts + 1;
    if (item == "MnuEditOpts_7") return !after.marquee && !after.floating;
    if (item == "MnuEditOpts_5")
      return after.floating || after.clip_dialogs > before.clip_dialogs ||
             after.messages > before.messages;
    if (item == "MnuNew_0")
      return after.messages > before.messages || (after.undo == 1 && after.redo == 0);
    if (item == "MnuOpen_0")
      return after.messages > before.messages || after.open_dialogs > before.open_dialogs;
    if (item == "MnuSave_0")
      return after.messages > before.messages || after.save_dialogs > before.save_dialogs || saved_;
    return true;
  }

  void PressShortcut() {
    const Shortcut& s = kShortcuts[Uniform(0, std::size(kShortcuts) - 1)];
    const bool during_gesture = core().canvas().GestureUnderWay();
    chosen_ = s.item;
    Log(std::string("shortcut of ") + s.item + (during_gesture ? " during a drag" : ""));
    const bool rule = RuleHolds(s.item);
    // A titled save writes without a dialog: the file's disappearance tells whether it did.
    const std::string path = core().doc().DocPath();
    saved_ = false;
    if (std::string(s.item) == "MnuSave_0" && path.rfind('/') != std::string::npos)
      std::remove(path.c_str());
    const Trace before = TraceNow();
    QTest::keyClick(&view_, s.key, s.modifiers);
    saved_ = path.rfind('/') != std::string::npos && QFile::exists(QString::fromStdString(path));
    const Trace after = TraceNow();
    EXPECT_FALSE(core().canvas().GestureUnderWay()) << "a shortcut ends the gesture";
    if (during_gesture) return;  // the gesture's end may change what the rule says
    if (rule) {
      EXPECT_TRUE(Acted(s.item, before, after)) << s.item << " did not act although enabled";
    } else {
      EXPECT_EQ(before, after) << s.item << " acted although disabled";
    }
  }

  QMenuBar* Bar() { return view_.menuBar(); }

  // A menu item chosen with the mouse: the menu opens, the item is clicked; a disabled item does
  // nothing, and the menu is closed with Esc.
  void ClickMenuItem() {
    auto [menu, action] = items_[Uniform(0, static_cast<int>(items_.size()) - 1)];
    if (!action->isVisible()) return;
    chosen_ = action->objectName().toStdString();
    Log("menu click on " + chosen_);
    QMenu* top = menu;
    if (menu->menuAction()->objectName() == "MnuImageOpts_10")
      top = view_.findChild<QMenu*>("MnuImage");
    QTest::mouseClick(Bar(), Qt::LeftButton, {}, Bar()->actionGeometry(top->menuAction()).center());
    if (!top->isVisible()) top->popup(Bar()->mapToGlobal(QPoint(0, Bar()->height())));
    EXPECT_TRUE(top->isVisible());
    if (menu != top) {
      QAction* sub = view_.findChild<QAction*>("MnuImageOpts_10");
      top->setActiveAction(sub);
      menu->popup(top->mapToGlobal(top->actionGeometry(sub).topRight()));
    }
    const bool enabled = action->isEnabled();
    QTest::mouseMove(menu, menu->actionGeometry(action).center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    if (!enabled) {
      EXPECT_TRUE(menu->isVisible()) << "a disabled item keeps its menu open";
    }
    CloseMenus();
  }

  // A menu item chosen from the keyboard: Alt and the menu's access key, then the item's.
  void AccessKeys() {
    auto [menu, action] = items_[Uniform(0, static_cast<int>(items_.size()) - 1)];
    const QString text = action->text();
    const int amp = text.indexOf('&');
    if (!action->isVisible() || amp < 0 || amp + 1 >= text.size()) return;
    QMenu* top = menu;
    if (menu->menuAction()->objectName() == "MnuImageOpts_10")
      top = view_.findChild<QMenu*>("MnuImage");
    const QString title = top->title();
    const QChar key = title.at(title.indexOf('&') + 1).toUpper();
    chosen_ = action->objectName().toStdString();
    Log("access keys for " + chosen_);
    QTest::keyClick(&view_, static_cast<Qt::Key>(key.unicode()), Qt::AltModifier);
    EXPECT_TRUE(top->isVisible())
        << "Alt+" << key.toLatin1() << " opens its menu"
        << (QApplication::activePopupWidget()
                ? QApplication::activePopupWidget()->objectName().toStdString()
                : "none")
        << " focus "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                        : "none")
        << " active "
        << (QApplication::activeWindow() ? QApplication::activeWindow()->metaObject()->className()
                                         : "none");
    if (menu != top) QTest::keyClick(top, Qt::Key_M);
    QTest::keyClick(menu, static_cast<Qt::Key>(text.at(amp + 1).toUpper().unicode()));
    CloseMenus();
  }

  void CloseMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  }

  // The views must show the icon with the live selection: the canvas copy the empty canvas
  // with the icon, the canvas that copy with a floating selection over it, the grid and the
  // marquee of any selection, the preview the icon and a floating selection.
  void CheckViews() {
    const IconDocument& doc = core().doc();
    const Selection& s = core().selection();
    Surface copy("copy", 320, 320, kWhite);
    Surface canvas("canvas", 321, 321, kWhite);
    doc.Rasters().TilePics(canvas, copy);
    ComposeIcon(copy.raster(), 0, 0, 320, 320, doc.PicMask().raster(), doc.PicImage().raster());
    BitBlt(canvas.raster(), 0, 0, 320, 320, copy.raster(), 0, 0, Rop::kSrcCopy);
    Surface preview("preview", 32, 32, doc.BackColor());
    ComposeIcon(preview.raster(), 0, 0, 32, 32, doc.PicMask().raster(), doc.PicImage().raster());
    if (s.IsFloating()) {
      const Rect r = s.Bounds();
      ComposeIcon(canvas.raster(), r.left, r.top, r.Width(), r.Height(), s.PicSelMask().raster(),
                  s.PicSelImage().raster());
      ComposeIcon(preview.raster(), s.IconLeft(), s.IconTop(), s.Width(), s.Height(),
                  s.PicSelMask().raster(), s.PicSelImage().raster());
    }
    doc.Rasters().DrawGrid(canvas);
    if (s.Exists()) {
      const Rect r = s.Bounds();
      canvas.drawMode = DrawMode::kInvert;
      canvas.drawStyle = DrawStyle::kDot;
      canvas.Line(r.left, r.top, r.right, r.bottom, LineKind::kBox);
    }
    // The copy's pixels under the grid lines never show (the eraser leaves them as they were).
    for (int y = 0; y < 320; ++y)
      for (int x = 0; x < 320; ++x)
        if (x % 10 != 0 && y % 10 != 0 &&
            doc.PicMainCopy().raster().At(x, y) != copy.raster().At(x, y)) {
          ADD_FAILURE() << "the canvas copy differs first at (" << x << ", " << y << ")";
          return;
        }
    if (doc.PicMain().raster() != canvas.raster()) {
      for (int y = 0; y < 321; ++y)
        for (int x = 0; x < 321; ++x)
          if (doc.PicMain().raster().At(x, y) != canvas.raster().At(x, y)) {
            ADD_FAILURE() << "the canvas differs first at (" << x << ", " << y << ")";
            return;
          }
    }
    EXPECT_EQ(doc.picIcon().raster(), preview.raster()) << "the preview";
    EXPECT_EQ(core().status().SizeText().text, "") << "a size readout outside a gesture";
  }

  Picture Now() { return {core().doc().PicMask().raster(), core().doc().PicImage().raster()}; }

  // Every change the user sees is a step of its own: without a floating selection (whose pixels
  // become one at its commit) the picture shown is the history's current step, so that undo
  // takes back the last change and nothing else.
  void CheckTheHistoryHoldsWhatIsShown() {
    if (core().selection().IsFloating()) return;
    Picture current{Raster(32, 32, kWhite), Raster(32, 32, kBlack)};
    ASSERT_TRUE(core().undo().Steps().CurrentStep(current.mask, current.image));
    EXPECT_TRUE(current == Now()) << "the picture shown is not the last step of the history";
  }

  // Every state the history holds, undone down to the first and redone up to the last: the
  // same pictures in the same order, and the picture the user left at the end.
  void RoundTrip() {
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
      if (held_ & b) Release(b);
    LetGoOfSpace();
    ReleaseOn(view_.centralWidget(), Qt::LeftButton, {470, 300});  // commits a selection
    Log("undo to the start and redo to the end");
    QApplication::processEvents();
    if (QApplication::activeWindow() != &view_) QApplication::setActiveWindow(&view_);
    QAction* redo = view_.findChild<QAction*>("MnuEditOpts_1");
    const Picture last = Now();
    const std::size_t undone_before = core().undo().Steps().RedoCount();
    std::vector<Picture> undone;
    while (core().undo().Steps().CanUndo()) {
      const std::size_t steps = core().undo().Steps().UndoCount();
      QTest::keyClick(&view_, Qt::Key_Z, Qt::ControlModifier);
      ASSERT_EQ(core().undo().Steps().UndoCount() + 1, steps)
          << "Ctrl+Z undid nothing; active window "
          << (QApplication::activeWindow() ? QApplication::activeWindow()->metaObject()->className()
                                           : "none")
          << ", popup " << (QApplication::activePopupWidget() != nullptr) << ", focus "
          << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                          : "none");
      undone.push_back(Now());
      CheckViews();
      if (::testing::Test::HasFailure()) return;
    }
    for (std::size_t i = undone.size(); i-- > 0;) {
      const Picture expected = i == 0 ? last : undone[i - 1];
      redo->trigger();
      ASSERT_EQ(Now(), expected) << "redo " << undone.size() - i << " of " << undone.size();
    }
    // Then the states the user had undone before, as they were.
    EXPECT_EQ(core().undo().Steps().RedoCount(), undone_before);
  }

  std::mt19937 rng_;
  FakePlatform platform_;
  frmMainView view_;
  QWidget* canvas_ = nullptr;
  QWidget* tools_ = nullptr;
  QWidget* palette_ = nullptr;
  // The areas Tab goes round, in order.
  std::vector<QWidget*> order_;
  bool space_held_ = false;
  std::vector<std::pair<QMenu*, QAction*>> items_;
  QTemporaryDir dir_;
  Qt::MouseButtons held_;
  QPointF at_{50, 50};
  bool saved_ = false;
  std::string chosen_;  // the menu item this step chose, if any
  std::deque<std::string> log_;
};

class Sequences : public ::testing::TestWithParam<unsigned> {};

TEST_P(Sequences, KeepShortcutsViewsAndHistoryTrue) {
  Session session(GetParam());
  for (int n = 0; n < 1500; ++n)
    if (!session.Step(n)) return;
  session.Finish();
}

INSTANTIATE_TEST_SUITE_P(Seeds, Sequences, ::testing::Values(1u, 2u, 3u, 4u),
                         [](const ::testing::TestParamInfo<unsigned>& seed) {
                           return "seed" + std::to_string(seed.param);
                         });

}  // namespace
}  // namespace pelorin
