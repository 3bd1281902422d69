#include "platform/FileTypeRegistration.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/Text.h"

namespace pelorin {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDesktopFileName = "pelorin.desktop";
constexpr std::string_view kDefaultsGroup = "Default Applications";
// The canonical name first: desktops look defaults up by it, the alias only helps older ones.
constexpr std::string_view kIconTypes[] = {"image/vnd.microsoft.icon", "image/x-icon"};

// Characters that force an Exec argument into double quotes.
constexpr std::string_view kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";
// Characters that need a backslash inside a double-quoted Exec argument.
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

// An environment variable usable as a base folder: set and absolute.
std::optional<fs::path> AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  fs::path path(value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r";
  const auto first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kSpace);
  return text.substr(first, last - first + 1);
}

// The group name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> GroupName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
  return trimmed.substr(1, trimmed.size() - 2);
}

// The key of a "key=value" line, or nothing for comments, blank lines and anything else.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == '[') return std::nullopt;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(0, equals));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::string DefaultLine(std::string_view type) {
  return std::string(type) + "=" + std::string(kDesktopFileName) + ";";
}

// Sets our two defaults in the first [Default Applications] group of a mimeapps.list and keeps
// every other line exactly as it was. Repeats of our keys in that group are dropped, since a
// reader could take the later one and undo the choice.
std::string UpdateMimeappsList(const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  std::size_t group = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (GroupName(lines[i]) == kDefaultsGroup) {
      group = i;
      break;
    }
  }

  std::vector<std::string> out;
  if (group == lines.size()) {
    out = lines;
    if (!out.empty() && !Trim(out.back()).empty()) out.emplace_back();
    out.emplace_back("[" + std::string(kDefaultsGroup) + "]");
    for (std::string_view type : kIconTypes) out.push_back(DefaultLine(type));
  } else {
    std::size_t end = group + 1;
    while (end < lines.size() && !GroupName(lines[end])) ++end;

    bool written[std::size(kIconTypes)] = {};
    // Missing keys go after the last entry of the group, so that comments and blank lines that
    // lead into the next group stay with it.
    std::size_t insert_after = group;
    out.assign(lines.begin(), lines.begin() + group + 1);
    std::size_t insert_at = out.size();
    for (std::size_t i = group + 1; i < end; ++i) {
      const std::optional<std::string_view> key = KeyName(lines[i]);
      if (key) insert_after = i;
      bool ours = false;
      for (std::size_t t = 0; t < std::size(kIconTypes); ++t) {
        if (key != kIconTypes[t]) continue;
        ours = true;
        if (!written[t]) out.push_back(DefaultLine(kIconTypes[t]));
        written[t] = true;
      }
      if (!ours) out.push_back(lines[i]);
      if (i == insert_after) insert_at = out.size();
    }
    std::vector<std::string> missing;
    for (std::size_t t = 0; t < std::size(kIconTypes); ++t)
      if (!written[t]) missing.push_back(DefaultLine(kIconTypes[t]));
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(insert_at), missing.begin(),
               missing.end());
    out.insert(out.end(), lines.begin() + static_cast<std::ptrdiff_t>(end), lines.end());
  }

  std::string result;
  for (const std::string& line : out) result += line + "\n";
  return result;
}

// A value of the desktop entry's string type: the file's escapes, and a leading space kept.
std::string DesktopStringValue(const std::string& text) {
  std::string value;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\')
      value += "\\\\";
    else if (c == '\n')
      value += "\\n";
    else if (c == '\t')
      value += "\\t";
    else if (c == '\r')
      value += "\\r";
    else if (c == ' ' && i == 0)
      value += "\\s";
    else
      value += c;
  }
  return value;
}

std::string DesktopEntry(const std::string& program_path) {
  std::string entry = "[Desktop Entry]\n";
  entry += "Type=Application\n";
  entry += "Name=Pelorin\n";
  entry += "Exec=" + DesktopExecValue(program_path) + "\n";
  // Desktops ignore the entry, and the defaults that name it, once the program is gone.
  entry += "TryExec=" + DesktopStringValue(program_path) + "\n";
  entry += "MimeType=";
  for (std::string_view type : kIconTypes) entry += std::string(type) + ";";
  entry += "\n";
  entry += "Terminal=false\n";
  // The entry exists for the file association, not as a menu item of its own.
  entry += "NoDisplay=true\n";
  return entry;
}

// Where writes to `path` really land: a symbolic link (kept by many for their dotfiles) is
// followed, so that replacing the file keeps the link and updates what it points to.
std::optional<fs::path> WriteTarget(const fs::path& path) {
  std::error_code ec;
  const fs::file_status link = fs::symlink_status(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory) return std::nullopt;
  if (!fs::is_symlink(link)) return path;
  fs::path target = fs::canonical(path, ec);
  // A dangling link is left alone: we would be guessing where the user wanted the file.
  if (ec) return std::nullopt;
  return target;
}

// The whole content of a regular file; an empty string when there is no file. Nothing when the
// file exists but cannot be read, because writing then would throw its content away.
std::optional<std::string> ReadExisting(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) {
    if (ec && ec != std::errc::no_such_file_or_directory) return std::nullopt;
    return std::string();
  }
  if (!fs::is_regular_file(status)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return content;
}

// Replaces `target` with `content` through a temporary file beside it, so that the file is
// always either the old one or the complete new one.
bool WriteAtomically(const fs::path& target, const std::string& content, bool target_exists) {
  std::random_device random;
  std::ostringstream name;
  name << "." << target.filename().string() << ".tmp-" << std::hex << random() << random();
  const fs::path temporary = target.parent_path() / name.str();

  std::error_code ec;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      return false;
    }
  }
  // A private mimeapps.list stays private.
  if (target_exists) {
    const fs::file_status old_status = fs::status(target, ec);
    if (!ec) fs::permissions(temporary, old_status.permissions(), ec);
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

// Gives the file at `path` the content `make(old content)`; a missing file counts as empty. The
// file is left untouched on any failure, and also when it already holds that content.
bool RewriteFile(const fs::path& path, const std::function<std::string(const std::string&)>& make) {
  const std::optional<fs::path> target = WriteTarget(path);
  if (!target) return false;
  std::error_code ec;
  const bool exists = fs::exists(*target, ec);
  const std::optional<std::string> existing = ReadExisting(*target);
  if (!existing) return false;
  const std::string content = make(*existing);
  if (exists && *existing == content) return true;
  return WriteAtomically(*target, content, exists);
}

// A folder CMake builds in: the program there goes when the folder is cleaned or deleted.
bool InBuildFolder(const fs::path& program) {
  std::error_code ec;
  return fs::is_regular_file(program.parent_path() / "CMakeCache.txt", ec);
}

bool MakeFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return !ec && fs::is_directory(folder, ec);
}

}  // namespace

XdgDirs XdgDirsFromEnvironment() {
  XdgDirs dirs;
  const std::optional<fs::path> home = AbsoluteFromEnvironment("HOME");
  if (auto data = AbsoluteFromEnvironment("XDG_DATA_HOME"))
    dirs.data_home = *data;
  else if (home)
    dirs.data_home = *home / ".local" / "share";
  if (auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME"))
    dirs.config_home = *config;
  else if (home)
    dirs.config_home = *home / ".config";
  return dirs;
}

std::string DesktopExecValue(const std::string& program_path) {
  std::string argument;
  if (program_path.find_first_of(kReservedInExec) == std::string::npos) {
    argument = program_path;
  } else {
    argument = "\"";
    for (char c : program_path) {
      if (kEscapedInQuotes.find(c) != std::string_view::npos) argument += '\\';
      argument += c;
    }
    argument += "\"";
  }

  // Field codes are expanded anywhere in the line, quoted or not, so a percent sign of the path
  // is doubled. Then come the string escapes of the file itself, which readers undo first.
  std::string doubled;
  for (char c : argument) {
    if (c == '%') doubled += '%';
    doubled += c;
  }
  return DesktopStringValue(doubled) + " /open %f";
}

std::string RegisteredProgram(const std::string& program_path, const std::string& search_path) {
  try {
    if (!InBuildFolder(program_path)) return program_path;
    std::size_t start = 0;
    while (start <= search_path.size()) {
      std::size_t end = search_path.find(':', start);
      if (end == std::string::npos) end = search_path.size();
      const fs::path folder(search_path.substr(start, end - start));
      start = end + 1;
      // Relative entries depend on the folder the program was started in.
      if (!folder.is_absolute()) continue;
      const fs::path candidate = folder / "pelorin";
      std::error_code ec;
      if (!fs::is_regular_file(candidate, ec) || ::access(candidate.c_str(), X_OK) != 0) continue;
      const fs::path real = fs::canonical(candidate, ec);
      if (ec || InBuildFolder(real)) continue;
      return candidate.string();
    }
  } catch (...) {
    // Out of memory or a library surprise: the running program is still a valid answer.
  }
  return program_path;
}

bool RegisterIconFileType(const std::string& program_path, const XdgDirs& dirs) {
  try {
    // A desktop entry file must be UTF-8; a path that is not cannot be written into one, and an
    // entry the desktop refuses to read must not become the user's default.
    if (program_path.empty() || !IsValidUtf8(program_path)) return false;
    if (dirs.data_home.empty() || !dirs.data_home.is_absolute()) return false;
    if (dirs.config_home.empty() || !dirs.config_home.is_absolute()) return false;
    std::error_code ec;
    const fs::path program = fs::absolute(program_path, ec);
    if (ec) return false;

    const fs::path applications = dirs.data_home / "applications";
    if (!MakeFolder(applications)) return false;
    // Without the entry in place a default naming it would only hide the user's own choice.
    const std::string entry = DesktopEntry(program.string());
    if (!RewriteFile(applications / kDesktopFileName, [&](const std::string&) { return entry; }))
      return false;

    if (!MakeFolder(dirs.config_home)) return false;
    return RewriteFile(dirs.config_home / "mimeapps.list", UpdateMimeappsList);
  } catch (...) {
    // Out of memory or a library surprise: registering is never worth stopping the program for.
    return false;
  }
}

}  // namespace pelorin
