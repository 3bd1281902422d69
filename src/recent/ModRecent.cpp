#include "recent/ModRecent.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "base/Text.h"
#include "recent/modRegister.h"

namespace pelorin {
namespace {

// An existing ordinary file, following symbolic links. Whatever goes wrong while asking (no
// permission, a name the system cannot take) means the file is not there.
bool IsOrdinaryFile(const std::string& path) noexcept {
  try {
    // A zero byte would end the name the system sees early and test some other file.
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
  } catch (...) {
    return false;
  }
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  });
}

std::string ValueName(int k) { return std::to_string(k) + "."; }

}  // namespace

int ModRecent::Count() const {
  return static_cast<int>(std::count_if(entries_.begin() + 1, entries_.end(),
                                        [](const Entry& e) { return e.visible; }));
}

void ModRecent::LoadList() {
  // Start from an empty list so that loading again cannot leave entries of the old list behind.
  entries_ = {};
  int n = 0;
  for (int k = 1; k <= kMaxPaths; ++k) {
    std::string value = modRegister::GetString(platform_, kGroup, ValueName(k));
    if (IsBlank(value)) continue;
    ++n;
    entries_[0].visible = true;
    entries_[n] = {std::move(value), true};
  }
}

void ModRecent::AddPath(const std::string& path) {
  // An empty path would match the empty caption of a hidden entry and show a blank one.
  if (path.empty()) return;
  entries_[0].visible = true;
  for (int i = 1; i <= kMaxPaths; ++i) {
    if (!entries_[i].visible || entries_[i].caption != path) continue;
    // Already listed: only its place changes (none when on top).
    PushDownTo(i, path);
    return;
  }
  for (int b = 1; b <= kMaxPaths; ++b) {
    if (entries_[b].visible) continue;
    entries_[b].visible = true;
    PushDownTo(b, path);
    return;
  }
  PushDownTo(kMaxPaths, path);  // the oldest path falls off
}

void ModRecent::PushDownTo(int top, const std::string& path) {
  // `path` may be a caption of the list itself; keep a copy before the captions move.
  std::string first = path;
  for (int j = top; j >= 2; --j) entries_[j].caption = entries_[j - 1].caption;
  entries_[1].caption = std::move(first);
}

void ModRecent::SaveList() {
  for (int k = 1; k <= kMaxPaths; ++k) {
    const std::string name = ValueName(k);
    modRegister::DeleteValue(platform_, kGroup, name);
    if (!entries_[k].caption.empty()) {
      modRegister::SetString(platform_, kGroup, name, entries_[k].caption);
    }
  }
}

std::string ModRecent::TakeEntry(int index) {
  // A hidden entry has no path; treating it as a missing file would hide a listed one instead.
  if (index < 1 || index > kMaxPaths || !entries_[index].visible) return std::string();
  const std::string path = entries_[index].caption;
  if (IsOrdinaryFile(path)) return path;

  // The message is only a notice: if showing it fails, the entry is still removed.
  try {
    platform_.MsgBox("找不到 " + path, MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
  } catch (...) {
  }

  entries_[index].caption.clear();
  const int n = Count();  // the emptied entry is still shown and still counts
  if (n < 2) {
    entries_[0].visible = false;
    entries_[1].visible = false;
    return std::string();
  }
  // The gap travels to the end of the list, which then loses its last entry.
  for (int k = 1; k < n; ++k) {
    if (entries_[k].caption.empty()) {
      entries_[k].caption = std::move(entries_[k + 1].caption);
      entries_[k + 1].caption.clear();
    }
  }
  entries_[n].visible = false;
  return std::string();
}

}  // namespace pelorin
