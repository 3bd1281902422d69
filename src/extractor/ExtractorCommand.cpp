#include "extractor/ExtractorCommand.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <set>
#include <span>

#include "base/SystemError.h"
#include "base/Text.h"
#include "extract/IconReaders.h"
#include "extract/PngWriter.h"
#include "extract/ResourceGroups.h"
#include "extract/Thumbnail.h"
#include "extractor/GroupFile.h"
#include "files/MappedFile.h"

namespace pelorin {
namespace {

constexpr const char* kUsage =
    "用法：pelorin-extract [-o 文件夹] [-f] [--png [大小]] 文件...\n"
    "      pelorin-extract -l 文件...\n"
    "把 Windows 程序、库（PE32、PE32+、16 位 NE）和图标库中的每个图标组写成 .ico "
    "文件、每个光标组写成\n"
    ".cur "
    "文件，名为“<文件名>-<组名>.ico”；组名是资源的编号或名称，同一名称有多种语言时后接“-<语言编号>"
    "”。\n"
    "动画光标的每一帧按原样写成“<文件名>-<帧号>.ico”（或 .cur），帧号从 1 起。\n"
    "  -o 文件夹     写到这个已有的文件夹（默认是当前文件夹）\n"
    "  -f            替换已有的同名文件（默认不替换）\n"
    "  --png         改为把每个组的每个图像写成带透明度的 "
    "PNG：“<文件名>-<组名>-<序号>-<宽>x<高>x<位数>.png”\n"
    "  --png 大小    每个组只写一张 PNG：“<文件名>-<组名>.png”，像缩略图一样选图并缩放，大小为 1 "
    "到 4096\n"
    "  -l            只列出，不写文件：每组一行，依次是文件、图标或光标、组名、语言和各图像\n"
    "                （宽x高、每像素位数、PNG 或位图）\n"
    "  -h, --help    显示这段说明\n"
    "文件名只取“文件”的最后一部分；会离开文件夹的字符、控制字符和无效的文字都换成“_"
    "”。每个文件先写到\n"
    "文件夹中的临时文件，写完整后才改名，不会留下写了一半的文件。损坏的组会被跳过并说明原因，其余的"
    "照样写出。\n"
    "退出状态：0 每个文件都完整读出，1 有文件或组未能读出或写入，2 用法错误。\n";

constexpr std::size_t kLongestName = 255;
// What writing gives when a file of the name exists and may not be replaced.
constexpr int kExists = -1;

struct Options {
  bool list = false;
  bool png = false;
  int size = 0;  // --png SIZE; 0 for every image
  bool force = false;
  bool help = false;
  std::optional<std::string> dir;
  std::vector<std::string> files;
};

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// The options, or what is wrong with them.
std::optional<Options> Parse(const std::vector<std::string>& args, std::string& problem) {
  Options o;
  bool options_end = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options_end || a.size() < 2 || a[0] != '-') {
      o.files.push_back(a);
    } else if (a == "--") {
      options_end = true;
    } else if (a == "-l" || a == "--list") {
      o.list = true;
    } else if (a == "-f" || a == "--force") {
      o.force = true;
    } else if (a == "-h" || a == "--help") {
      o.help = true;
    } else if (a == "-o" || a == "--output" || a.rfind("--output=", 0) == 0) {
      const bool inline_value = a.size() > 8;
      if (!inline_value && i + 1 == args.size()) {
        problem = a + " 后面缺少文件夹";
        return std::nullopt;
      }
      o.dir = inline_value ? a.substr(9) : args[++i];
      if (o.dir->empty()) {
        problem = "文件夹的名称是空的";
        return std::nullopt;
      }
    } else if (a == "--png" || a.rfind("--png=", 0) == 0) {
      o.png = true;
      // A number after --png is its size; a file named by digits alone is given as ./123.
      const bool inline_value = a.size() > 5;
      if (inline_value || (i + 1 < args.size() && AllDigits(args[i + 1]))) {
        const std::string& text = inline_value ? a.substr(6) : args[++i];
        const auto size = ParseThumbnailSize(text);
        if (!size) {
          problem = "PNG 的大小 " + text + " 不在 1 到 4096 之间";
          return std::nullopt;
        }
        o.size = *size;
      }
    } else {
      problem = "不认识的选项 " + a;
      return std::nullopt;
    }
  }
  if (o.help) return o;
  if (o.files.empty()) {
    problem = "没有给出文件";
    return std::nullopt;
  }
  if (o.list && (o.png || o.force || o.dir)) {
    problem = "-l 只列出，不能和 -o、-f 或 --png 一起用";
    return std::nullopt;
  }
  return o;
}

// The folder the files go to: names given out in this run, and the writing itself.
class OutputFolder {
 public:
  OutputFolder(std::string dir, bool force) : dir_(std::move(dir)), force_(force) {
    while (dir_.size() > 1 && dir_.back() == '/') dir_.pop_back();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  }

  // The path of `name` in the folder, as messages show it.
  std::string PathOf(const std::string& name) const {
    return dir_ == "." ? name : dir_ == "/" ? '/' + name : dir_ + '/' + name;
  }

  // A name for `stem` + `extension` that no other file of this run has, of at most 255 bytes.
  std::string Claim(const std::string& stem, const std::string& extension) {
    const auto fit = [&](const std::string& tail) {
      std::string s = stem;
      if (s.size() + tail.size() > kLongestName) {
        s.resize(kLongestName - tail.size());
        DropCutCharacter(s);
      }
      return s + tail;
    };
    std::string name = fit(extension);
    for (int n = 2; used_.count(name) != 0; ++n) {
      std::string tail = std::to_string(n);
      tail.insert(0, 1, '-');
      name = fit(tail.append(extension));
    }
    used_.insert(name);
    return name;
  }

  // Writes the pieces, in order, as the file `name`: 0, an errno value, or kExists. The file
  // is made without a name (O_TMPFILE) and named once complete, so that nothing of it is left
  // should the run be cut short at any moment; where the system cannot do that, it is a
  // temporary file renamed.
  int Write(const std::string& name, std::span<const std::span<const std::uint8_t>> pieces) {
    const std::string target = PathOf(name);
    if (unnamed_) {
      const int fd = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
      if (fd >= 0) {
        int error = WriteAll(fd, pieces);
        if (error == 0) error = Name(fd, target);
        ::close(fd);
        return error;
      }
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
      unnamed_ = false;
    }
    std::string temp = PathOf(".pelorin-extract-XXXXXX");
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    int error = ::fchmod(fd, mode_) == 0 ? 0 : errno;
    if (error == 0) error = WriteAll(fd, pieces);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0) error = Place(temp, target);
    if (error != 0) ::unlink(temp.c_str());
    return error;
  }

 private:
  static int WriteAll(int fd, std::span<const std::span<const std::uint8_t>> pieces) {
    std::vector<iovec> left;
    for (const auto& piece : pieces)
      if (!piece.empty()) left.push_back({const_cast<std::uint8_t*>(piece.data()), piece.size()});
    for (std::size_t first = 0; first < left.size();) {
      const int count = static_cast<int>(std::min<std::size_t>(left.size() - first, IOV_MAX));
      ssize_t n = ::writev(fd, left.data() + first, count);
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      // Past the pieces written whole, into the one written in part.
      for (; first < left.size() && static_cast<std::size_t>(n) >= left[first].iov_len; ++first)
        n -= static_cast<ssize_t>(left[first].iov_len);
      if (first < left.size()) {
        left[first].iov_base = static_cast<std::uint8_t*>(left[first].iov_base) + n;
        left[first].iov_len -= static_cast<std::size_t>(n);
      }
    }
    return 0;
  }

  // Gives the unnamed file `fd` its name `target`: where no file has it, or with -f over it
  // (named first with a temporary name of its own, then renamed).
  int Name(int fd, const std::string& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const auto link = [&](const std::string& to) {
      return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0
                                                                                            : errno;
    };
    int error = link(target);
    if (error != EEXIST) return error;
    if (!force_) return kExists;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string temp = PathOf(".pelorin-extract-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(temporary_++));
      error = link(temp);
      if (error == EEXIST) continue;
      if (error != 0) return error;
      error = ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
      if (error != 0) ::unlink(temp.c_str());
      return error;
    }
    return EEXIST;
  }

  // Renames the complete temporary file to its name: over an existing file only with -f.
  int Place(const std::string& temp, const std::string& target) const {
    if (force_) return ::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
      return 0;
    int error = errno;
    // File systems that cannot rename without replacing can mostly link.
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
      if (::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        return 0;
      }
      error = errno;
    }
    return error == EEXIST ? kExists : error;
  }

  std::string dir_;
  bool force_;
  mode_t mode_ = 0644;
  // Whether files are made unnamed: the system can (Linux 3.11 and the common file systems) and
  // /proc shows them to name them.
  bool unnamed_ = ::access("/proc/self/fd", X_OK) == 0;
  int temporary_ = 0;
  std::set<std::string> used_;
};

// One run over the files.
class Extractor {
 public:
  Extractor(const Options& options, std::ostream& out, std::ostream& err)
      : options_(options),
        out_(out),
        err_(err),
        folder_(options.dir.value_or("."), options.force) {}

  int Run() {
    if (!options_.list && !CheckFolder()) return kSomethingNotRead;
    for (const std::string& path : options_.files) File(path);
    return status_;
  }

 private:
  struct Source {
    std::string path;  // as given, for messages
    std::string stem;  // the last component made safe, for names
  };

  // One line on stderr, written at once.
  void Say(const std::string& message) { err_ << message + '\n'; }
  void Fail(const std::string& message) {
    Say(message);
    status_ = kSomethingNotRead;
  }

  bool CheckFolder() {
    const std::string& dir = options_.dir.value_or(".");
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) {
      Fail("不能写到 " + dir + "：" +
           (errno == ENOENT ? std::string("文件夹不存在") : DescribeSystemError(errno)) + "。");
      return false;
    }
    if (!S_ISDIR(info.st_mode)) {
      Fail("不能写到 " + dir + "：这不是文件夹。");
      return false;
    }
    return true;
  }

  void File(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const Source source{path, SafeName(slash == std::string::npos ? path : path.substr(slash + 1))};
    errno = 0;
    const std::optional<MappedFile> file = MappedFile::Open(path);
    if (!file) {
      const int error = errno;
      struct stat info {};
      std::string cause = error == ENOENT ? "文件不存在" : DescribeSystemError(error);
      if (::stat(path.c_str(), &info) == 0)
        cause = DescribeNonRegularFile(info.st_mode).value_or(error == 0 ? "不能映射" : cause);
      Fail("不能读取 " + path + "：" + cause + "。");
      return;
    }
    const std::span<const std::uint8_t> bytes = file->bytes();
    switch (DetectIconFileKind(bytes)) {
      case IconFileKind::kPortableExecutable:
        return Library(source, bytes, true);
      case IconFileKind::kNewExecutable:
        return Library(source, bytes, false);
      case IconFileKind::kAnimatedCursor:
        return AnimatedCursor(source, bytes);
      case IconFileKind::kIconFile:
        return IconFile(source, bytes);
      case IconFileKind::kNone:
        break;
    }
    Fail(path + " 不是程序、库、图标库、图标、光标或动画光标。");
  }

  // `has_languages`: a PE file's resources have languages, an NE file's do not.
  void Library(const Source& source, std::span<const std::uint8_t> bytes, bool has_languages) {
    const ResourceGroups resources(bytes);
    if (resources.groups().empty() && resources.complete()) {
      Say(source.path + " 中没有图标或光标。");
      return;
    }
    // A real library's groups hold about what its image resources do, each image in one group
    // or a few. A crafted one can make thousands of groups of the same directory of thousands of
    // entries, all naming one image: gigabytes of files from a small file, and hours of work.
    // Past four times the file (plus room for small files) the rest is skipped.
    const std::uint64_t most_entries = bytes.size() / 14 * 4 + (1 << 16);
    const std::uint64_t most_bytes = std::uint64_t{bytes.size()} * 4 + (std::uint64_t{64} << 20);
    std::uint64_t entries = 0;
    std::uint64_t written = 0;
    for (const ResourceGroup& group : resources.groups()) {
      if (group.data && group.data->bytes.size() >= 6)
        entries += group.data->bytes[4] | group.data->bytes[5] << 8;
      if (entries > most_entries || written > most_bytes) {
        Fail(source.path + " 的图标和光标合起来远远多于文件本身所含，其余的已跳过。");
        return;
      }
      const std::string name = group.id ? std::to_string(*group.id) : SafeName(group.name);
      std::string label = std::string(group.kind == GroupKind::kIcon ? "图标 " : "光标 ") + name;
      std::string file_name = name;
      if (group.several_languages) {
        file_name.append(1, '-').append(std::to_string(group.language));
        label += "（语言 " + std::to_string(group.language) + "）";
      }
      const BuiltGroup built = BuildGroupFile(resources, group);
      if (!built.file) {
        Fail(source.path + " 的" + label + "已损坏，已跳过：" + built.problem + "。");
        continue;
      }
      written += built.file->size();
      Emit(source, *built.file, label, {name, file_name},
           has_languages ? std::to_string(group.language) : "-");
    }
    if (!resources.complete())
      Fail(source.path + " 的资源目录有一部分已损坏，其中的图标或光标可能没有全部写出。");
  }

  void AnimatedCursor(const Source& source, std::span<const std::uint8_t> bytes) {
    const AniReader ani(bytes);
    if (!ani.ok()) {
      Fail(source.path + " 不是完整的动画光标：没有帧或没有 anih 头。");
      return;
    }
    for (int f = 0; f < ani.FrameCount(); ++f) {
      const std::string number = std::to_string(f + 1);
      const BuiltGroup built = CheckIconFile(ani.Frame(f));
      if (!built.file) {
        Fail(source.path + " 的第 " + number + " 帧已损坏，已跳过：" + built.problem + "。");
        continue;
      }
      Emit(source, *built.file, "第 " + number + " 帧", {number, number}, "-");
    }
  }

  void IconFile(const Source& source, std::span<const std::uint8_t> bytes) {
    const BuiltGroup built = CheckIconFile(bytes);
    if (!built.file) {
      Fail(source.path + " 已损坏：" + built.problem + "。");
    } else if (!options_.list && !options_.png) {
      Say(source.path + " 本身就是图标或光标文件，没有要提取的（--png 可以写出其中的图像）。");
    } else {
      Emit(source, *built.file, "", {}, "-");
    }
  }

  // How a group (or frame) is named in the listing and in file names: empty for an icon file,
  // which has no name of its own.
  struct GroupName {
    std::string listed;
    std::string in_files;  // with the language where the name has several
  };

  // Lists or writes one group (or frame, or icon file): `label` names it in messages.
  void Emit(const Source& source, const GroupFile& file, const std::string& label,
            const GroupName& name, const std::string& language) {
    const bool cursor = file.kind == GroupKind::kCursor;
    const std::string stem =
        name.in_files.empty() ? source.stem : source.stem + '-' + name.in_files;
    if (options_.list) {
      out_ << source.path << '\t' << (cursor ? "光标" : "图标") << '\t'
           << (name.listed.empty() ? "-" : name.listed) << '\t' << language << '\t';
      for (std::size_t i = 0; i < file.summaries.size(); ++i) {
        const ImageSummary& s = file.summaries[i];
        out_ << (i == 0 ? "" : ", ") << s.width << 'x' << s.height << ' ' << s.bits << " 位 "
             << (s.png ? "PNG" : "位图");
      }
      out_ << '\n';
      return;
    }
    const std::string of = label.empty() ? source.path : source.path + " 的" + label;
    if (!options_.png) {
      Save(stem + (cursor ? ".cur" : ".ico"), file.Pieces());
    } else if (options_.size != 0) {
      const auto chosen = ChooseThumbnailImage(file.group, options_.size);
      const auto image = chosen ? DecodeIconImageRgba(file.group.images[*chosen]) : std::nullopt;
      if (!image) return Fail(of + " 没有能解码的图像。");
      SavePng(stem + ".png", FitThumbnail(*image, options_.size));
    } else {
      for (std::size_t i = 0; i < file.group.images.size(); ++i) {
        const ImageSummary& s = file.summaries[i];
        const std::string png_name = stem + '-' + std::to_string(i + 1) + '-' +
                                     std::to_string(s.width) + 'x' + std::to_string(s.height) +
                                     'x' + std::to_string(s.bits) + ".png";
        const std::span<const std::uint8_t> data = file.group.images[i];
        if (s.png) {
          const std::span<const std::uint8_t> pieces[] = {data.first(*WholeImageLength(data))};
          Save(png_name, pieces);
        } else if (const auto image = DecodeIconImageRgba(data)) {
          SavePng(png_name, *image);
        } else {
          Fail(of + " 的第 " + std::to_string(i + 1) + " 个图像无法解码，已跳过。");
        }
      }
    }
  }

  void SavePng(const std::string& stem_and_extension, const RgbaImage& image) {
    const auto png = EncodePng(image);
    if (!png)
      return Fail("不能生成 " + stem_and_extension + "：" + DescribeSystemError(ENOMEM) + "。");
    const std::span<const std::uint8_t> pieces[] = {*png};
    Save(stem_and_extension, pieces);
  }

  void Save(const std::string& wanted, std::span<const std::span<const std::uint8_t>> pieces) {
    const std::size_t dot = wanted.rfind('.');
    const std::string name = folder_.Claim(wanted.substr(0, dot), wanted.substr(dot));
    const int error = folder_.Write(name, pieces);
    if (error == kExists) {
      Fail("不能写入 " + folder_.PathOf(name) + "：文件已存在（-f 可以替换它）。");
    } else if (error != 0) {
      Fail("不能写入 " + folder_.PathOf(name) + "：" + DescribeSystemError(error) + "。");
    }
  }

  const Options& options_;
  std::ostream& out_;
  std::ostream& err_;
  OutputFolder folder_;
  int status_ = kEveryFileRead;
};

}  // namespace

std::string SafeName(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Unit unit = DecodeUtf8(text, i);
    const char32_t c = unit.value;
    if (unit.raw || c == '/' || c < 0x20 || (c >= 0x7F && c < 0xA0)) {
      safe += '_';
    } else {
      safe.append(text.substr(i, unit.length));
    }
    i += unit.length;
  }
  return safe;
}

int RunExtractor(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problem;
  const auto options = Parse(args, problem);
  if (!options) {
    err << "pelorin-extract：" << problem << "（--help 显示用法）。\n";
    return kWrongUsage;
  }
  if (options->help) {
    out << kUsage;
    return kEveryFileRead;
  }
  return Extractor(*options, out, err).Run();
}

}  // namespace pelorin
