// The icon browser's behaviour: where its library comes from, the caption, the grid and its
// scrolling, clicks and the highlight, Browse with its messages, and the outcome it hands back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Keys.h"
#include "extract/FrmIcons.h"
#include "extract/LibraryBuilder.h"
#include "platform/FakePlatform.h"
#include "platform/SystemDirectory.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using namespace pelorin::testing;

// A library of `count` icons, icon k filled with the colour 0x0000kk (as stored).
Bytes NumberedLibrary(int count) {
  std::vector<LibraryIcon> icons;
  for (int k = 0; k < count; ++k)
    icons.push_back({"",
                     static_cast<std::uint16_t>(k + 1),
                     {SolidImage(32, static_cast<std::uint32_t>(k + 1))}});
  return BuildPe(icons);
}

// The colour icon k of NumberedLibrary shows.
Colour IconColour(int k) { return static_cast<Colour>(k + 1) << 16; }

class FrmIconsTest : public ::testing::Test {
 protected:
  FrmIconsTest() {
    dir_ = fs::temp_directory_path() /
           ("pelorin-icons-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::create_directories(dir_);
  }
  ~FrmIconsTest() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const Bytes& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  // Browse answered with `path`.
  void BrowseTo(const std::string& path) {
    platform.open_answers.push_back(FileChoice{path, fs::path(path).filename().string()});
    dialog.CmdBrowse_Click();
  }
  Colour Grid(int x, int y) const { return dialog.PicIcons.raster().GetPixel(x, y); }
  // Whether the outline of the 37 x 37 square at (x, y) is all `colour`.
  bool Outline(int x, int y, Colour colour) const {
    for (int i = 0; i <= 36; ++i)
      if (Grid(x + i, y) != colour || Grid(x + i, y + 36) != colour || Grid(x, y + i) != colour ||
          Grid(x + 36, y + i) != colour)
        return false;
    return true;
  }

  FakePlatform platform;
  FrmIcons dialog{platform};
  fs::path dir_;

 private:
  static inline int counter_ = 0;
};

TEST_F(FrmIconsTest, WithoutWineTheBuiltInLibraryIsShown) {
  platform.screen_pointer = ScreenPointer::kDefault;
  dialog.Form_Load();
  const int count = static_cast<int>(BuiltInIconNames().size());
  EXPECT_GE(count, 12);
  EXPECT_EQ(dialog.Caption(), "Pelorin - 内置图标库 - " + std::to_string(count) + " 个图标");
  EXPECT_EQ(dialog.LibraryPath(), kBuiltInLibraryPath);
  EXPECT_EQ(dialog.IconCount(), count);
  EXPECT_EQ(dialog.LblInfo(), "1 号图标被选中");
  // The hourglass while loading, the pointer as it was afterwards.
  ASSERT_FALSE(platform.pointer_changes.empty());
  EXPECT_EQ(platform.pointer_changes.front(), ScreenPointer::kHourglass);
  EXPECT_EQ(platform.screen_pointer, ScreenPointer::kDefault);

  // Every built-in icon is a whole 32 x 32 picture, each its own, drawn in its cell.
  const IconLibrary built_in = IconLibrary::Open(std::string(kBuiltInLibraryPath));
  std::vector<Raster> seen;
  for (int k = 0; k < count; ++k) {
    const auto icon = built_in.Draw(k, 0, 24);
    ASSERT_TRUE(icon) << BuiltInIconNames()[k];
    EXPECT_TRUE(IsPureMask(icon->mask));
    EXPECT_EQ(std::find(seen.begin(), seen.end(), icon->image), seen.end());
    seen.push_back(icon->image);
    Raster cell(32, 32, kWhite);
    StretchComposeIcon(cell, 0, 0, 32, 32, icon->mask, icon->image);
    const int x = 3 + 38 * (k % 10);
    const int y = 3 + 38 * (k / 10);
    for (int j = 0; j < 32; ++j)
      for (int i = 0; i < 32; ++i) ASSERT_EQ(Grid(x + i, y + j), cell.At(i, j)) << k;
  }
}

TEST_F(FrmIconsTest, WinesShell32IsShownWhenItHasIcons) {
  const std::string folder = dir_.string() + "/";
  Write("shell32.dll", NumberedLibrary(3));
  platform.system_directory = folder;
  dialog.Form_Load();
  EXPECT_EQ(dialog.Caption(), "Pelorin - shell32.dll - 3 个图标");
  EXPECT_EQ(dialog.LibraryPath(), folder + "shell32.dll");
  EXPECT_EQ(Grid(3 + 38 * 2 + 5, 8), IconColour(2));

  // A shell32.dll without icons is no use: the built-in library is shown instead.
  Write("shell32.dll", Bytes{'M', 'Z'});
  FrmIcons again(platform);
  again.Form_Load();
  EXPECT_EQ(again.LibraryPath(), kBuiltInLibraryPath);
}

TEST_F(FrmIconsTest, WinesFoldersAreTriedFromThePrefixToTheSystemWideOnes) {
  const auto with_prefix = WineSystemFolders([](const char* name) -> std::optional<std::string> {
    if (std::string(name) == "WINEPREFIX") return "/home/u/games";
    if (std::string(name) == "HOME") return "/home/u";
    return std::nullopt;
  });
  ASSERT_GT(with_prefix.size(), 2u);
  EXPECT_EQ(with_prefix[0], "/home/u/games/drive_c/windows/system32");
  EXPECT_EQ(with_prefix[1], "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows");
  const auto home_only = WineSystemFolders([](const char* name) -> std::optional<std::string> {
    if (std::string(name) == "HOME") return "/home/u";
    return std::nullopt;
  });
  EXPECT_EQ(home_only[0], "/home/u/.wine/drive_c/windows/system32");

  fs::create_directories(dir_ / "a");
  fs::create_directories(dir_ / "b");
  Write("b/shell32.dll", NumberedLibrary(1));
  EXPECT_EQ(FindSystemDirectory({(dir_ / "a").string(), (dir_ / "b").string()}),
            (dir_ / "b").string() + "/");
  EXPECT_EQ(FindSystemDirectory({(dir_ / "a").string()}), "");
}

TEST_F(FrmIconsTest, FiftyIconsFitWithoutScrollingFiftyOneNeedTheScrollBar) {
  dialog.Form_Load();
  BrowseTo(Write("fifty.dll", NumberedLibrary(50)));
  EXPECT_EQ(dialog.Caption(), "Pelorin - fifty.dll - 50 个图标");
  EXPECT_EQ(dialog.PicIcons.height(), 190);
  EXPECT_FALSE(dialog.Vsb().Enabled);
  EXPECT_EQ(Grid(3 + 38 * 9 + 5, 3 + 38 * 4 + 5), IconColour(49));

  BrowseTo(Write("fifty-one.dll", NumberedLibrary(51)));
  EXPECT_EQ(dialog.PicIcons.height(), 228);
  EXPECT_TRUE(dialog.Vsb().Enabled);
  EXPECT_EQ(dialog.Vsb().Min, 0);
  EXPECT_EQ(dialog.Vsb().Max, 38);
  EXPECT_EQ(dialog.Vsb().SmallChange, 38);   // an arrow: one row
  EXPECT_EQ(dialog.Vsb().LargeChange, 190);  // the trough: the rows shown
  EXPECT_EQ(Grid(3 + 5, 3 + 38 * 5 + 5), IconColour(50));
  EXPECT_EQ(Grid(3 + 38 + 5, 3 + 38 * 5 + 5), kWhite);
  dialog.Vsb_Change(38);
  EXPECT_EQ(dialog.PicIconsTop(), -38);
  dialog.Vsb_Scroll(500);  // past the end: held at the maximum
  EXPECT_EQ(dialog.PicIconsTop(), -38);

  // A new grid starts at the top with the first icon selected.
  BrowseTo(Write("fifty-again.dll", NumberedLibrary(51)));
  EXPECT_EQ(dialog.PicIconsTop(), 0);
  EXPECT_EQ(dialog.SelectedIndex(), 0);
}

TEST_F(FrmIconsTest, AClickSelectsTheIconUnderItAndMovesTheHighlight) {
  dialog.Form_Load();
  BrowseTo(Write("many.dll", NumberedLibrary(51)));
  EXPECT_TRUE(Outline(1, 1, kHighlightColour));
  EXPECT_EQ(Grid(2, 2), kWhite);

  dialog.PicIcons_MouseUp(1, 0, 38 + 20, 38 + 30);  // second row, second column
  EXPECT_EQ(dialog.SelectedIndex(), 11);
  EXPECT_EQ(dialog.LblInfo(), "12 号图标被选中");
  EXPECT_TRUE(Outline(39, 39, kHighlightColour));
  EXPECT_TRUE(Outline(1, 1, kWhite));
  EXPECT_EQ(dialog.HighlightX(), 39);
  EXPECT_EQ(dialog.HighlightY(), 39);

  // Any button selects; the empty cells after the last icon, below the grid or right of it do
  // nothing.
  dialog.PicIcons_MouseUp(2, 0, 5, 5 * 38 + 5);
  EXPECT_EQ(dialog.SelectedIndex(), 50);
  for (const auto& [x, y] :
       {std::pair{38.0 + 5, 5 * 38.0 + 5}, {5.0, 229.0}, {380.0, 5.0}, {-1.0, 5.0}, {5.0, -1.0}})
    dialog.PicIcons_MouseUp(1, 0, x, y);
  EXPECT_EQ(dialog.SelectedIndex(), 50);
  EXPECT_EQ(dialog.LblInfo(), "51 号图标被选中");
  EXPECT_TRUE(Outline(1, 5 * 38 + 1, kHighlightColour));
}

TEST_F(FrmIconsTest, TheKeysSelectTheIconBesideAndScrollAsLittleAsShowsIt) {
  dialog.Form_Load();
  BrowseTo(Write("many.dll", NumberedLibrary(61)));  // six full rows and one icon
  struct Case {
    int key;
    int shift;
    int selected;
    int top;  // the scroll bar's value afterwards
  };
  for (const Case& c : {Case{kKeyRight, 0, 1, 0},
                        {kKeyDown, 0, 11, 0},
                        {kKeyEnd, 0, 19, 0},
                        {kKeyPageDown, 0, 60, 76},  // five rows down: past the last icon
                        {kKeyRight, 0, 60, 76},
                        {kKeyUp, 0, 50, 76},
                        {kKeyPageUp, 0, 0, 0},
                        {kKeyLeft, 0, 0, 0},
                        {kKeyEnd, kCtrlDown, 60, 76},
                        {kKeyHome, kCtrlDown, 0, 0},
                        {kKeyDown, 0, 10, 0}}) {
    EXPECT_TRUE(dialog.PicIcons_KeyDown(c.key, c.shift));
    EXPECT_EQ(dialog.SelectedIndex(), c.selected) << c.key;
    EXPECT_EQ(dialog.Vsb().Value, c.top) << c.key;
    EXPECT_EQ(dialog.LblInfo(), std::to_string(c.selected + 1) + " 号图标被选中");
  }
  EXPECT_TRUE(Outline(1, 38 + 1, kHighlightColour));
  EXPECT_FALSE(dialog.PicIcons_KeyDown(kKeyReturn, 0));  // Enter is the dialog's: OK
  EXPECT_EQ(FrmIcons::IconName(10), "11 号图标");
}

TEST_F(FrmIconsTest, BrowseOffersTheLibraryFiltersAndCancelChangesNothing) {
  dialog.Form_Load();
  const std::string caption = dialog.Caption();
  dialog.CmdBrowse_Click();  // the fake cancels
  ASSERT_EQ(platform.open_dialogs.size(), 1u);
  const FileDialogSettings& d = platform.open_dialogs[0];
  EXPECT_EQ(d.title, "Pelorin - 打开");
  EXPECT_EQ(d.filter,
            "所有文件(*.*)|*.*|动画光标(*.ani)|*.ani|动态链接库(*.dll)|*.dll|运行文件(*.exe)|*.exe|"
            "图标库(*.icl)|*.icl");
  EXPECT_EQ(d.filter_index, 3);
  EXPECT_TRUE(d.must_exist);
  EXPECT_TRUE(d.initial_name.empty());
  EXPECT_EQ(dialog.Caption(), caption);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FrmIconsTest, AFileWithoutIconsIsReportedAndThePreviousFileStays) {
  dialog.Form_Load();
  BrowseTo(Write("three.dll", NumberedLibrary(3)));
  dialog.PicIcons_MouseUp(1, 0, 38 * 2 + 5, 5);
  const std::string caption = dialog.Caption();

  BrowseTo(Write("empty.dll", Bytes(512, 0)));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "empty.dll 不包含图标。");
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(platform.messages[0].buttons, MsgButtons::kOk);
  EXPECT_EQ(platform.messages[0].title, "Pelorin");

  // A file that cannot be read at all.
  BrowseTo((dir_ / "gone.dll").string());
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text, "打不开文件 gone.dll");
  EXPECT_EQ(platform.messages[1].icon, MsgIcon::kExclamation);
  EXPECT_EQ(platform.messages[1].title, "Pelorin - 错误");

  // The caption, the grid, the selection and what OK hands back all still name the first file.
  EXPECT_EQ(dialog.Caption(), caption);
  EXPECT_EQ(dialog.IconCount(), 3);
  EXPECT_EQ(dialog.LblInfo(), "3 号图标被选中");
  dialog.CmdOk_Click();
  EXPECT_EQ(dialog.Tag, "Ok");
  EXPECT_EQ(dialog.CmdOk_Tag, (dir_ / "three.dll").string());
  EXPECT_EQ(dialog.CmdBrowse_Tag, "2");
}

TEST_F(FrmIconsTest, AnAnimatedCursorShowsOneCellPerStep) {
  dialog.Form_Load();
  AniSpec ani;
  for (std::uint32_t c : {0x10u, 0x20u, 0x30u})
    ani.frames.push_back(BuildIco({SolidImage(32, c)}, 2));
  ani.sequence = std::vector<std::uint32_t>{2, 1, 0, 1};
  BrowseTo(Write("Walk.ANI", BuildAni(ani)));
  EXPECT_TRUE(dialog.AnimatedCursorMode());
  EXPECT_EQ(dialog.Caption(), "Pelorin - Walk.ANI - 4 个图标");
  const Colour want[] = {0x300000, 0x200000, 0x100000, 0x200000};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Grid(3 + 38 * k + 5, 8), want[k]) << k;
  EXPECT_EQ(Grid(3 + 38 * 4 + 5, 8), kWhite);

  // An animated cursor that is not named .ani is not one: it holds no icons.
  BrowseTo(Write("walk.cur", BuildAni(ani)));
  EXPECT_EQ(platform.messages.back().text, "walk.cur 不包含图标。");
  // A still icon named .ani is a cursor of one step.
  BrowseTo(Write("still.ani", BuildIco({SolidImage(32, 0x40)})));
  EXPECT_EQ(dialog.IconCount(), 1);
  EXPECT_TRUE(dialog.AnimatedCursorMode());
}

TEST_F(FrmIconsTest, OkCancelAndDoubleClickHandBackTheirOutcome) {
  dialog.Form_Load();
  BrowseTo(Write("four.dll", NumberedLibrary(4)));
  dialog.CmdCancel_Click();
  EXPECT_EQ(dialog.Tag, "Cancelled");
  EXPECT_FALSE(dialog.Visible());

  FrmIcons ok(platform);
  ok.Form_Load();
  ok.CmdOk_Click();
  EXPECT_EQ(ok.Tag, "Ok");
  EXPECT_EQ(ok.CmdOk_Tag, kBuiltInLibraryPath);
  EXPECT_EQ(ok.CmdBrowse_Tag, "0");
  EXPECT_FALSE(ok.Visible());

  FrmIcons twice(platform);
  twice.Form_Load();
  twice.PicIcons_DblClick(1, 0, 380 - 1, 190);  // no icon there
  EXPECT_TRUE(twice.Tag.empty());
  EXPECT_TRUE(twice.Visible());
  twice.PicIcons_DblClick(1, 0, 38 * 3 + 1, 38 + 1);
  EXPECT_EQ(twice.Tag, "Ok");
  EXPECT_EQ(twice.CmdBrowse_Tag, "13");
}

TEST(IsAnimatedCursorPath, LooksAtTheLastFourCharactersInAnyCase) {
  EXPECT_TRUE(IsAnimatedCursorPath("/a/b.ani"));
  EXPECT_TRUE(IsAnimatedCursorPath("B.AnI"));
  EXPECT_FALSE(IsAnimatedCursorPath("ani"));
  EXPECT_FALSE(IsAnimatedCursorPath("/x.ani/file.dll"));
  EXPECT_FALSE(IsAnimatedCursorPath(""));
}

}  // namespace
}  // namespace pelorin
