// How a recent file's path is shown in the File menu. A menu is as wide as its longest item, so a
// deep path would make it wider than the window (900 pixels for 130 characters); the middle of a
// long path gives way to "…" instead, whole folder names at a time, so that the path's start and
// its file name stay readable. The list keeps the whole path: choosing the item opens it.
#pragma once

#include <string>
#include <string_view>

namespace pelorin {

// The most columns a recent file's caption takes: a character of the wide East Asian scripts
// (Chinese, Japanese, Korean, full-width forms) takes two, any other one.
inline constexpr int kRecentCaptionColumns = 60;

// The columns `text` takes (a byte that does not start a valid UTF-8 sequence takes one).
int TextColumns(std::string_view text);

// `path` itself when it takes at most `max_columns` columns. Otherwise the folders in its middle
// are replaced by "…": it keeps as many whole folders from the start and from the end as fit,
// one from each end in turn, and always the file name ("/home/ann/…/icons/face.ico", or
// "…/face.ico" when no folder fits). A file name too long even for that keeps its start and its
// end ("…/long…name.ico"). The caption never cuts a character in two and, for `max_columns` of
// at least 8, never takes more than `max_columns` columns.
std::string RecentCaption(std::string_view path, int max_columns = kRecentCaptionColumns);

}  // namespace pelorin
