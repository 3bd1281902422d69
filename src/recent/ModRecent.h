// The recent-file list of the File menu: the four icon files most recently opened or saved,
// newest first. The list lives in the menu model while the program runs; it is read from the
// settings store when the main window loads and written back when it unloads.
//
// The store keeps it in the group "Rfl", values "1." to "4." (the entry number and a full stop),
// "1." the newest; a missing value is a missing entry.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace pelorin {

class ModRecent {
 public:
  // The group of the settings store that holds the list.
  static constexpr const char* kGroup = "Rfl";
  static constexpr int kMaxPaths = 4;

  // One item of the menu's recent-file array. The caption of a shown path entry is the file's
  // full path exactly as stored: no number, no access key.
  struct Entry {
    std::string caption;
    bool visible = false;
  };

  explicit ModRecent(Platform& platform) : platform_(platform) {}

  // The five items of the File menu's recent-file array: item 0 is the separator line, 1 to 4
  // the paths. Always true: the shown path entries are 1 to n with no gap (n from 0 to 4), hidden
  // entries have empty captions, and item 0 is shown exactly when n is at least 1.
  const std::array<Entry, kMaxPaths + 1>& Entries() const { return entries_; }
  // n: how many paths are listed.
  int Count() const;

  // Replaces the list with the one in the store. Values that are missing, or hold nothing but
  // white space, are skipped and the list closes up over them; a kept value is shown as read.
  void LoadList();

  // Puts `path` at the top after a successful open or save. A path already listed moves to the top;
  // when it is already on top nothing changes. Paths are compared byte for byte: file names on
  // Linux differ by letter case, so Case.ico and case.ico are two files and two entries. A new path
  // pushes the others down and, with four listed, the oldest falls off. An empty path is ignored.
  void AddPath(const std::string& path);

  // Writes the list to the store: each of "1." to "4." is deleted, then set again when its entry
  // has a caption, so hidden entries leave no value behind.
  void SaveList();

  // The path of entry `index` (1 to 4) when it names an existing ordinary file (a directory does
  // not count; a symbolic link counts by what it points to). Otherwise the user is told
  // "找不到 <path>" (exclamation icon, OK, titled "Pelorin - 错误"), the entry is removed (the
  // entries below it move up) and the answer is empty text. An index outside 1 to 4, or of an
  // entry that is not shown, answers empty text and changes nothing. A failing file test or
  // message box is passed over and the steps after it still run.
  std::string TakeEntry(int index);

 private:
  // The caption of each of entries 2 to `top` moves one down (the one at `top` is overwritten);
  // entry 1 then takes `path`.
  void PushDownTo(int top, const std::string& path);

  Platform& platform_;
  std::array<Entry, kMaxPaths + 1> entries_{};
};

}  // namespace pelorin
