#include "files/MappedFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <utility>

namespace pelorin {

namespace {

// A file can shrink while it is mapped: another program truncates or rewrites it. Touching a
// page past its new end raises SIGBUS, which would end the program. The handler below puts a
// page of zeros in place of such a page of one of our mappings and lets the read go on; the
// readers then see zeros, which they reject like any other broken file. A bus error anywhere
// else goes to whatever handled it before.
struct Range {
  std::atomic<std::uintptr_t> begin{0};
  std::atomic<std::uintptr_t> end{0};
};
constexpr std::size_t kWatchedMappings = 64;
std::array<Range, kWatchedMappings> g_watched;
struct sigaction g_previous {};
std::uintptr_t g_page_size = 4096;
std::once_flag g_installed;

bool ReplaceLostPage(std::uintptr_t address) {
  for (const Range& range : g_watched) {
    const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
    if (begin == 0 || address < begin || address >= range.end.load(std::memory_order_acquire))
      continue;
    void* page = reinterpret_cast<void*>(address & ~(g_page_size - 1));
    return ::mmap(page, g_page_size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
           MAP_FAILED;
  }
  return false;
}

void OnBusError(int signal, siginfo_t* info, void* context) {
  if (ReplaceLostPage(reinterpret_cast<std::uintptr_t>(info->si_addr))) return;
  if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
    g_previous.sa_sigaction(signal, info, context);
  } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
    g_previous.sa_handler(signal);
  } else {
    // The default action: put it back, and the faulting access raises the signal again.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigemptyset(&fallback.sa_mask);
    ::sigaction(SIGBUS, &fallback, nullptr);
  }
}

void InstallHandler() {
  g_page_size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  ::sigemptyset(&action.sa_mask);
  ::sigaction(SIGBUS, &action, &g_previous);
}

// Places are taken and given back under the lock; the handler only reads them. A place's end is
// written before its begin, and its begin cleared before the mapping goes.
std::mutex g_watch_lock;

void Watch(const std::uint8_t* data, std::size_t size) {
  std::call_once(g_installed, InstallHandler);
  const std::scoped_lock lock(g_watch_lock);
  for (Range& range : g_watched) {
    if (range.begin.load(std::memory_order_relaxed) != 0) continue;
    range.end.store(reinterpret_cast<std::uintptr_t>(data) + size, std::memory_order_release);
    range.begin.store(reinterpret_cast<std::uintptr_t>(data), std::memory_order_release);
    return;
  }
  // More mappings than places: this one goes unwatched.
}

void Unwatch(const std::uint8_t* data) {
  const std::scoped_lock lock(g_watch_lock);
  for (Range& range : g_watched) {
    if (range.begin.load(std::memory_order_relaxed) == reinterpret_cast<std::uintptr_t>(data)) {
      range.begin.store(0, std::memory_order_release);
      return;
    }
  }
}

}  // namespace

std::optional<MappedFile> MappedFile::Open(const std::string& path) {
  // Not blocking: opening a pipe would otherwise wait for a writer before fstat could refuse it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
    ::close(fd);
    return std::nullopt;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) {
    ::close(fd);
    return MappedFile(nullptr, 0);
  }
  void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  // The mapping keeps the file open by itself.
  ::close(fd);
  if (data == MAP_FAILED) return std::nullopt;
  Watch(static_cast<const std::uint8_t*>(data), size);
  return MappedFile(static_cast<const std::uint8_t*>(data), size);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Unmap();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

MappedFile::~MappedFile() { Unmap(); }

void MappedFile::Unmap() {
  if (data_ != nullptr) {
    Unwatch(data_);
    ::munmap(const_cast<std::uint8_t*>(data_), size_);
  }
  data_ = nullptr;
  size_ = 0;
}

}  // namespace pelorin
