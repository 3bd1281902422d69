#include "document/IconFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/SystemError.h"

namespace pelorin {

namespace {

void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::string Describe(int error) { return DescribeSystemError(error); }

// Why a save refuses an existing target that is not a regular file: renaming our file over a
// device or a pipe would put a plain file in its place, and writing into one is not saving.
std::optional<std::string> RefuseUnlessRegular(const struct stat& st) {
  return DescribeNonRegularFile(st.st_mode);
}

// The folder a path lives in: the text before its last '/' ("/" for a file at the top, "." for a
// bare name).
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// As many links in a row as the system itself follows before it gives up with ELOOP.
constexpr int kMostLinks = 40;

// The name a save to `path` really writes: symbolic links at its end are followed, so that the
// link stays and keeps pointing where it did. A dangling link names the file the save creates.
// Gives 0, or the error: ELOOP for a loop or an endless chain. Links among the folders on the way
// are left to the system.
int SaveTarget(const std::string& path, std::string& target) {
  std::string current = path;
  for (int links = 0; links <= kMostLinks; ++links) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) {
      // Nothing there yet: the file to create (a missing folder shows when it is opened).
      if (errno != ENOENT) return errno;
      target = current;
      return 0;
    }
    if (!S_ISLNK(st.st_mode)) {
      target = current;
      return 0;
    }
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) return errno;
    // A link that changed between the two calls is read again.
    if (static_cast<std::size_t>(n) == link.size()) continue;
    link.resize(static_cast<std::size_t>(n));
    current = link.front() == '/' ? link : FolderOf(current) + "/" + link;
  }
  return ELOOP;
}

}  // namespace

std::array<std::uint8_t, kIconHeaderSize> IconFileHeaders() {
  std::array<std::uint8_t, kIconHeaderSize> h{};
  // Icon directory.
  Put16(&h[0], 0);  // reserved
  Put16(&h[2], 1);  // resource type: icon
  Put16(&h[4], 1);  // image count
  // Directory entry.
  h[6] = 32;            // width
  h[7] = 32;            // height
  h[8] = 0;             // colour count: not a palette image
  h[9] = 0;             // reserved
  Put16(&h[10], 1);     // colour planes
  Put16(&h[12], 24);    // bits per pixel
  Put32(&h[14], 3240);  // bytes in the image
  Put32(&h[18], 22);    // offset of the image
  // Image header.
  Put32(&h[22], 40);    // header size
  Put32(&h[26], 32);    // width
  Put32(&h[30], 64);    // height: colour rows and mask rows
  Put16(&h[34], 1);     // planes
  Put16(&h[36], 24);    // bits per pixel
  Put32(&h[38], 0);     // no compression
  Put32(&h[42], 3200);  // image size: 3,072 colour + 128 mask
  // Resolutions, colours used and important colours stay 0.
  return h;
}

std::vector<std::uint8_t> EncodeIcon(const Raster& image, const Raster& mask) {
  std::vector<std::uint8_t> file(kIconFileSize, 0);
  const auto headers = IconFileHeaders();
  std::copy(headers.begin(), headers.end(), file.begin());
  std::size_t colour = kIconHeaderSize;
  std::size_t mask_byte = kIconHeaderSize + 32 * 96;
  for (int y = 31; y >= 0; --y) {
    std::uint8_t bits = 0;
    for (int x = 0; x < 32; ++x) {
      const bool transparent = mask.GetPixel(x, y) == kWhite;
      const Colour c = transparent ? kBlack : image.GetPixel(x, y) & kColourMask;
      file[colour++] = static_cast<std::uint8_t>(c >> 16);  // blue
      file[colour++] = static_cast<std::uint8_t>(c >> 8);   // green
      file[colour++] = static_cast<std::uint8_t>(c);        // red
      bits = static_cast<std::uint8_t>((bits << 1) | (transparent ? 1 : 0));
      if (x % 8 == 7) {
        file[mask_byte++] = bits;
        bits = 0;
      }
    }
  }
  return file;
}

std::optional<std::string> OpenForWriting(const std::string& path, bool& created) {
  created = false;
  std::string target;
  if (const int error = SaveTarget(path, target)) return Describe(error);
  // Judged before anything is opened: opening a device may already do something.
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (auto refusal = RefuseUnlessRegular(st)) return refusal;
  }
  // Not blocking, should a pipe take the file's place meanwhile.
  int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    created = fd >= 0;
  }
  if (fd < 0) return Describe(errno);
  ::close(fd);
  return std::nullopt;
}

void RemoveCreatedFile(const std::string& path) {
  std::string target;
  if (SaveTarget(path, target) == 0) ::unlink(target.c_str());
}

std::optional<std::string> ReplaceFile(const std::string& path,
                                       std::span<const std::uint8_t> bytes) {
  std::string target;
  if (const int error = SaveTarget(path, target)) return Describe(error);
  struct stat old_stat {};
  const bool exists = ::stat(target.c_str(), &old_stat) == 0;
  // Renaming over a file needs only the folder's permission; the user must be able to write the
  // file itself too, as when it is written in place.
  if (exists) {
    if (auto refusal = RefuseUnlessRegular(old_stat)) return refusal;
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Describe(errno);
    ::close(fd);
  }

  // A name of fixed length: one made from the target's name would pass the 255-byte limit of a
  // name for long targets.
  std::string temp = FolderOf(target) + "/.pelorin-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Describe(errno);
  int error = 0;
  if (exists) {
    ::fchmod(fd, old_stat.st_mode & 07777);
  } else {
    // A new file gets the usual permissions, as the umask allows.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  std::size_t done = 0;
  while (done < bytes.size() && error == 0) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno != EINTR) error = errno;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return Describe(error);
  }
  return std::nullopt;
}

}  // namespace pelorin
