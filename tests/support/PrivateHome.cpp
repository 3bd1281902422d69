// Every test program runs with a home folder of its own, made before main() and removed when the
// program ends: what the code under test writes there (the program's settings, the file-type
// registration's desktop entry and mimeapps.list, the toolkit's file-dialog state in
// QtProject.conf) never reaches the home folder of whoever runs the tests. The XDG folders are
// pointed inside it too, since they take precedence over HOME.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

class PrivateHome {
 public:
  PrivateHome() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "pelorin-test-home.XXXXXX").string();
    if (error || mkdtemp(pattern.data()) == nullptr) {
      std::perror("pelorin tests: cannot make a private home folder");
      std::exit(1);
    }
    folder_ = pattern;
    Set("HOME", folder_);
    Set("XDG_CONFIG_HOME", folder_ / ".config");
    Set("XDG_DATA_HOME", folder_ / ".local/share");
    Set("XDG_CACHE_HOME", folder_ / ".cache");
    Set("XDG_STATE_HOME", folder_ / ".local/state");
  }
  ~PrivateHome() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

 private:
  static void Set(const char* name, const fs::path& value) { setenv(name, value.c_str(), 1); }
  fs::path folder_;
};

const PrivateHome kPrivateHome;

}  // namespace
