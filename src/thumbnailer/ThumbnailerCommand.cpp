#include "thumbnailer/ThumbnailerCommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "base/SystemError.h"
#include "extract/PngWriter.h"
#include "extract/Thumbnail.h"
#include "files/MappedFile.h"

namespace pelorin {
namespace {

constexpr const char* kUsage =
    "用法：pelorin-thumbnailer [-s 大小] 输入文件 输出文件\n"
    "把程序、库、图标库、图标、光标或动画光标显示的图标写成带透明度的 PNG 缩略图。"
    "大小是缩略图最大的宽度和高度，1 到 4096 像素，默认 128。\n";

std::string Cause(int error) {
  if (error == kNotRegularFile) return "这不是普通文件";
  if (error == kSymbolicLink) return "这是符号链接，缩略图不写到链接指向的地方";
  return DescribeSystemError(error);
}

}  // namespace

int WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  // Not blocking: a pipe in the output's place without a reader fails at once (ENXIO) instead of
  // waiting; one with a reader is refused below, before anything is written into it.
  const int fd = ::open(path.c_str(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    // O_NOFOLLOW refuses a link with the error of a loop of links; say what it is instead.
    const int error = errno;
    struct stat link {};
    if (error == ELOOP && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
      return kSymbolicLink;
    return error;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return kNotRegularFile;
  }
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size() && error == 0) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      error = errno;
    }
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) ::unlink(path.c_str());
  return error;
}

int RunThumbnailer(const std::vector<std::string>& args, std::string& message) {
  message.clear();
  int size = kDefaultThumbnailSize;
  bool wrong = false;
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "-s") {
      paths.push_back(args[i]);
      continue;
    }
    const auto parsed = i + 1 < args.size() ? ParseThumbnailSize(args[++i]) : std::nullopt;
    wrong = wrong || !parsed;
    size = parsed.value_or(size);
  }
  if (wrong || paths.size() != 2 || paths[0].empty() || paths[1].empty()) {
    message = kUsage;
    return kWrongArguments;
  }
  const std::string& input = paths[0];
  const std::string& output = paths[1];

  errno = 0;
  const std::optional<MappedFile> file = MappedFile::Open(input);
  if (!file) {
    message = "不能读取 " + input + "：" +
              (errno == ENOENT ? std::string("文件不存在")
                               : Cause(errno == 0 ? kNotRegularFile : errno)) +
              "。\n";
    return kNoThumbnail;
  }
  const std::optional<RgbaImage> thumbnail = MakeThumbnail(file->bytes(), size);
  if (!thumbnail) {
    message = input + " 中没有可以显示的图标。\n";
    return kNoThumbnail;
  }
  const auto png = EncodePng(*thumbnail);
  if (!png) {
    message = "不能生成 " + output + "：" + DescribeSystemError(ENOMEM) + "。\n";
    return kNoThumbnail;
  }
  if (const int error = WriteOutputFile(output, *png); error != 0) {
    message = "不能写入 " + output + "：" + Cause(error) + "。\n";
    return kNoThumbnail;
  }
  return kThumbnailWritten;
}

}  // namespace pelorin
