// The recent files' captions: long paths lose folders in the middle, never the file name, and
// never take more room than allowed.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "recent/RecentCaption.h"

namespace pelorin {
namespace {

TEST(RecentCaption, ALongPathLosesWholeFoldersInItsMiddle) {
  struct Case {
    std::string path;
    int columns;
    std::string caption;
  };
  const std::string deep = "/home/ann/work/icons/2024/toolbar/face.ico";  // 42 columns
  const Case cases[] = {
      {deep, 42, deep},
      {deep, 41, "/home/ann/work/…/2024/toolbar/face.ico"},
      {deep, 30, "/home/ann/…/toolbar/face.ico"},
      {deep, 20, "/home/ann/…/face.ico"},
      {deep, 15, "…/face.ico"},
      // A name too long even alone keeps its start and its end.
      {"/tmp/a-very-long-file-name.ico", 16, "…/a-very-…me.ico"},
      {"a-very-long-file-name.ico", 11, "a-ver…e.ico"},
      // Chinese characters take two columns and are never cut in two.
      {"/图标/工作/项目/笑脸.ico", 20, "/图标/…/笑脸.ico"},
      {"/图标/笑脸图标笑脸图标.ico", 14, "…/笑脸图….ico"},
      // A folder name that is not UTF-8 counts a column a byte.
      {"/a\xff\xfe/b/c/d.ico", 13, "/a\xff\xfe/…/d.ico"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecentCaption(c.path, c.columns), c.caption) << c.path << " in " << c.columns;
    EXPECT_LE(TextColumns(RecentCaption(c.path, c.columns)), c.columns) << c.path;
  }
  const std::string long_path =
      "/tmp/" + std::string(12 * 9, 'f') + "/a-rather-long-icon-file-name.ico";
  EXPECT_EQ(RecentCaption(long_path), "/tmp/…/a-rather-long-icon-file-name.ico");
}

// Random paths of folders and names in two scripts: the caption fits, keeps a name that can fit
// whole, starts like the path and is the path itself when that fits.
TEST(RecentCaption, EveryCaptionFitsAndKeepsWhatItCan) {
  std::mt19937 random(21);
  const std::string pieces[] = {"a", "icons", "图标", "x", "工作目录", "long-folder-name"};
  for (int round = 0; round < 2000; ++round) {
    std::string path;
    const int depth = static_cast<int>(random() % 8);
    for (int i = 0; i < depth; ++i) path += "/" + pieces[random() % 6];
    std::string name;
    for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n; ++i)
      name += pieces[random() % 6];
    path += "/" + name + ".ico";
    const int columns = 8 + static_cast<int>(random() % 60);
    const std::string caption = RecentCaption(path, columns);
    SCOPED_TRACE(path + " in " + std::to_string(columns) + ": " + caption);
    EXPECT_LE(TextColumns(caption), columns);
    if (TextColumns(path) <= columns) {
      EXPECT_EQ(caption, path);
    } else if (TextColumns(name) + 6 <= columns) {
      EXPECT_TRUE(caption.ends_with("/" + name + ".ico"));
      EXPECT_NE(caption.find("…"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace pelorin
