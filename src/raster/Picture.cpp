#include "raster/Picture.h"

#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace pelorin {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool ParseInt(std::string_view s, int& out) {
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && ptr == s.data() + s.size();
}

}  // namespace

std::optional<Picture> ParsePicture(std::string_view text) {
  constexpr Colour kUnset = kInvalidColour;
  constexpr Colour kTransparent = 0xFE000000;  // marker, never a stored colour
  std::array<Colour, 256> keys;
  keys.fill(kUnset);
  int width = -1;
  int height = -1;
  bool in_rows = false;
  Picture pic;
  int row = 0;
  for (std::string_view line : SplitLines(text)) {
    if (!in_rows) {
      if (line.empty() || line[0] == '#') continue;
      if (line.starts_with("size ")) {
        const std::string_view rest = line.substr(5);
        const std::size_t space = rest.find(' ');
        if (space == std::string_view::npos || !ParseInt(rest.substr(0, space), width) ||
            !ParseInt(rest.substr(space + 1), height) || width <= 0 || height <= 0 ||
            width > 4096 || height > 4096)
          return std::nullopt;
      } else if (line.starts_with("hotspot ")) {
        const std::string_view rest = line.substr(8);
        const std::size_t space = rest.find(' ');
        if (space == std::string_view::npos || !ParseInt(rest.substr(0, space), pic.hot_x) ||
            !ParseInt(rest.substr(space + 1), pic.hot_y))
          return std::nullopt;
      } else if (line.starts_with("key ") && line.size() >= 8 && line[5] == ' ') {
        const auto ch = static_cast<unsigned char>(line[4]);
        const std::string_view value = line.substr(6);
        if (value == "transparent") {
          keys[ch] = kTransparent;
        } else {
          unsigned rgb = 0;
          const auto [ptr, ec] =
              std::from_chars(value.data(), value.data() + value.size(), rgb, 16);
          if (ec != std::errc() || ptr != value.data() + value.size() || value.size() != 6)
            return std::nullopt;
          // Written red first; stored with red in the low byte.
          keys[ch] = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
        }
      } else if (line == "rows") {
        if (width <= 0) return std::nullopt;
        in_rows = true;
        if (pic.hot_x < 0 || pic.hot_y < 0 || pic.hot_x >= width || pic.hot_y >= height)
          return std::nullopt;
        pic.image = Raster(width, height, kBlack);
        pic.mask = Raster(width, height, kBlack);
      } else {
        return std::nullopt;
      }
      continue;
    }
    if (row == height) {
      if (line.empty()) continue;
      return std::nullopt;
    }
    if (static_cast<int>(line.size()) != width) return std::nullopt;
    for (int x = 0; x < width; ++x) {
      const Colour c = keys[static_cast<unsigned char>(line[x])];
      if (c == kUnset) return std::nullopt;
      if (c == kTransparent) {
        pic.mask.SetPixel(x, row, kWhite);
      } else {
        pic.image.SetPixel(x, row, c);
      }
    }
    ++row;
  }
  if (!in_rows || row != height) return std::nullopt;
  return pic;
}

Picture LoadPictureResource(std::string_view name) {
  auto pic = ParsePicture(FindResource(name));
  return pic ? std::move(*pic) : Picture{};
}

}  // namespace pelorin
