#include "app/StartUp.h"

#include <utility>

namespace pelorin {

bool CheckScreenSize(Platform& platform) {
  if (platform.ScreenHeight() < 480 || platform.ScreenWidth() < 640) {
    platform.MsgBox(std::string(kProgramTitle) + " 要求屏幕设置至少 640 X 480 象素。\r\n\r\n" +
                        "调整屏幕设置，重试。",
                    MsgButtons::kOk, MsgIcon::kStop, ErrorTitle());
    return false;
  }
  return true;
}

bool CheckColourDepth(Platform& platform) {
  if (platform.ScreenBitsPerPixel() < 9) {
    platform.MsgBox(
        std::string(kProgramTitle) + " 要求至少高色度模式。\r\n\r\n" + "调整颜色模式，重试。",
        MsgButtons::kOk, MsgIcon::kStop, ErrorTitle());
    return false;
  }
  return true;
}

bool RunEntryProcedure(Platform& platform) {
  if (!CheckScreenSize(platform)) return false;
  if (!CheckColourDepth(platform)) return false;
  platform.RegisterIconFileType(platform.ProgramPath());
  return true;
}

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) {
    if (&arg != &args.front()) line += ' ';
    line += arg;
  }
  return line;
}

std::optional<std::string> PathToOpen(std::string_view command_line) {
  constexpr std::string_view kPrefix = "/open ";
  if (command_line.size() < kPrefix.size()) return std::nullopt;
  for (std::size_t i = 0; i < kPrefix.size(); ++i) {
    char c = command_line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kPrefix[i]) return std::nullopt;
  }
  return std::string(command_line.substr(kPrefix.size()));
}

FileAtStart FileToOpenAtStart(const std::vector<std::string>& args) {
  if (args.empty()) return {};
  if (std::optional<std::string> path = PathToOpen(JoinArguments(args))) return {std::move(path)};
  return {args.front(), args.size() - 1};
}

}  // namespace pelorin
