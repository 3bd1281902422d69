// The File menu's extract command: the document it leaves behind after OK, and the document it
// leaves alone after Cancel, the close box or a declined save question.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "extract/FrmIcons.h"
#include "extract/LibraryBuilder.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using namespace pelorin::testing;

class ExtractCommandTest : public ::testing::Test {
 protected:
  ~ExtractCommandTest() override {
    for (const std::string& p : written_) fs::remove(p);
  }
  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path =
        (fs::temp_directory_path() / ("pelorin-extract-" + std::to_string(::getpid()) + "-" + name))
            .string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    written_.push_back(path);
    return path;
  }
  // The browser picks the icon in cell `index` and presses OK, after browsing to `path` if given.
  void PickWithOk(int index, const std::string& path = "") {
    f.platform.Answer<FrmIcons>([this, index, path](FrmIcons& d) {
      if (!path.empty()) {
        f.platform.open_answers.push_back(FileChoice{path, fs::path(path).filename().string()});
        d.CmdBrowse_Click();
      }
      d.PicIcons_MouseUp(1, 0, 38 * (index % 10) + 5, 38 * (index / 10) + 5);
      d.CmdOk_Click();
    });
  }
  void Extract() { f.form.MenuCommand("MnuFile", "MnuExtract", 0); }
  // The document holds exactly `icon`, its canvas and preview composed from it.
  void ExpectDocument(const IconPicture& icon) {
    EXPECT_EQ(f.form.doc().PicMask().raster(), icon.mask);
    EXPECT_EQ(f.form.doc().PicImage().raster(), icon.image);
    Raster preview(32, 32, f.platform.button_face);
    StretchComposeIcon(preview, 0, 0, 32, 32, icon.mask, icon.image);
    EXPECT_EQ(f.form.doc().picIcon().raster(), preview);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        if (icon.mask.At(x, y) != kBlack) continue;
        ASSERT_EQ(f.Canvas(10 * x + 5, 10 * y + 5), icon.image.At(x, y)) << x << "," << y;
        ASSERT_EQ(f.Copy(10 * x + 5, 10 * y + 5), icon.image.At(x, y)) << x << "," << y;
      }
    EXPECT_EQ(f.Canvas(10, 5), kBlack);  // the grid is drawn over it
  }
  void ExpectFreshUntitledDocument() {
    EXPECT_EQ(f.host.caption, "Pelorin - 未命名");
    EXPECT_EQ(f.form.doc().DocPath(), "未命名");
    EXPECT_FALSE(f.form.doc().Modified());
    EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
    EXPECT_FALSE(f.form.undo().Steps().CanUndo());
    // Leaving asks nothing.
    bool cancel = false;
    f.form.Form_Unload(cancel);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(f.platform.messages.empty());
  }

  LoadedForm f;

 private:
  std::vector<std::string> written_;
};

TEST_F(ExtractCommandTest, TheMenuItemIsThereAndEnabled) {
  const auto& file = f.form.Menus()[0].items;
  const auto it = std::find_if(file.begin(), file.end(),
                               [](const MenuItem& m) { return m.name == "MnuExtract"; });
  ASSERT_NE(it, file.end());
  EXPECT_EQ(it->caption, "提取(&E)");
  EXPECT_TRUE(it->enabled);
}

TEST_F(ExtractCommandTest, OkMakesTheChosenIconTheOnlyStateOfAnUntitledDocument) {
  f.ClickCanvas(1, 5, 5);  // a change, then saved away by "No"
  f.platform.answers.push_back(MsgAnswer::kNo);
  PickWithOk(4);
  Extract();
  EXPECT_EQ(f.platform.Shown<FrmIcons>(), 1);
  ASSERT_EQ(f.platform.messages.size(), 1u);  // the save question
  f.platform.messages.clear();
  const auto icon = IconLibrary::Open(std::string(kBuiltInLibraryPath)).Draw(4, 0, 24);
  ASSERT_TRUE(icon);
  ExpectDocument(*icon);
  ExpectFreshUntitledDocument();
}

TEST_F(ExtractCommandTest, AnIconOfABrowsedLibrary) {
  const std::vector<LibraryIcon> icons = {{"", 1, {SolidImage(32, 0x111111)}},
                                          {"", 2, {SolidImage(16, 0x222222, 8)}}};
  const std::string path = Write("two.dll", BuildPe(icons));
  PickWithOk(1, path);
  Extract();
  const auto icon = IconLibrary::Open(path).Draw(1, 0, 24);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->image.At(0, 0), 0x222222u);
  ExpectDocument(*icon);
  ExpectFreshUntitledDocument();
}

TEST_F(ExtractCommandTest, AFrameOfAnAnimatedCursorNotASeparateIcon) {
  AniSpec ani;
  for (std::uint32_t c : {0x10u, 0x20u, 0x30u})
    ani.frames.push_back(BuildIco({SolidImage(32, c)}, 2));
  ani.sequence = std::vector<std::uint32_t>{0, 2, 1, 2};
  const std::string path = Write("spin.ani", BuildAni(ani));
  PickWithOk(2, path);
  Extract();
  EXPECT_EQ(f.form.doc().PicImage().raster().At(9, 9), 0x200000u);  // step 2 shows frame 1
  ExpectDocument(*IconLibrary::Open(path).Draw(0, 2, 24));
  ExpectFreshUntitledDocument();
}

TEST_F(ExtractCommandTest, CancelAndTheCloseBoxLeaveTheDocumentAlone) {
  f.ClickCanvas(1, 5, 5);
  const Raster image = f.form.doc().PicImage().raster();
  f.platform.answers.push_back(MsgAnswer::kNo);
  f.platform.Answer<FrmIcons>([](FrmIcons& d) { d.CmdCancel_Click(); });
  Extract();
  f.platform.Answer<FrmIcons>(nullptr);  // closed without a button: no outcome at all
  Extract();
  EXPECT_EQ(f.platform.Shown<FrmIcons>(), 2);
  EXPECT_EQ(f.form.doc().PicImage().raster(), image);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);

  // A declined save question: no browser at all.
  f.ClickCanvas(1, 15, 5);
  f.platform.answers.push_back(MsgAnswer::kCancel);
  Extract();
  EXPECT_EQ(f.platform.Shown<FrmIcons>(), 2);
  EXPECT_TRUE(f.form.doc().Modified());
}

TEST_F(ExtractCommandTest, AnIconThatCannotBeTakenOutGivesABlankPicture) {
  const std::vector<LibraryIcon> icons = {{"", 1, {SolidImage(32, 0x111111)}}};
  const std::string path = Write("vanishing.dll", BuildPe(icons));
  f.platform.Answer<FrmIcons>([&](FrmIcons& d) {
    f.platform.open_answers.push_back(FileChoice{path, "vanishing.dll"});
    d.CmdBrowse_Click();
    d.CmdOk_Click();
    fs::remove(path);  // gone before the command takes the icon out
  });
  Extract();
  ExpectDocument({Raster(32, 32, kWhite), Raster(32, 32, kBlack)});
  ExpectFreshUntitledDocument();
}

}  // namespace
}  // namespace pelorin
