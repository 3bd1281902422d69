#include "recent/RecentCaption.h"

#include <cstddef>
#include <vector>

#include "base/Text.h"

namespace pelorin {

namespace {

constexpr std::string_view kEllipsis = "…";

int Columns(char32_t c) {
  const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
                    (c >= 0x3041 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                    (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
                    (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
                    (c >= 0x20000 && c <= 0x3FFFD);
  return wide ? 2 : 1;
}

// The longest start of `text` that takes at most `columns` columns, cut between characters.
std::string_view Head(std::string_view text, int columns) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const Utf8Unit unit = DecodeUtf8(text, pos);
    const int width = unit.raw ? 1 : Columns(unit.value);
    if (width > columns) break;
    columns -= width;
    pos += unit.length;
  }
  return text.substr(0, pos);
}

// The longest end of `text` that takes at most `columns` columns, cut between characters.
std::string_view Tail(std::string_view text, int columns) {
  // The starts of the characters, found walking forwards (UTF-8 cannot be walked backwards
  // safely when it holds bytes that start no valid sequence).
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0; pos < text.size(); pos += DecodeUtf8(text, pos).length)
    starts.push_back(pos);
  std::size_t from = text.size();
  for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
    const int width = TextColumns(text.substr(*it, from - *it));
    if (width > columns) break;
    columns -= width;
    from = *it;
  }
  return text.substr(from);
}

}  // namespace

int TextColumns(std::string_view text) {
  int columns = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Unit unit = DecodeUtf8(text, pos);
    columns += unit.raw ? 1 : Columns(unit.value);
    pos += unit.length;
  }
  return columns;
}

std::string RecentCaption(std::string_view path, int max_columns) {
  if (TextColumns(path) <= max_columns) return std::string(path);
  const int ellipsis = TextColumns(kEllipsis);
  const std::size_t last_slash = path.rfind('/');
  // The file name with the slash before it: "/face.ico".
  const std::string_view name =
      last_slash == std::string_view::npos ? path : path.substr(last_slash);
  const int room = max_columns - ellipsis - TextColumns(name);
  if (room < 0 || last_slash == std::string_view::npos) {
    // Not even "…/name" fits: the name keeps its start and its end.
    const std::string_view shown = name.substr(!name.empty() && name.front() == '/' ? 1 : 0);
    const std::string prefix =
        last_slash == std::string_view::npos ? std::string() : std::string(kEllipsis) + "/";
    const int left = max_columns - TextColumns(prefix) - ellipsis;
    const std::string_view head = Head(shown, left - left / 2);
    const std::string_view tail = Tail(shown, left - TextColumns(head));
    return prefix + std::string(head) + std::string(kEllipsis) + std::string(tail);
  }
  // The folders: "/home", "/ann", ... (the first one may lack its slash: "~", "C:").
  const std::string_view folder = path.substr(0, last_slash);
  std::vector<std::string_view> parts;
  for (std::size_t start = 0; start < folder.size();) {
    const std::size_t next = folder.find('/', start + 1);
    const std::size_t end = next == std::string_view::npos ? folder.size() : next;
    parts.push_back(folder.substr(start, end - start));
    start = end;
  }
  std::size_t front = 0;
  std::size_t back = parts.size();
  int left = room;
  for (bool grew = true; grew && front < back;) {
    grew = false;
    // The first folder kept at the start brings the slash after it ("/home/…").
    const int front_cost = TextColumns(parts[front]) + (front == 0 ? 1 : 0);
    if (front_cost <= left) {
      left -= front_cost;
      ++front;
      grew = true;
    }
    if (front < back && TextColumns(parts[back - 1]) <= left) {
      left -= TextColumns(parts[--back]);
      grew = true;
    }
  }
  std::string caption;
  for (std::size_t i = 0; i < front; ++i) caption += parts[i];
  // "…" stands for the folders left out, between slashes of its own.
  caption += front > 0 ? "/" : "";
  caption += kEllipsis;
  for (std::size_t i = back; i < parts.size(); ++i) caption += parts[i];
  caption += name;
  return caption;
}

}  // namespace pelorin
