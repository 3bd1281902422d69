#include "app/DesktopSession.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pelorin {

namespace {

bool IsSet(const Environment& env, const char* name) {
  const char* value = env(name);
  return value != nullptr && *value != '\0';
}

// One factor rounded, or the text unchanged when it is not a plain positive number.
std::string WholeFactor(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0) ||
      !std::isfinite(value))
    return std::string(text);
  return std::to_string(std::max(1L, std::lround(value)));
}

std::optional<std::string> Get(const Environment& env, const char* name) {
  if (!IsSet(env, name)) return std::nullopt;
  return std::string(env(name));
}

// The platform plugins the toolkit tries, in its order.
std::vector<std::string> PlatformsToTry(const std::vector<std::string>& args,
                                        const Environment& env) {
  std::string chosen;
  for (std::size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "-platform" || args[i] == "--platform") chosen = args[i + 1];
  if (chosen.empty()) chosen = Get(env, "QT_QPA_PLATFORM").value_or("");
  std::vector<std::string> names;
  if (chosen.empty()) {
    if (IsSet(env, "WAYLAND_DISPLAY") || Get(env, "XDG_SESSION_TYPE") == "wayland")
      names.push_back("wayland");
    names.push_back("xcb");
    return names;
  }
  std::size_t start = 0;
  while (start <= chosen.size()) {
    std::size_t end = chosen.find(';', start);
    if (end == std::string::npos) end = chosen.size();
    const std::string entry = chosen.substr(start, end - start);
    const std::string name = entry.substr(0, entry.find(':'));
    if (!name.empty()) names.push_back(name);
    start = end + 1;
  }
  return names;
}

DisplayToTry X11Display(const std::vector<std::string>& args, const Environment& env) {
  DisplayToTry d{DisplayToTry::Kind::kX11, "", "DISPLAY", Get(env, "DISPLAY")};
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "-display" || args[i] == "--display") {
      d.setting = args[i];
      d.value = args[i + 1];
    }
  }
  d.address = d.value.value_or("");
  return d;
}

DisplayToTry WaylandDisplay(const Environment& env) {
  DisplayToTry d{DisplayToTry::Kind::kWayland, "", "WAYLAND_DISPLAY", Get(env, "WAYLAND_DISPLAY")};
  const std::string name = d.value.value_or("wayland-0");
  if (name.front() == '/')
    d.address = name;
  else if (const auto folder = Get(env, "XDG_RUNTIME_DIR"))
    d.address = *folder + "/" + name;
  return d;
}

// "DISPLAY=:99", "-display :99", or the setting and `not_set`.
std::string Naming(const DisplayToTry& d, std::string_view not_set) {
  if (!d.value) return d.setting + std::string(not_set);
  return d.setting + (d.setting.front() == '-' ? " " : "=") + *d.value;
}

}  // namespace

std::optional<std::string> UnreachableDisplayMessage(const std::vector<std::string>& args,
                                                     const Environment& env,
                                                     const DisplayProbe& answers) {
  std::vector<DisplayToTry> silent;
  for (const std::string& platform : PlatformsToTry(args, env)) {
    DisplayToTry display;
    if (platform == "xcb") {
      display = X11Display(args, env);
    } else if (platform.starts_with("wayland")) {
      if (IsSet(env, "WAYLAND_SOCKET")) return std::nullopt;
      display = WaylandDisplay(env);
    } else {
      return std::nullopt;  // no display server of ours to ask
    }
    if (!display.address.empty() && answers(display)) return std::nullopt;
    const bool listed = std::any_of(silent.begin(), silent.end(),
                                    [&](const DisplayToTry& d) { return d.kind == display.kind; });
    if (!listed) silent.push_back(display);
  }
  if (silent.empty()) return std::nullopt;
  std::string chinese;
  std::string english;
  for (const DisplayToTry& d : silent) {
    if (!chinese.empty()) {
      chinese += " 和 ";
      english += " or ";
    }
    chinese += Naming(d, "（未设置）");
    english += Naming(d, " (not set)");
  }
  return "Pelorin 打不开显示：无法连接 " + chinese + "。请确认图形会话仍在运行。\n" +
         "Pelorin cannot open the display: cannot connect to " + english +
         ". Check that the graphical session is still running.\n";
}

std::optional<std::string> PlatformForSession(const std::vector<std::string>& args,
                                              const Environment& env) {
  if (IsSet(env, "QT_QPA_PLATFORM")) return std::nullopt;
  for (const std::string& arg : args)
    if (arg == "-platform" || arg == "--platform") return std::nullopt;
  if (PlatformsToTry(args, env).front() != "wayland") return std::nullopt;
  const DisplayToTry x11 = X11Display(args, env);
  if (!x11.value || x11.value->empty()) return std::nullopt;
  return "xcb";
}

bool HasGraphicalSession(const std::vector<std::string>& args, const Environment& env) {
  if (IsSet(env, "QT_QPA_PLATFORM")) return true;
  for (const std::string& arg : args)
    if (arg == "-platform" || arg == "--platform") return true;
  return IsSet(env, "DISPLAY") || IsSet(env, "WAYLAND_DISPLAY");
}

std::string WholeScaleFactors(std::string_view setting) {
  std::string out;
  std::size_t start = 0;
  while (start <= setting.size()) {
    std::size_t end = setting.find(';', start);
    if (end == std::string_view::npos) end = setting.size();
    const std::string_view item = setting.substr(start, end - start);
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
      out += WholeFactor(item);
    } else {
      out += item.substr(0, equals + 1);
      out += WholeFactor(item.substr(equals + 1));
    }
    if (end == setting.size()) break;
    out += ';';
    start = end + 1;
  }
  return out;
}

}  // namespace pelorin
