// What the benchmarks that run programs share: a scratch folder, and running a program to its
// end with the time it took and its peak resident memory.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace pelorin {

// A scratch folder for one benchmark, removed with it: in the temporary folder, or in memory
// (/dev/shm).
struct Scratch {
  explicit Scratch(bool in_memory = false) {
    std::string pattern =
        ((in_memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
         "pelorin-bench-XXXXXX")
            .string();
    if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::string path;
};

struct Finished {
  int status = -1;  // the exit status; -1 when the program could not be started or was killed
  double seconds = 0;
  long peak_kib = 0;  // the most resident memory the program had
};

// Runs a program (found on PATH) with its output thrown away.
inline Finished RunProgram(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Finished done;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return done;
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) != pid) return done;
  done.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  done.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  done.peak_kib = usage.ru_maxrss;
  return done;
}

}  // namespace pelorin
