// New, Open, Save and Save As through the main window, with the fake platform's dialogs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/frmAbout.h"
#include "document/IconFile.h"
#include "extract/IconBuilder.h"
#include "recent/RecentCaption.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using testing::LoadedForm;

using testing::Bytes;

// A 32 x 32, 24-bit icon with a colour pattern and some transparent pixels, stored black under
// the mask as writers do; it reads back the way the editor writes it.
const Bytes kIco24 =
    testing::BuildIco({{.bit_count = 24,
                        .data = testing::BuildDib({
                            .bits = 24,
                            .pixel = [](int x, int y) -> std::uint32_t {
                              if ((x + y) % 7 == 0) return 0;
                              return x * 8 | (y * 8) << 8 | ((x + y) * 4) << 16;
                            },
                            .and_bit = [](int x, int y) { return (x + y) % 7 == 0; },
                        })}});
// Three images: 16 x 16 at 24 bits, 32 x 32 at 24 bits, 48 x 48 at 32 bits.
const Bytes kMulti = testing::BuildIco({
    {.width = 16, .height = 16, .data = testing::BuildDib({.width = 16, .height = 16, .bits = 24})},
    {.bit_count = 24, .data = testing::BuildDib({.bits = 24})},
    {.width = 48, .height = 48, .data = testing::BuildDib({.width = 48, .height = 48, .bits = 32})},
});

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() {
    dir_ = fs::temp_directory_path() /
           ("pelorin-files-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::create_directories(dir_);
  }
  ~FileCommandsTest() override { fs::remove_all(dir_); }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const Bytes& bytes, const std::string& name) const {
    std::ofstream(dir_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return File(name);
  }
  static std::vector<std::uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  LoadedForm f;

 private:
  static inline int counter_ = 0;
  fs::path dir_;
};

TEST_F(FileCommandsTest, SavingAnUntitledDocumentAsksForANameAndWritesTheIcon) {
  f.ClickCanvas(1, 5, 5);  // black at (0, 0)
  f.platform.save_answers.push_back(FileChoice{File("face.ico"), "face.ico"});
  f.form.MenuCommand("MnuFile", "MnuSave", 0);

  ASSERT_EQ(f.platform.save_dialogs.size(), 1u);
  const FileDialogSettings& d = f.platform.save_dialogs[0];
  EXPECT_EQ(d.title, "Pelorin - 另存");
  EXPECT_EQ(d.filter, "图标文件(*.ico)|*.ico");
  EXPECT_EQ(d.default_extension, ".ico");
  EXPECT_EQ(d.initial_name, "未命名.ico");
  EXPECT_TRUE(d.confirm_overwrite);

  EXPECT_EQ(Read(File("face.ico")),
            EncodeIcon(f.form.doc().PicImage().raster(), f.form.doc().PicMask().raster()));
  EXPECT_EQ(f.form.doc().DocPath(), File("face.ico"));
  EXPECT_EQ(f.form.doc().DocTitle(), "face.ico");
  EXPECT_EQ(f.host.caption, "Pelorin - face.ico");
  EXPECT_FALSE(f.form.doc().Modified());
  EXPECT_EQ(f.platform.settings.count({"Rfl", "1."}), 0u)
      << "the list is written when the window closes";
  const auto& recent = f.form.Menus()[0].items;
  EXPECT_TRUE(std::any_of(recent.begin(), recent.end(), [&](const MenuItem& m) {
    return m.name == "MnuRecent" && m.index == 1 && m.visible && m.caption == File("face.ico");
  }));
  // The hourglass was up while writing and is gone now.
  EXPECT_NE(std::find(f.platform.pointer_changes.begin(), f.platform.pointer_changes.end(),
                      ScreenPointer::kHourglass),
            f.platform.pointer_changes.end());
  EXPECT_EQ(f.platform.screen_pointer, ScreenPointer::kDefault);

  // A second Save writes to the same file without asking.
  f.ClickCanvas(1, 15, 5);
  f.form.MenuCommand("MnuFile", "MnuSave", 0);
  EXPECT_EQ(f.platform.save_dialogs.size(), 1u);
  EXPECT_EQ(Read(File("face.ico"))[3258], 0x3F);
}

// The message gives the cause in our words and names the file that could not be written: after a
// Save As under a new name that is the new file, not the document's own.
TEST_F(FileCommandsTest, AFailedSaveSaysWhyAndChangesNothingButTheFlag) {
  f.ClickCanvas(1, 5, 5);
  f.platform.save_answers.push_back(FileChoice{File("missing-folder/a.ico"), "a.ico"});
  EXPECT_FALSE(f.form.files().SaveDocument(SaveMode::kSaveAs));
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].title, "Pelorin - 错误");
  EXPECT_EQ(f.platform.messages[0].icon, MsgIcon::kExclamation);
  EXPECT_EQ(f.platform.messages[0].text, "文件夹不存在。\r\n\r\n不能保存 a.ico");
  EXPECT_TRUE(f.form.doc().Modified());
  EXPECT_EQ(f.form.doc().DocPath(), "未命名");
  EXPECT_EQ(f.host.caption, "Pelorin - 未命名");
  EXPECT_EQ(f.platform.screen_pointer, ScreenPointer::kDefault);

  f.platform.save_answers.push_back(FileChoice{File("old.ico"), "old.ico"});
  ASSERT_TRUE(f.form.files().SaveDocument(SaveMode::kSaveAs));
  f.ClickCanvas(1, 15, 5);
  fs::create_directory(File("folder.ico"));
  f.platform.save_answers.push_back(FileChoice{File("folder.ico"), "folder.ico"});
  f.platform.save_answers.push_back(FileChoice{File("missing-folder/b.ico"), "b.ico"});
  f.form.files().MnuSaveAs_Click();
  f.form.files().MnuSaveAs_Click();
  ASSERT_EQ(f.platform.messages.size(), 3u);
  EXPECT_EQ(f.platform.messages[1].text, "这是文件夹，不是文件。\r\n\r\n不能保存 folder.ico");
  EXPECT_EQ(f.platform.messages[2].text, "文件夹不存在。\r\n\r\n不能保存 b.ico");
  EXPECT_EQ(f.form.doc().DocPath(), File("old.ico"));
  EXPECT_EQ(f.host.caption, "Pelorin - old.ico");
  EXPECT_TRUE(f.form.doc().Modified());
}

// Saving as a link whose file does not exist yet writes that file and keeps the link.
TEST_F(FileCommandsTest, SavingThroughADanglingLinkKeepsTheLink) {
  fs::create_symlink("real.ico", File("link.ico"));
  f.ClickCanvas(1, 5, 5);
  f.platform.save_answers.push_back(FileChoice{File("link.ico"), "link.ico"});
  EXPECT_TRUE(f.form.files().SaveDocument(SaveMode::kSaveAs));
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_TRUE(fs::is_symlink(File("link.ico")));
  EXPECT_EQ(Read(File("real.ico")),
            EncodeIcon(f.form.doc().PicImage().raster(), f.form.doc().PicMask().raster()));
}

TEST_F(FileCommandsTest, OpeningAnIconMakesItTheDocumentAndItsOnlyUndoState) {
  f.ClickCanvas(1, 5, 5);
  f.form.doc().MarkUnmodified();
  const std::string path = Write(kIco24, "smile.ico");
  f.platform.open_answers.push_back(FileChoice{path, "smile.ico"});
  f.form.MenuCommand("MnuFile", "MnuOpen", 0);

  ASSERT_EQ(f.platform.open_dialogs.size(), 1u);
  EXPECT_EQ(f.platform.open_dialogs[0].title, "Pelorin - 打开");
  EXPECT_TRUE(f.platform.open_dialogs[0].must_exist);
  EXPECT_EQ(f.form.doc().DocPath(), path);
  EXPECT_EQ(f.host.caption, "Pelorin - smile.ico");
  EXPECT_FALSE(f.form.doc().Modified());
  EXPECT_FALSE(f.form.doc().MultiIcon());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
  EXPECT_TRUE(f.form.canvas().Enabled());
  // Saving it back gives the same pixels and mask: the file is a 32 x 32, 24-bit icon like ours
  // (its header leaves the image size 0, ours states it).
  f.form.files().MnuSave_Click();
  const auto saved = Read(path);
  ASSERT_EQ(saved.size(), kIco24.size());
  EXPECT_TRUE(std::equal(saved.begin() + 62, saved.end(), kIco24.begin() + 62));
  // The views show the decoded icon.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool transparent = f.Mask(x, y) == kWhite;
      ASSERT_EQ(f.Copy(10 * x + 5, 10 * y + 5) == f.Image(x, y) || transparent, true);
      if (!transparent) {
        ASSERT_EQ(f.Preview(x, y), f.Image(x, y));
      }
    }
}

// Opening reads the icon's directory and image, not the whole file: an icon padded to 4 GiB (a
// sparse file, so the disk holds only the icon) opens like any other.
TEST_F(FileCommandsTest, AnIconAtTheStartOfAHugeFileOpens) {
  const std::string path = Write(kIco24, "padded.ico");
  fs::resize_file(path, (std::uintmax_t{1} << 32) + 5);
  f.form.files().OpenDroppedFile({path});
  EXPECT_TRUE(f.platform.messages.empty());
  EXPECT_EQ(f.form.doc().DocPath(), path);
  EXPECT_EQ(f.Image(1, 0), 0x080004u);  // blue 8, green 0, red 4
}

TEST_F(FileCommandsTest, AFileThatIsNotAnIconIsRefusedAndTheDocumentKept) {
  f.ClickCanvas(1, 5, 5);
  f.form.doc().MarkUnmodified();
  std::ofstream(File("photo.ico"), std::ios::binary) << "BM this is a bitmap, not an icon";
  const Raster before = f.form.doc().PicMask().raster();
  f.form.files().Open(File("photo.ico"));
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text, "打不开文件 photo.ico");
  EXPECT_EQ(f.platform.messages[0].title, "Pelorin - 错误");
  EXPECT_EQ(f.form.doc().PicMask().raster(), before);
  EXPECT_EQ(f.form.doc().DocPath(), "未命名");
  EXPECT_TRUE(f.form.canvas().Enabled());
}

TEST_F(FileCommandsTest, QuerySaveGuardsNewOpenAndClose) {
  // Cancel keeps everything.
  f.ClickCanvas(1, 5, 5);
  f.platform.answers.push_back(MsgAnswer::kCancel);
  f.form.files().MnuNew_Click();
  EXPECT_EQ(f.platform.messages.back().text, "保存对当前图标文件的修改吗？");
  EXPECT_EQ(f.platform.messages.back().title, "Pelorin");
  EXPECT_EQ(f.platform.messages.back().buttons, MsgButtons::kYesNoCancel);
  EXPECT_EQ(f.Mask(0, 0), kBlack);

  // Yes on an untitled document asks for a name; cancelling that keeps the window open.
  f.platform.answers.push_back(MsgAnswer::kYes);
  bool cancel = false;
  f.form.Form_Unload(cancel);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(f.platform.save_dialogs.size(), 1u);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u) << "the history is intact";

  // A declined open leaves no pending source behind: Open from the menu asks for a file.
  f.platform.answers.push_back(MsgAnswer::kCancel);
  f.form.OpenDroppedFile({File("x.ico"), File("y.ico")});
  EXPECT_EQ(f.Mask(0, 0), kBlack);
  f.platform.answers.push_back(MsgAnswer::kCancel);
  f.form.files().MnuOpen_Click();
  EXPECT_TRUE(f.platform.open_dialogs.empty()) << "declined again before any dialog";

  // No discards.
  f.platform.answers.push_back(MsgAnswer::kNo);
  f.form.files().MnuNew_Click();
  EXPECT_EQ(f.Mask(0, 0), kWhite);
  EXPECT_FALSE(f.form.doc().Modified());

  // Nothing unsaved: no question at all.
  const std::size_t asked = f.platform.messages.size();
  cancel = false;
  f.form.Form_Unload(cancel);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(f.platform.messages.size(), asked);
}

TEST_F(FileCommandsTest, SavingAMultiImageFileWarnsFirst) {
  const std::string path = Write(kMulti, "many.ico");
  f.form.OpenDroppedFile({path});
  ASSERT_EQ(f.form.doc().DocPath(), path);
  EXPECT_TRUE(f.form.doc().MultiIcon());

  // Cancel on the warning offers Save As with "*.ico".
  f.platform.answers.push_back(MsgAnswer::kCancel);
  f.form.files().MnuSave_Click();
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text,
            "文件 \"many.ico\" 包含多个图标。\r\n\"保存\" 将覆盖文件中另外的图标。\r\n\r\n"
            "选择<确定>将执行 \"保存\"。\r\n选择<取消>将执行 \"另存\"。");
  EXPECT_EQ(f.platform.messages[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(f.platform.messages[0].buttons, MsgButtons::kOkCancel);
  ASSERT_EQ(f.platform.save_dialogs.size(), 1u);
  EXPECT_EQ(f.platform.save_dialogs[0].initial_name, "*.ico");

  // OK overwrites the file with one image; a second Save no longer asks.
  f.platform.answers.push_back(MsgAnswer::kOk);
  f.form.files().MnuSave_Click();
  EXPECT_EQ(Read(path).size(), 3262u);
  EXPECT_FALSE(f.form.doc().MultiIcon());
  f.form.files().MnuSave_Click();
  EXPECT_EQ(f.platform.messages.size(), 2u);
}

TEST_F(FileCommandsTest, TheCommandLineOpensItsFileAtStartUp) {
  const std::string path = Write(kIco24, "start up.ico");
  LoadedForm started("/OPEN " + path);
  EXPECT_EQ(started.form.doc().DocPath(), path);
  EXPECT_EQ(started.host.caption, "Pelorin - start up.ico");

  LoadedForm missing("/open " + File("nothing.ico"));
  ASSERT_EQ(missing.platform.messages.size(), 1u);
  EXPECT_EQ(missing.platform.messages[0].text, "打不开文件 nothing.ico");
  EXPECT_EQ(missing.form.doc().DocPath(), "未命名");
}

TEST_F(FileCommandsTest, RecentFilesOpenAndAMissingOneIsDropped) {
  const std::string a = Write(kIco24, "a.ico");
  const std::string b = Write(kIco24, "b.ico");
  f.form.OpenDroppedFile({a});
  f.form.OpenDroppedFile({b});
  // Entry 1 is b, entry 2 is a.
  fs::remove(b);
  f.form.MenuCommand("MnuFile", "MnuRecent", 1);
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].text, "找不到 " + b);
  f.form.MenuCommand("MnuFile", "MnuRecent", 1);  // a moved up
  EXPECT_EQ(f.form.doc().DocPath(), a);
  bool cancel = false;
  f.form.Form_Unload(cancel);
  EXPECT_EQ(f.platform.settings.at({"Rfl", "1."}), a);
  EXPECT_EQ(f.platform.settings.count({"Rfl", "2."}), 0u);
}

TEST_F(FileCommandsTest, ALongRecentPathIsShortenedInTheMenuAndOpensWhole) {
  const std::string folder = std::string(50, 'f');
  fs::create_directories(File(folder));
  const std::string deep = Write(kIco24, folder + "/deep.ico");
  f.form.OpenDroppedFile({deep});
  f.form.MenuCommand("MnuFile", "MnuNew", 0);
  const auto& file_menu = f.form.Menus()[0].items;
  const auto item = std::find_if(file_menu.begin(), file_menu.end(), [](const MenuItem& m) {
    return m.name == "MnuRecent" && m.index == 1;
  });
  ASSERT_NE(item, file_menu.end());
  EXPECT_EQ(item->caption, RecentCaption(deep));
  EXPECT_NE(item->caption, deep);
  EXPECT_TRUE(item->caption.ends_with("/deep.ico"));
  f.form.MenuCommand("MnuFile", "MnuRecent", 1);
  EXPECT_EQ(f.form.doc().DocPath(), deep);
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

TEST_F(FileCommandsTest, ADropOpensOnlyItsFirstFileAndANameWithoutFolderIsTheTitle) {
  const std::string a = Write(kIco24, "first.ico");
  const std::string b = Write(kMulti, "second.ico");
  f.form.OpenDroppedFile({a, b, File("third.ico")});
  EXPECT_EQ(f.form.doc().DocPath(), a);
  f.form.OpenDroppedFile({});
  EXPECT_EQ(f.form.doc().DocPath(), a) << "a drop without files is ignored";

  // A path given without any folder is its own title.
  const fs::path cwd = fs::current_path();
  fs::current_path(fs::path(a).parent_path());
  f.form.OpenDroppedFile({"second.ico"});
  fs::current_path(cwd);
  EXPECT_EQ(f.form.doc().DocTitle(), "second.ico");
  EXPECT_EQ(f.host.caption, "Pelorin - second.ico");
}

TEST(HelpMenu, OpensTheHomePageAndTheAboutDialog) {
  LoadedForm f;
  f.platform.open_url_succeeds = false;
  f.form.MenuCommand("MnuHelp", "MnuHelpOpts", 0);
  ASSERT_EQ(f.platform.opened_urls.size(), 1u);
  EXPECT_TRUE(f.platform.messages.empty()) << "a page that cannot open is not worth a message";
  std::string shown_title;
  f.platform.Answer<frmAbout>([&](frmAbout& about) { shown_title = about.lblTitle; });
  f.form.MenuCommand("MnuHelp", "MnuHelpOpts", 2);
  EXPECT_EQ(f.platform.Shown<frmAbout>(), 1);
  EXPECT_EQ(shown_title, "Pelorin - 未命名");
}

TEST(FileMenu, HasItsItemsInOrderWithTheExitShortcutShown) {
  LoadedForm f;
  std::vector<std::string> captions;
  for (const MenuItem& item : f.form.Menus()[0].items)
    if (item.visible) captions.push_back(item.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"新建(&N)", "-", "打开(&O)", "提取(&E)", "-",
                                                "保存(&S)", "另存(&A)", "-", "退出(&x)\tAlt+F4"}));
  f.form.MenuCommand("MnuFile", "MnuExit", 0);
  EXPECT_EQ(f.host.close_requests, 1);
}

}  // namespace
}  // namespace pelorin
