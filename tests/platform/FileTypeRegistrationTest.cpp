#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/FileTypeRegistration.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

constexpr char kProgram[] = "/opt/pelorin/bin/pelorin";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string ExpectedEntry(const std::string& exec, const std::string& try_exec = kProgram) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Pelorin\n"
         "Exec=" +
         exec +
         "\n"
         "TryExec=" +
         try_exec +
         "\n"
         "MimeType=image/vnd.microsoft.icon;image/x-icon;\n"
         "Terminal=false\n"
         "NoDisplay=true\n";
}

// Reads an Exec value back the way a desktop does: string escapes first, then the quoting of
// arguments, with %% standing for a percent sign. Written from the desktop entry rules, not from
// our writer, so that the two can disagree.
std::vector<std::string> ParseExec(const std::string& value) {
  std::string unescaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char next = value[++i];
      unescaped += next == 's'   ? ' '
                   : next == 'n' ? '\n'
                   : next == 't' ? '\t'
                   : next == 'r' ? '\r'
                                 : next;
    } else if (value[i] == '%' && i + 1 < value.size() && value[i + 1] == '%') {
      unescaped += value[i++];
    } else {
      unescaped += value[i];
    }
  }
  std::vector<std::string> arguments;
  std::optional<std::string> current;
  for (std::size_t i = 0; i < unescaped.size(); ++i) {
    const char c = unescaped[i];
    if (c == ' ') {
      if (current) arguments.push_back(*current);
      current.reset();
    } else if (c == '"') {
      if (!current) current.emplace();
      for (++i; i < unescaped.size() && unescaped[i] != '"'; ++i) {
        if (unescaped[i] == '\\' && i + 1 < unescaped.size()) ++i;
        *current += unescaped[i];
      }
    } else {
      current = current.value_or("") + c;
    }
  }
  if (current) arguments.push_back(*current);
  return arguments;
}

class FileTypeRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    root_ = fs::temp_directory_path() /
            ("pelorin-registration-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(root_);
    dirs_ = {root_ / "data", root_ / "config"};
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  fs::path DesktopFile() const { return dirs_.data_home / "applications" / "pelorin.desktop"; }
  fs::path Mimeapps() const { return dirs_.config_home / "mimeapps.list"; }

  // Everything below the temporary root, to see that failures leave no stray files behind.
  std::vector<fs::path> AllFiles() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root_))
      files.push_back(fs::relative(entry.path(), root_));
    std::sort(files.begin(), files.end());
    return files;
  }

  fs::path root_;
  XdgDirs dirs_;
};

TEST_F(FileTypeRegistrationTest, FreshFoldersGetTheEntryAndTheDefaults) {
  EXPECT_TRUE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_EQ(ReadText(DesktopFile()), ExpectedEntry("/opt/pelorin/bin/pelorin /open %f"));
  EXPECT_EQ(ReadText(Mimeapps()),
            "[Default Applications]\n"
            "image/vnd.microsoft.icon=pelorin.desktop;\n"
            "image/x-icon=pelorin.desktop;\n");
}

TEST_F(FileTypeRegistrationTest, ExistingMimeappsKeepsEverythingElse) {
  fs::create_directories(dirs_.config_home);
  // The second default group, the alias in another group and the comments must all survive; our
  // keys are set in the first default group only, and its repeat of one of them goes.
  WriteText(Mimeapps(),
            "# my associations\n"
            "[Added Associations]\n"
            "image/x-icon=viewer.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "text/plain=editor.desktop;\n"
            "image/x-icon = other.desktop;\n"
            "image/png=viewer.desktop;\n"
            "image/x-icon=stale.desktop;\n"
            "\n"
            "# removed ones follow\n"
            "[Removed Associations]\n"
            "image/gif=viewer.desktop;\n"
            "[Default Applications]\n"
            "image/vnd.microsoft.icon=second.desktop;\n");
  EXPECT_TRUE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_EQ(ReadText(Mimeapps()),
            "# my associations\n"
            "[Added Associations]\n"
            "image/x-icon=viewer.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "text/plain=editor.desktop;\n"
            "image/x-icon=pelorin.desktop;\n"
            "image/png=viewer.desktop;\n"
            "image/vnd.microsoft.icon=pelorin.desktop;\n"
            "\n"
            "# removed ones follow\n"
            "[Removed Associations]\n"
            "image/gif=viewer.desktop;\n"
            "[Default Applications]\n"
            "image/vnd.microsoft.icon=second.desktop;\n");
}

TEST_F(FileTypeRegistrationTest, MissingGroupIsAppendedAndRewritingChangesNothing) {
  fs::create_directories(dirs_.config_home);
  fs::create_directories(DesktopFile().parent_path());
  WriteText(DesktopFile(), "left over from an older start");
  WriteText(Mimeapps(), "[Added Associations]\ntext/plain=editor.desktop;");  // no final newline
  ASSERT_TRUE(RegisterIconFileType(kProgram, dirs_));
  const std::string entry = ReadText(DesktopFile());
  const std::string mimeapps = ReadText(Mimeapps());
  EXPECT_EQ(entry, ExpectedEntry("/opt/pelorin/bin/pelorin /open %f"));
  EXPECT_EQ(mimeapps,
            "[Added Associations]\n"
            "text/plain=editor.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "image/vnd.microsoft.icon=pelorin.desktop;\n"
            "image/x-icon=pelorin.desktop;\n");

  const std::vector<fs::path> files = AllFiles();
  EXPECT_TRUE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_TRUE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_EQ(ReadText(DesktopFile()), entry);
  EXPECT_EQ(ReadText(Mimeapps()), mimeapps);
  EXPECT_EQ(AllFiles(), files);
}

TEST_F(FileTypeRegistrationTest, ExecQuotesAndEscapesThePath) {
  EXPECT_EQ(DesktopExecValue("/usr/bin/pelorin"), "/usr/bin/pelorin /open %f");
  EXPECT_EQ(DesktopExecValue("/home/li/my apps/pelorin"), "\"/home/li/my apps/pelorin\" /open %f");
  EXPECT_EQ(DesktopExecValue("/opt/a&b/pelorin"), "\"/opt/a&b/pelorin\" /open %f");
  // Inside quotes " ` $ \ get a backslash, and every backslash is then doubled for the file.
  EXPECT_EQ(DesktopExecValue("/x y/a\"b`c$d\\e"),
            "\"/x y/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e\" /open %f");
  EXPECT_EQ(DesktopExecValue("/opt/100%/pelorin"), "/opt/100%%/pelorin /open %f");

  for (const std::string path :
       {"/usr/bin/pelorin", "/home/li/my apps/pelorin", "/tmp/it's (1)/#p;e|l*o?r~i<n>",
        "/a\"b`c$d\\e f", "/50% off/pelorin", "/line\nbreak/tab\there", "/图标/编辑器"}) {
    EXPECT_EQ(ParseExec(DesktopExecValue(path)), (std::vector<std::string>{path, "/open", "%f"}))
        << DesktopExecValue(path);
  }

  ASSERT_TRUE(RegisterIconFileType("/home/li/my apps/pelorin", dirs_));
  EXPECT_EQ(ReadText(DesktopFile()),
            ExpectedEntry("\"/home/li/my apps/pelorin\" /open %f", "/home/li/my apps/pelorin"));
}

TEST_F(FileTypeRegistrationTest, BlockedPlacesFailSilentlyAndKeepFiles) {
  fs::create_directories(dirs_.data_home);
  fs::create_directories(dirs_.config_home);
  const std::string mimeapps = "[Default Applications]\nimage/x-icon=other.desktop;\n";
  WriteText(Mimeapps(), mimeapps);

  // A file where the applications folder belongs: no entry, so the default is not touched either.
  WriteText(dirs_.data_home / "applications", "not a folder");
  std::vector<fs::path> files = AllFiles();
  EXPECT_FALSE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_EQ(ReadText(dirs_.data_home / "applications"), "not a folder");
  EXPECT_EQ(ReadText(Mimeapps()), mimeapps);
  EXPECT_EQ(AllFiles(), files);

  // A folder named like the list cannot be replaced; the entry itself still gets written.
  fs::remove(dirs_.data_home / "applications");
  fs::remove(Mimeapps());
  fs::create_directories(Mimeapps() / "keep");
  EXPECT_FALSE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_TRUE(fs::is_directory(Mimeapps() / "keep"));
  EXPECT_EQ(ReadText(DesktopFile()), ExpectedEntry("/opt/pelorin/bin/pelorin /open %f"));

  // The config home itself is a file.
  XdgDirs blocked = dirs_;
  blocked.config_home = root_ / "config-file";
  WriteText(blocked.config_home, "x");
  files = AllFiles();
  EXPECT_FALSE(RegisterIconFileType(kProgram, blocked));
  EXPECT_EQ(AllFiles(), files);

  // Nothing usable to write with.
  EXPECT_FALSE(RegisterIconFileType(kProgram, XdgDirs{}));
  EXPECT_FALSE(RegisterIconFileType("", dirs_));
  EXPECT_FALSE(RegisterIconFileType("/opt/bad\xff/pelorin", dirs_));
}

TEST_F(FileTypeRegistrationTest, LinkedPrivateListStaysLinkedAndPrivate) {
  fs::create_directories(dirs_.config_home);
  const fs::path real = root_ / "dotfiles-mimeapps.list";
  WriteText(real, "[Default Applications]\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real, Mimeapps());

  ASSERT_TRUE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Mimeapps())));
  EXPECT_EQ(ReadText(real),
            "[Default Applications]\n"
            "image/vnd.microsoft.icon=pelorin.desktop;\n"
            "image/x-icon=pelorin.desktop;\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  // A dangling link is not followed to some guessed place.
  fs::remove(Mimeapps());
  fs::create_symlink(root_ / "missing" / "mimeapps.list", Mimeapps());
  EXPECT_FALSE(RegisterIconFileType(kProgram, dirs_));
  EXPECT_FALSE(fs::exists(root_ / "missing"));
}

// Sets or removes environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    Remember(name);
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }

 private:
  void Remember(const char* name) {
    for (const auto& saved : saved_)
      if (saved.first == name) return;
    const char* old = getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// The entry names a program that stays where it is: a start from a build folder names the
// installed program when PATH has one, and TryExec names the program itself, so that desktops
// drop the entry (and the defaults naming it) once the program is removed.
TEST_F(FileTypeRegistrationTest, TheEntryNamesAProgramThatStaysAndIsIgnoredOnceItIsGone) {
  const fs::path build = root_ / "build";
  const fs::path other_build = root_ / "other-build";
  const fs::path bin = root_ / "bin";
  const fs::path local = root_ / "local";
  const fs::path plain = root_ / "plain";
  for (const fs::path& folder : {build, other_build, bin, local, plain}) {
    fs::create_directories(folder);
    WriteText(folder / "pelorin", "#!/bin/sh\n");
    fs::permissions(folder / "pelorin", fs::perms::owner_all);
  }
  WriteText(build / "CMakeCache.txt", "");
  WriteText(other_build / "CMakeCache.txt", "");
  fs::permissions(local / "pelorin", fs::perms::owner_read);  // not executable
  const std::string program = (build / "pelorin").string();
  const std::string installed = (bin / "pelorin").string();
  const struct {
    std::string running;
    std::string path;
    std::string named;
  } kCases[] = {
      // Started from a build folder: the installed program, when PATH finds one.
      {program, bin.string(), installed},
      {program, "/nonexistent:" + other_build.string() + ":" + local.string() + ":" + bin.string(),
       installed},
      {program, "relative/bin:" + build.string() + ":" + bin.string(), installed},
      {program, "", program},
      {program, "/nonexistent:" + local.string(), program},
      // Started anywhere else: the program itself, whatever PATH holds.
      {(plain / "pelorin").string(), bin.string(), (plain / "pelorin").string()},
      {installed, other_build.string(), installed},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RegisteredProgram(c.running, c.path), c.named) << c.running << " with " << c.path;
  }

  // TryExec is a plain string value: no argument quoting, only the file's escapes.
  ASSERT_TRUE(RegisterIconFileType(installed, dirs_));
  EXPECT_NE(ReadText(DesktopFile()).find("\nTryExec=" + installed + "\n"), std::string::npos);
  ASSERT_TRUE(RegisterIconFileType("/x y/a\\b\tc", dirs_));
  EXPECT_NE(ReadText(DesktopFile()).find("\nTryExec=/x y/a\\\\b\\tc\n"), std::string::npos);
}

TEST(XdgDirsTest, EnvironmentGivesFoldersWithFallbackToHome) {
  ScopedEnvironment environment;
  environment.Set("HOME", "/home/li");
  environment.Set("XDG_DATA_HOME", "/srv/data");
  environment.Set("XDG_CONFIG_HOME", "/srv/config");
  XdgDirs dirs = XdgDirsFromEnvironment();
  EXPECT_EQ(dirs.data_home, fs::path("/srv/data"));
  EXPECT_EQ(dirs.config_home, fs::path("/srv/config"));

  // Relative and empty values do not count.
  environment.Set("XDG_DATA_HOME", "relative/data");
  environment.Set("XDG_CONFIG_HOME", "");
  dirs = XdgDirsFromEnvironment();
  EXPECT_EQ(dirs.data_home, fs::path("/home/li/.local/share"));
  EXPECT_EQ(dirs.config_home, fs::path("/home/li/.config"));

  environment.Set("XDG_DATA_HOME", nullptr);
  environment.Set("XDG_CONFIG_HOME", "/srv/config");
  dirs = XdgDirsFromEnvironment();
  EXPECT_EQ(dirs.data_home, fs::path("/home/li/.local/share"));
  EXPECT_EQ(dirs.config_home, fs::path("/srv/config"));

  // Without HOME only what XDG names is known, and registering does nothing.
  environment.Set("HOME", nullptr);
  dirs = XdgDirsFromEnvironment();
  EXPECT_TRUE(dirs.data_home.empty());
  EXPECT_EQ(dirs.config_home, fs::path("/srv/config"));
  environment.Set("XDG_CONFIG_HOME", nullptr);
  dirs = XdgDirsFromEnvironment();
  EXPECT_TRUE(dirs.data_home.empty());
  EXPECT_TRUE(dirs.config_home.empty());
  EXPECT_FALSE(RegisterIconFileType(kProgram, dirs));
}

}  // namespace
}  // namespace pelorin
