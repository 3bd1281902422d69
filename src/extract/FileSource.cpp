#include "extract/FileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pelorin {

std::optional<FileSource> FileSource::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  return FileSource(fd, static_cast<std::uint64_t>(st.st_size));
}

FileSource::FileSource(FileSource&& other) noexcept : fd_(other.fd_), size_(other.size_) {
  other.fd_ = -1;
}

FileSource::~FileSource() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (offset > size_ || out.size() > size_ - offset) return false;
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n =
        ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    // An error, or a file that became shorter since it was opened.
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<IconPicture> ReadIconFile(const std::string& path, int screen_bits) {
  const std::optional<FileSource> file = FileSource::Open(path);
  if (!file) return std::nullopt;
  return DecodeIconFile(*file, screen_bits);
}

}  // namespace pelorin
