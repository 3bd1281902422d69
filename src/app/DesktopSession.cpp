#include "app/DesktopSession.h"

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

}  // namespace

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
