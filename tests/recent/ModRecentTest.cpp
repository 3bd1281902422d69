// The recent-file list: how opening and saving reorder it, how it survives in the settings store,
// and what choosing an entry does when its file is there or gone.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/FakePlatform.h"
#include "recent/ModRecent.h"
#include "recent/modRegister.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

// The shown paths, newest first, after checking the menu's invariants: shown entries 1 to n
// without a gap, empty captions on hidden ones, the separator shown exactly when n >= 1.
Paths Listed(const ModRecent& recent) {
  const auto& e = recent.Entries();
  Paths shown;
  for (int k = 1; k <= ModRecent::kMaxPaths; ++k) {
    if (e[k].visible) {
      EXPECT_EQ(static_cast<int>(shown.size()), k - 1) << "gap before entry " << k;
      shown.push_back(e[k].caption);
    } else {
      EXPECT_EQ(e[k].caption, "") << "hidden entry " << k;
    }
  }
  EXPECT_EQ(e[0].visible, !shown.empty()) << "separator";
  return shown;
}

class RecentTest : public testing::Test {
 protected:
  std::map<std::string, std::string> Store() const {
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : platform_.settings) {
      if (key.first == ModRecent::kGroup) values[key.second] = value;
    }
    return values;
  }
  void AddAll(const Paths& paths) {
    for (const auto& p : paths) recent_.AddPath(p);
  }

  FakePlatform platform_;
  ModRecent recent_{platform_};
};

TEST_F(RecentTest, AddingAPathAgainMovesItUpAndLetterCaseMakesAnotherFile) {
  AddAll({"/i/a.ico", "/i/b.ico", "/i/c.ico"});
  recent_.AddPath("/i/c.ico");  // already on top: nothing changes
  EXPECT_EQ(Listed(recent_), (Paths{"/i/c.ico", "/i/b.ico", "/i/a.ico"}));
  recent_.AddPath("/i/a.ico");
  EXPECT_EQ(Listed(recent_), (Paths{"/i/a.ico", "/i/c.ico", "/i/b.ico"}));
  recent_.AddPath("/i/A.ico");  // another file on Linux, listed beside the first
  EXPECT_EQ(Listed(recent_), (Paths{"/i/A.ico", "/i/a.ico", "/i/c.ico", "/i/b.ico"}));
  recent_.AddPath("");
  EXPECT_EQ(Listed(recent_).size(), 4u);
}

TEST_F(RecentTest, FifthPathDropsTheOldestAndTheStoreKeepsFourValues) {
  platform_.settings[{ModRecent::kGroup, "4."}] = "/stale.ico";
  AddAll({"/a.ico", "/b.ico", "/c.ico", "/d.ico", "/e.ico"});
  EXPECT_EQ(Listed(recent_), (Paths{"/e.ico", "/d.ico", "/c.ico", "/b.ico"}));
  recent_.SaveList();
  EXPECT_EQ(Store(), (std::map<std::string, std::string>{
                         {"1.", "/e.ico"}, {"2.", "/d.ico"}, {"3.", "/c.ico"}, {"4.", "/b.ico"}}));
}

TEST_F(RecentTest, LoadingClosesGapsSkipsBlankValuesAndSavingRewritesInOrder) {
  platform_.settings[{"Rfl", "1."}] = " /x/one.ico";  // kept as read, spaces and all
  platform_.settings[{"Rfl", "2."}] = " \t ";
  platform_.settings[{"Rfl", "4."}] = std::string("/x/four.ico\0junk", 16);
  recent_.LoadList();
  EXPECT_EQ(Listed(recent_), (Paths{" /x/one.ico", "/x/four.ico"}));
  recent_.SaveList();
  EXPECT_EQ(Store(),
            (std::map<std::string, std::string>{{"1.", " /x/one.ico"}, {"2.", "/x/four.ico"}}));

  platform_.settings.clear();  // loading again replaces the list rather than adding to it
  recent_.LoadList();
  EXPECT_EQ(Listed(recent_), Paths{});
}

// A store whose every operation throws: the list neither notices nor passes the failure on.
class ThrowingStore : public FakePlatform {
 public:
  std::optional<std::string> GetSetting(const std::string&, const std::string&) override {
    throw std::runtime_error("unreadable");
  }
  void SetSetting(const std::string&, const std::string&, const std::string&) override {
    throw std::runtime_error("read-only");
  }
  void DeleteSetting(const std::string&, const std::string&) override {
    throw std::runtime_error("read-only");
  }
};

TEST(RecentRegister, StoreFailuresAreSilent) {
  ThrowingStore store;
  EXPECT_EQ(modRegister::GetString(store, "Rfl", "1."), "");
  ModRecent recent(store);
  recent.LoadList();
  recent.AddPath("/a.ico");
  EXPECT_NO_THROW(recent.SaveList());
  EXPECT_EQ(Listed(recent), Paths{"/a.ico"});
}

class RecentTakeTest : public RecentTest {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pelorin-recent-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string MakeFile(const std::string& name) {
    std::ofstream(dir_ / name) << "x";
    return (dir_ / name).string();
  }
  std::string Missing(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(RecentTakeTest, AnExistingFileIsAnsweredAndNothingChanges) {
  const std::string icon = MakeFile("a.ico");
  fs::create_symlink(icon, dir_ / "link.ico");
  AddAll({Missing("gone.ico"), icon, Missing("link.ico")});
  EXPECT_EQ(recent_.TakeEntry(2), icon);
  EXPECT_EQ(recent_.TakeEntry(1), Missing("link.ico"));  // a link counts by what it points to
  EXPECT_EQ(Listed(recent_), (Paths{Missing("link.ico"), icon, Missing("gone.ico")}));
  EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(RecentTakeTest, AMissingOnlyEntryIsReportedAndTheListHidden) {
  const std::string gone = Missing("图标.ico");
  recent_.AddPath(gone);
  EXPECT_EQ(recent_.TakeEntry(1), "");
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_EQ(platform_.messages[0].text, "找不到 " + gone);
  EXPECT_EQ(platform_.messages[0].title, "Pelorin - 错误");
  EXPECT_EQ(platform_.messages[0].icon, MsgIcon::kExclamation);
  EXPECT_EQ(platform_.messages[0].buttons, MsgButtons::kOk);
  EXPECT_EQ(Listed(recent_), Paths{});
}

TEST_F(RecentTakeTest, AMissingEntryIsRemovedAndTheOnesBelowMoveUp) {
  fs::create_directory(dir_ / "folder.ico");  // a directory is no file
  const std::string a = MakeFile("a.ico"), c = Missing("c.ico");
  AddAll({c, Missing("folder.ico"), a});
  EXPECT_EQ(recent_.TakeEntry(2), "");
  EXPECT_EQ(Listed(recent_), (Paths{a, c}));

  AddAll({Missing("x.ico"), Missing("y.ico")});  // y, x, a, c: the last and the first go
  EXPECT_EQ(recent_.TakeEntry(4), "");
  EXPECT_EQ(recent_.TakeEntry(1), "");
  EXPECT_EQ(Listed(recent_), (Paths{Missing("x.ico"), a}));
  recent_.SaveList();
  EXPECT_EQ(Store(), (std::map<std::string, std::string>{{"1.", Missing("x.ico")}, {"2.", a}}));
}

TEST_F(RecentTakeTest, AnIndexWithoutAShownEntryDoesNothing) {
  recent_.AddPath(Missing("a.ico"));
  for (int index : {0, 2, 4, 5, -1}) EXPECT_EQ(recent_.TakeEntry(index), "") << index;
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(Listed(recent_), Paths{Missing("a.ico")});
}

}  // namespace
}  // namespace pelorin
