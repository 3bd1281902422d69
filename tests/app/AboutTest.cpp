#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

constexpr char kPathGroup[] = "SOFTWARE/Microsoft/Shared Tools/MSINFO";
constexpr char kFolderGroup[] = "SOFTWARE/Microsoft/Shared Tools Location";

// A platform on which chosen programs fail to start while the others start.
class SelectivePlatform : public FakePlatform {
 public:
  std::set<std::string> broken;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override {
    FakePlatform::StartProgram(program, args);
    return broken.count(program) == 0;
  }
};

// A fresh folder for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() /
            ("pelorin-about-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  void Touch(const std::string& name) const { std::ofstream(path_ / name) << "MZ"; }

 private:
  fs::path path_;
};

void ExpectStartedOnly(const FakePlatform& platform, const std::string& program) {
  ASSERT_EQ(platform.started_programs.size(), 1u);
  EXPECT_EQ(platform.started_programs[0].first, program);
  EXPECT_TRUE(platform.started_programs[0].second.empty());
  EXPECT_TRUE(platform.messages.empty());
}

void ExpectUnavailableMessage(const FakePlatform& platform) {
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "System Information Is Unavailable At This Time");
  EXPECT_EQ(platform.messages[0].title, "Pelorin");
  EXPECT_EQ(platform.messages[0].buttons, MsgButtons::kOk);
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::kNone);
}

TEST(About, LoadShowsTheMainWindowTitleAndVersionAndOkCloses) {
  FakePlatform platform;
  FakeWindowHost host;
  frmMain main_window(platform, host, {});
  main_window.Form_Load();

  frmAbout dialog(platform, main_window.Caption());
  EXPECT_EQ(dialog.lblTitle, "");  // only the load handler fills it
  dialog.Form_Load();
  EXPECT_EQ(dialog.Caption(), "关于");
  EXPECT_EQ(dialog.lblTitle, "Pelorin - 未命名");
  EXPECT_EQ(dialog.lblVersion, "Version 3.0.0");
  EXPECT_EQ(dialog.lblDescription, "32 x 32 真彩色Pelorin");
  // The words of the menus and dialogs: 图象 and 象素, never 图像 or 像素.
  EXPECT_NE(dialog.lblPurpose.find("象素"), std::string::npos);
  EXPECT_EQ(dialog.lblPurpose.find("像"), std::string::npos);
  EXPECT_FALSE(dialog.lblCopyright.empty());
  EXPECT_FALSE(dialog.Done());
  dialog.cmdOK_Click();
  EXPECT_TRUE(dialog.Done());

  frmAbout named(platform, "Pelorin - Face.ico");
  named.Form_Load();
  EXPECT_EQ(named.lblTitle, "Pelorin - Face.ico");
}

TEST(About, SysInfoPrefersTheRecordedProgramPath) {
  TempFolder folder;
  folder.Touch("MSINFO32.EXE");
  FakePlatform platform;
  platform.system_settings[{kPathGroup, "PATH"}] = "/opt/tools/sysinfo";
  platform.system_settings[{kFolderGroup, "MSINFO"}] = folder.path().string();
  platform.installed_programs["hardinfo"] = "/usr/bin/hardinfo";
  frmAbout dialog(platform, "Pelorin - 未命名");
  dialog.StartSysInfo();
  ExpectStartedOnly(platform, "/opt/tools/sysinfo");
}

TEST(About, SysInfoUsesTheRecordedFolderOnlyWhenTheProgramIsInIt) {
  TempFolder folder;
  const std::string msinfo = (folder.path() / "MSINFO32.EXE").string();
  {
    // No PATH value, or an empty one: the folder's program.
    folder.Touch("MSINFO32.EXE");
    for (const bool empty_path : {false, true}) {
      FakePlatform platform;
      if (empty_path) platform.system_settings[{kPathGroup, "PATH"}] = "";
      platform.system_settings[{kFolderGroup, "MSINFO"}] = folder.path().string();
      platform.installed_programs["hardinfo"] = "/usr/bin/hardinfo";
      frmAbout dialog(platform, "");
      dialog.StartSysInfo();
      ExpectStartedOnly(platform, msinfo);
    }
  }
  {
    // A folder without the program (names are case-sensitive here), or with a folder of that
    // name: on to the installed tools.
    fs::remove(folder.path() / "MSINFO32.EXE");
    folder.Touch("msinfo32.exe");
    fs::create_directory(folder.path() / "sub");
    fs::create_directory(folder.path() / "sub" / "MSINFO32.EXE");
    for (const fs::path& recorded : {folder.path(), folder.path() / "sub"}) {
      FakePlatform platform;
      platform.system_settings[{kFolderGroup, "MSINFO"}] = recorded.string();
      platform.installed_programs["hardinfo"] = "/usr/bin/hardinfo";
      frmAbout dialog(platform, "");
      dialog.StartSysInfo();
      ExpectStartedOnly(platform, "/usr/bin/hardinfo");
    }
  }
  {
    // An empty folder value does not mean the current folder.
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    folder.Touch("MSINFO32.EXE");
    FakePlatform platform;
    platform.system_settings[{kFolderGroup, "MSINFO"}] = "";
    frmAbout dialog(platform, "");
    dialog.StartSysInfo();
    EXPECT_TRUE(platform.started_programs.empty());
    ExpectUnavailableMessage(platform);
    fs::current_path(before);
  }
}

TEST(About, SysInfoFallsBackToTheFirstInstalledToolInPreferenceOrder) {
  FakePlatform platform;
  platform.installed_programs["lxtask"] = "/usr/bin/lxtask";
  platform.installed_programs["gnome-system-monitor"] = "/usr/bin/gnome-system-monitor";
  platform.installed_programs["hardinfo2"] = "/usr/local/bin/hardinfo2";
  frmAbout dialog(platform, "");
  dialog.StartSysInfo();
  ExpectStartedOnly(platform, "/usr/local/bin/hardinfo2");

  FakePlatform desktop;
  desktop.installed_programs["lxtask"] = "/usr/bin/lxtask";
  desktop.installed_programs["xfce4-taskmanager"] = "/usr/bin/xfce4-taskmanager";
  frmAbout on_xfce(desktop, "");
  on_xfce.StartSysInfo();
  ExpectStartedOnly(desktop, "/usr/bin/xfce4-taskmanager");
}

TEST(About, SysInfoSaysSoWhenNothingStarts) {
  {
    FakePlatform platform;
    frmAbout dialog(platform, "");
    dialog.cmdSysInfo_Click();
    EXPECT_TRUE(platform.started_programs.empty());
    ExpectUnavailableMessage(platform);
    EXPECT_FALSE(dialog.Done());
  }
  {
    // A recorded program that will not start lets the next place try.
    TempFolder folder;
    folder.Touch("MSINFO32.EXE");
    SelectivePlatform platform;
    platform.broken = {"/opt/tools/sysinfo"};
    platform.system_settings[{kPathGroup, "PATH"}] = "/opt/tools/sysinfo";
    platform.system_settings[{kFolderGroup, "MSINFO"}] = folder.path().string();
    frmAbout dialog(platform, "");
    dialog.StartSysInfo();
    ASSERT_EQ(platform.started_programs.size(), 2u);
    EXPECT_EQ(platform.started_programs[1].first, (folder.path() / "MSINFO32.EXE").string());
    EXPECT_TRUE(platform.messages.empty());
  }
  {
    // Every place fails: one message. Only the first installed tool is tried.
    SelectivePlatform platform;
    platform.broken = {"/opt/tools/sysinfo", "/usr/bin/hardinfo"};
    platform.system_settings[{kPathGroup, "PATH"}] = "/opt/tools/sysinfo";
    platform.installed_programs["hardinfo"] = "/usr/bin/hardinfo";
    platform.installed_programs["kinfocenter"] = "/usr/bin/kinfocenter";
    frmAbout dialog(platform, "");
    dialog.cmdSysInfo_Click();
    ASSERT_EQ(platform.started_programs.size(), 2u);
    EXPECT_EQ(platform.started_programs[1].first, "/usr/bin/hardinfo");
    ExpectUnavailableMessage(platform);
    EXPECT_FALSE(dialog.Done());
  }
}

TEST(About, GetKeyValueReadsTheTextUpToItsFirstZeroAndAtMost1024Bytes) {
  FakePlatform platform;
  frmAbout dialog(platform, "");
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), std::nullopt);

  platform.system_settings[{kPathGroup, "PATH"}] = "";
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), std::string());  // found, though empty
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "Path"), std::nullopt);

  platform.system_settings[{kPathGroup, "PATH"}] = std::string("/usr/bin/tool\0junk", 18);
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), "/usr/bin/tool");

  platform.system_settings[{kPathGroup, "PATH"}] = std::string(1030, 'a');
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), std::string(1024, 'a'));
  // A zero within the limit cuts first; a character the limit would split is left out whole.
  platform.system_settings[{kPathGroup, "PATH"}] = std::string(1000, 'a') + '\0' + "b";
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), std::string(1000, 'a'));
  platform.system_settings[{kPathGroup, "PATH"}] = std::string(1022, 'a') + "图标";
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), std::string(1022, 'a'));
  platform.system_settings[{kPathGroup, "PATH"}] = std::string(1021, 'a') + "图标";
  EXPECT_EQ(dialog.GetKeyValue(kPathGroup, "PATH"), std::string(1021, 'a') + "图");
}

}  // namespace
}  // namespace pelorin
