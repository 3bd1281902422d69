// Every test program runs with a home folder of its own, made before main() and removed when the
// program ends: what the code under test writes there (the program's settings, the file-type
// registration's desktop entry and mimeapps.list, the toolkit's file-dialog state in
// QtProject.conf) never reaches the home folder of whoever runs the tests. The XDG folders, which
// take precedence over HOME, point inside it too.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

struct PrivateHome {
  PrivateHome() {
    std::string pattern = (fs::temp_directory_path() / "pelorin-test-home.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("pelorin tests: cannot make a private home folder");
      std::exit(1);
    }
    folder = pattern;
    setenv("HOME", folder.c_str(), 1);
    for (const auto& [name, path] : {std::pair{"XDG_CONFIG_HOME", ".config"},
                                     {"XDG_DATA_HOME", ".local/share"},
                                     {"XDG_CACHE_HOME", ".cache"},
                                     {"XDG_STATE_HOME", ".local/state"}})
      setenv(name, (folder / path).c_str(), 1);
  }
  ~PrivateHome() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  fs::path folder;
};

const PrivateHome kPrivateHome;

}  // namespace
