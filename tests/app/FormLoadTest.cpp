#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/StartUp.h"
#include "app/frmMain.h"
#include "platform/FakePlatform.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;

struct LoadedForm {
  explicit LoadedForm(std::vector<std::string> arguments = {})
      : form(platform, host, std::move(arguments)) {
    form.Form_Load();
  }
  FakePlatform platform;
  FakeWindowHost host;
  frmMain form;
};

TEST(FormLoad, StartsUntitledAndUnmodified) {
  LoadedForm f;
  EXPECT_EQ(f.host.caption, "Pelorin - 未命名");
  EXPECT_EQ(f.form.Caption(), "Pelorin - 未命名");
  EXPECT_EQ(f.form.doc().DocPath(), "未命名");
  EXPECT_EQ(f.form.doc().DocTitle(), "");
  EXPECT_FALSE(f.form.doc().Modified());
  EXPECT_TRUE(f.platform.messages.empty());
}

TEST(FormLoad, PlacesTheWindowCentredWithAThirdOfTheFreeHeightAbove) {
  FakePlatform platform;
  platform.screen_width = 1024;
  platform.screen_height = 768;
  FakeWindowHost host;
  host.outer_width = 571;
  host.outer_height = 401;
  frmMain form(platform, host, {});
  form.Form_Load();
  EXPECT_EQ(host.left, 226);  // 453 / 2, truncated
  EXPECT_EQ(host.top, 122);   // 367 / 3, truncated
}

TEST(FormLoad, OpensThePathOfTheCommandLineAndSaysWhatItDidNotOpen) {
  EXPECT_EQ(FileToOpenAtStart({}).path, std::nullopt);
  // "/open <path>": the path taken verbatim, letter case and spaces included.
  EXPECT_EQ(FileToOpenAtStart({"/OPEN", "/x/My Icons/Face.ico"}).path, "/x/My Icons/Face.ico");
  EXPECT_EQ(FileToOpenAtStart({"/open /x/a b.ico"}).others, 0u);
  // A plain path, as file managers and shells pass it; further ones are counted, not opened.
  EXPECT_EQ(FileToOpenAtStart({"My Icons/a.ico"}).path, "My Icons/a.ico");
  EXPECT_EQ(FileToOpenAtStart({"a.ico", "b.ico", "c.ico"}).path, "a.ico");
  EXPECT_EQ(FileToOpenAtStart({"a.ico", "b.ico", "c.ico"}).others, 2u);

  // A missing file is reported by the open command and the window comes up empty.
  LoadedForm f({"/nonexistent/My Icons/Face.ico"});
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text, "打不开文件 Face.ico");
  EXPECT_EQ(f.form.doc().DocPath(), "未命名");

  LoadedForm several({"/nonexistent/a.ico", "b.ico"});
  ASSERT_EQ(several.platform.messages.size(), 2u);
  EXPECT_EQ(several.platform.messages[1].text,
            "Pelorin 一次只编辑一个图标：命令行上 a.ico 以外的 1 个文件没有打开。");
}

// One cell of the empty canvas with the grid lines around it.
constexpr char kEmptyCell[] =
    "###########\n"
    "#.........#\n"
    "#...g...g.#\n"
    "#..g...g..#\n"
    "#.g...g...#\n"
    "#....g....#\n"
    "#...g...g.#\n"
    "#..g...g..#\n"
    "#.g...g...#\n"
    "#.........#\n"
    "###########\n";

const Legend kCanvasLegend = {{'#', kBlack}, {'.', kWhite}, {'g', 0x808080}};

TEST(FormLoad, ShowsTheHatchInEveryCellInsideABlackGrid) {
  LoadedForm f;
  const Raster& canvas = f.form.doc().PicMain().raster();
  ASSERT_EQ(canvas.width(), 321);
  ASSERT_EQ(canvas.height(), 321);
  for (int i = 0; i < 32; ++i)
    for (int j = 0; j < 32; ++j)
      ASSERT_TRUE(testing::PictureMatches(canvas, 10 * i, 10 * j, kCanvasLegend,
                                          testing::PictureRows(kEmptyCell)))
          << "cell " << i << ", " << j;
  // The closing grid lines at 320 are black all the way, corner included.
  for (int k = 0; k <= 320; ++k) {
    EXPECT_EQ(canvas.At(320, k), kBlack);
    EXPECT_EQ(canvas.At(k, 320), kBlack);
  }
}

TEST(FormLoad, TheBackingCopyHasNoClosingGridLine) {
  LoadedForm f;
  const Raster& copy = f.form.doc().PicMainCopy().raster();
  ASSERT_EQ(copy.width(), 320);
  // The copy holds the empty canvas: black between the hatch cells, no grid pass; its last cell
  // is the top-left 10 x 10 of a gridded cell.
  std::vector<std::string> last_cell = testing::PictureRows(kEmptyCell);
  last_cell.pop_back();
  for (std::string& row : last_cell) row.pop_back();
  EXPECT_TRUE(testing::PictureMatches(copy, 310, 310, kCanvasLegend, last_cell));
}

TEST(FormLoad, ThePreviewShowsOnlyItsBackground) {
  LoadedForm f;
  EXPECT_EQ(f.form.doc().picIcon().raster(), Raster(32, 32, f.platform.button_face));
  EXPECT_EQ(f.form.doc().PicImage().raster(), Raster(32, 32, kBlack));
  EXPECT_EQ(f.form.doc().PicMask().raster(), Raster(32, 32, kWhite));
}

}  // namespace
}  // namespace pelorin
