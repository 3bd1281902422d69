// The selection tool: marking, lifting, moving and committing, and the commits by other commands.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <utility>

#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

// A 2 x 2 picture at icon pixels (4, 4)-(5, 5): red, green, a transparent pixel, black.
void PaintSample(LoadedForm& f) {
  f.Opaque(4, 4, kRed);
  f.Opaque(5, 4, kGreen);
  f.Opaque(5, 5, kBlack);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  f.form.doc().MarkUnmodified();
}

// Marks a rectangle with a drag from (x0, y0) to (x1, y1) and moves over it, so that the pointer
// shows the move arrow there.
void Mark(LoadedForm& f, double x0, double y0, double x1, double y1) {
  f.ChooseTool(1);
  f.DragCanvas(1, x0, y0, x1, y1);
}

TEST(Selection, TheCornersSnapDifferentlyInBothDirections) {
  LoadedForm f;
  // The press corner goes to the nearest grid line, the moving corner to its cell origin.
  Mark(f, 23, 27, 67, 58);
  ASSERT_TRUE(f.form.selection().IsMarquee());
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{20, 30, 60, 50}));
  EXPECT_EQ(f.form.selection().PicSelImage().width(), 4);
  EXPECT_EQ(f.form.selection().PicSelImage().height(), 2);
  Mark(f, 67, 58, 23, 27);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{20, 20, 70, 60}));
  // The moving corner is held inside the canvas.
  Mark(f, 100, 100, 900, -40);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{100, 0, 320, 100}));
  EXPECT_FALSE(f.form.doc().Modified()) << "marking changes nothing";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
}

TEST(Selection, AMarqueeDraggedTowardsTheTopLeftIsRepainted) {
  LoadedForm f;
  f.ChooseTool(1);
  Rect repainted;
  f.form.doc().PicMain().SetRefreshHandler([&](Rect r) { repainted = Union(repainted, r); });
  f.form.PicMain_MouseDown(1, 0, 200, 200);
  f.form.PicMain_MouseMove(1, 0, 101, 121);
  EXPECT_EQ(repainted, (Rect{100, 120, 201, 201})) << "the marquee's outline, on screen";
}

TEST(Selection, TheMarqueeIsDottedOnTheGridLinesAndLeavesNoTrace) {
  LoadedForm f;
  Mark(f, 20, 20, 75, 65);
  const Raster& canvas = f.form.doc().PicMain().raster();
  int white = 0;
  for (int x = 20; x <= 70; ++x) white += canvas.At(x, 20) == kWhite;
  EXPECT_GT(white, 10) << "dots inverted on the black line";
  EXPECT_LT(white, 51) << "with gaps";
  f.ChooseTool(2);  // commits the marquee
  EXPECT_FALSE(f.form.selection().Exists());
  EXPECT_TRUE(f.ViewsShowTheIcon());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u) << "a marquee commits without a step";
}

TEST(Selection, LiftingAndMovingLeavesAHoleAndCommitsAsOneStep) {
  LoadedForm f;
  PaintSample(f);
  f.Opaque(6, 5, kWhite);  // under where the transparent pixel lands
  f.form.doc().DisplayResults();
  Mark(f, 40, 40, 65, 65);  // icon pixels (4, 4)-(5, 5)
  ASSERT_EQ(f.form.selection().Bounds(), (Rect{40, 40, 60, 60}));
  // Press inside at a remainder below 5 and drag by two cells to the right.
  f.form.PicMain_MouseMove(0, 0, 42, 42);
  f.form.PicMain_MouseDown(1, 0, 42, 42);
  ASSERT_TRUE(f.form.selection().IsFloating());
  f.form.PicMain_MouseMove(1, 0, 62, 42);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{60, 40, 80, 60}));
  EXPECT_EQ(f.Mask(4, 4), kWhite) << "the hole is transparent";
  EXPECT_EQ(f.Canvas(41, 41), kWhite) << "and shows the hatch";
  EXPECT_EQ(f.Canvas(43, 43), 0x808080u);
  EXPECT_EQ(f.Canvas(65, 45), kRed) << "the selection follows the pointer";
  EXPECT_EQ(f.Preview(6, 4), kRed);
  EXPECT_EQ(f.Preview(4, 5), f.platform.button_face) << "the hole on the preview";
  EXPECT_EQ(f.Preview(6, 5), kWhite) << "a transparent pixel shows the picture beneath";
  EXPECT_EQ(f.Canvas(64, 54), kWhite) << "on the canvas too";
  f.form.PicMain_MouseUp(1, 0, 62, 42);
  EXPECT_TRUE(f.form.doc().Modified());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u) << "the move is recorded at the commit";

  f.ChooseTool(2);
  EXPECT_EQ(f.Image(6, 4), kRed);
  EXPECT_EQ(f.Image(7, 4), kGreen);
  EXPECT_EQ(f.Image(7, 5), kBlack);
  EXPECT_EQ(f.Image(6, 5), kWhite) << "the picture beneath a transparent pixel stays";
  EXPECT_EQ(f.Mask(4, 5), kWhite);
  EXPECT_EQ(f.Mask(4, 4), kWhite);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);
  EXPECT_TRUE(f.ViewsShowTheIcon());
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Image(4, 4), kRed) << "one undo takes the whole move back";
  EXPECT_EQ(f.Mask(6, 4), kWhite);
}

TEST(Selection, AClickInsideMovesNothingAndADragMovesByTheCellsCrossed) {
  // Wherever in its cell the press lands, a click leaves the selection in place, and a drag moves
  // it by the cells between the press and the release, also towards the top left.
  for (const auto& [px, py] :
       {std::pair{40.0, 40.0}, {47.0, 43.0}, {44.0, 49.5}, {49.5, 49.0}, {59.9, 55.5}}) {
    for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {23.0, 11.0}, {-30.0, -17.0}}) {
      LoadedForm f;
      PaintSample(f);
      Mark(f, 40, 40, 65, 65);
      f.form.PicMain_MouseMove(0, 0, px, py);
      f.form.PicMain_MouseDown(1, 0, px, py);
      f.form.PicMain_MouseMove(1, 0, px + dx, py + dy);
      f.form.PicMain_MouseUp(1, 0, px + dx, py + dy);
      // Positions are rounded to whole pixels first (half to even).
      const auto cell = [](double v) {
        return static_cast<int>(std::floor(std::nearbyint(v) / 10));
      };
      const int cx = cell(px + dx) - cell(px);
      const int cy = cell(py + dy) - cell(py);
      EXPECT_EQ(f.form.selection().Bounds(),
                (Rect{40 + 10 * cx, 40 + 10 * cy, 60 + 10 * cx, 60 + 10 * cy}))
          << "press at " << px << "," << py << " moved by " << dx << "," << dy;
      if (dx == 0 && dy == 0) {
        f.ChooseTool(2);
        EXPECT_EQ(f.Image(4, 4), kRed) << "a click changes nothing";
        EXPECT_EQ(f.Mask(4, 4), kBlack);
      }
    }
  }
}

TEST(Selection, AHalfOffCanvasSelectionLosesWhatIsOutside) {
  LoadedForm f;
  PaintSample(f);
  Mark(f, 40, 40, 65, 65);
  f.form.PicMain_MouseMove(0, 0, 41, 41);
  f.form.PicMain_MouseDown(1, 0, 41, 41);
  f.form.PicMain_MouseMove(1, 0, 311, 311);  // to icon pixel (31, 31): half beyond both edges
  f.form.PicMain_MouseUp(1, 0, 311, 311);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{310, 310, 330, 330}));
  f.ChooseTool(3);
  EXPECT_EQ(f.Image(31, 31), kRed);
  EXPECT_EQ(f.Mask(31, 31), kBlack);
  EXPECT_EQ(f.Mask(4, 4), kWhite);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(Selection, PressingOutsideStampsTheFloatingSelectionAndStartsAnother) {
  LoadedForm f;
  PaintSample(f);
  Mark(f, 40, 40, 65, 65);
  f.form.PicMain_MouseMove(0, 0, 41, 41);
  f.form.PicMain_MouseDown(1, 0, 41, 41);
  f.form.PicMain_MouseMove(1, 0, 101, 101);
  f.form.PicMain_MouseUp(1, 0, 101, 101);
  f.form.PicMain_MouseMove(0, 0, 250, 250);
  f.form.PicMain_MouseDown(1, 0, 250, 250);
  EXPECT_EQ(f.Image(10, 10), kRed) << "stamped where it was";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);
  f.form.PicMain_MouseMove(1, 0, 285, 285);
  f.form.PicMain_MouseUp(1, 0, 285, 285);
  EXPECT_TRUE(f.form.selection().IsMarquee());
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{250, 250, 280, 280}));
}

TEST(Selection, UndoSaveAndTheBareWindowCommitFirst) {
  LoadedForm f;
  PaintSample(f);
  const auto float_away = [&] {
    Mark(f, 40, 40, 65, 65);
    f.form.PicMain_MouseMove(0, 0, 41, 41);
    f.form.PicMain_MouseDown(1, 0, 41, 41);
    f.form.PicMain_MouseMove(1, 0, 201, 41);
    f.form.PicMain_MouseUp(1, 0, 201, 41);
  };
  float_away();
  f.form.Form_MouseUp(2, 0, 500, 300);  // a release over the window's own background
  EXPECT_FALSE(f.form.selection().Exists());
  EXPECT_EQ(f.Image(20, 4), kRed);

  float_away();  // pixels (20, 4) onward go to (36, 4): off the icon
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_FALSE(f.form.selection().Exists());
  EXPECT_EQ(f.Image(20, 4), kRed) << "the commit was undone, not the move before it";
  EXPECT_TRUE(f.ViewsShowTheIcon());

  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "pelorin-selection-save.ico";
  float_away();
  f.platform.save_answers.push_back(FileChoice{path.string(), path.filename().string()});
  f.form.files().MnuSaveAs_Click();
  EXPECT_FALSE(f.form.selection().Exists()) << "saved with the selection in the picture";
  EXPECT_EQ(std::filesystem::file_size(path), 3262u);
  std::filesystem::remove(path);
}

// Whatever order of presses, moves, releases, chords, tool changes and undos arrives (the fake
// can send what a real pointer cannot, such as moves with a button that was never pressed here),
// once the selection
// is committed the canvas shows exactly the picture: no band, no marquee, and the mask holds only
// black and white.
class RandomGestures : public ::testing::TestWithParam<int> {};

TEST_P(RandomGestures, LeaveNoTrace) {
  LoadedForm f;
  PaintSample(f);
  std::mt19937 random(GetParam());
  std::uniform_int_distribution<int> pick(0, 9);
  std::uniform_real_distribution<double> coordinate(-30, 350);
  for (int step = 0; step < 2000; ++step) {
    const double x = coordinate(random);
    const double y = coordinate(random);
    const int button = 1 + pick(random) % 2;
    const int what = pick(random);
    switch (what) {
      case 0:
        f.ChooseTool(1 + (pick(random) % 2 == 0 ? 0 : 5 + pick(random) % 7));
        break;
      case 1:
        f.form.PicMain_MouseDown(button, 0, x, y);
        break;
      case 2:
      case 3:
      case 4:
        f.form.PicMain_MouseMove(pick(random) < 7 ? button : 0, 0, x, y);
        break;
      case 5:
      case 6:
        f.form.PicMain_MouseUp(button, 0, x, y);
        break;
      case 7:
        f.form.MenuCommand("MnuEdit", "MnuEditOpts", pick(random) % 2);
        break;
      case 8:
        f.form.Form_MouseUp(1, 0, 0, 0);
        break;
      default:
        f.ChooseTool(1);
        break;
    }
  }
  f.form.PicMain_MouseUp(1, 0, 0, 0);
  f.form.PicMain_MouseUp(2, 0, 0, 0);
  f.ChooseTool(2);
  EXPECT_TRUE(f.ViewsShowTheIcon());
  for (int yy = 0; yy < 32; ++yy) {
    for (int xx = 0; xx < 32; ++xx) {
      const Colour m = f.Mask(xx, yy);
      ASSERT_TRUE(m == kBlack || m == kWhite);
      if (m == kWhite) {
        ASSERT_EQ(f.Image(xx, yy), kBlack);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomGestures, ::testing::Values(1, 2, 3, 7));

}  // namespace
}  // namespace pelorin
