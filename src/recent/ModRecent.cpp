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

// The lower-case form of a letter of the scripts a path here is likely to use; any other code
// point is its own.
char32_t Fold(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') return cp + 0x20;
  if (cp < 0xC0) return cp;
  if (cp <= 0xDE) return cp == 0xD7 ? cp : cp + 0x20;  // U+00D7 is the multiplication sign
  if (cp == 0x178) return 0xFF;                        // Ÿ
  // Latin Extended-A pairs: upper case on the even code point, except in two runs where it is on
  // the odd one. U+0130, U+0131, U+0138, U+0149 and U+017F have no simple pair and stay.
  if ((cp >= 0x100 && cp <= 0x12F) || (cp >= 0x132 && cp <= 0x137) ||
      (cp >= 0x14A && cp <= 0x177)) {
    return cp | 1;
  }
  if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) {
    return cp % 2 == 1 ? cp + 1 : cp;
  }
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 0x20;  // Greek
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;                 // Cyrillic Ѐ to Џ
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;                 // Cyrillic А to Я
  if (cp >= 0xFF21 && cp <= 0xFF3A) return cp + 0x20;               // full-width Ａ to Ｚ
  return cp;
}

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

bool SamePathIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const Utf8Unit x = DecodeUtf8(a, i);
    const Utf8Unit y = DecodeUtf8(b, j);
    if (x.raw != y.raw) return false;
    if (x.raw ? x.value != y.value : Fold(x.value) != Fold(y.value)) return false;
    i += x.length;
    j += y.length;
  }
  return i == a.size() && j == b.size();
}

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
    if (!entries_[i].visible || !SamePathIgnoringCase(entries_[i].caption, path)) continue;
    // Already listed: the listed spelling is kept, only its place changes (none when on top).
    PushDownTo(i, entries_[i].caption);
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
