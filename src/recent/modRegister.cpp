#include "recent/modRegister.h"

#include <optional>

namespace pelorin::modRegister {

// The platform promises silent failures; the catch-alls make sure a store that throws anyway
// (a broken settings file, memory running out) still never reaches the menu handlers.

std::string GetString(Platform& platform, const std::string& group, const std::string& name) {
  try {
    const std::optional<std::string> value = platform.GetSetting(group, name);
    if (!value) return std::string();
    // A stored string ends at its first zero character, whatever the store kept after it.
    return value->substr(0, value->find('\0'));
  } catch (...) {
    return std::string();
  }
}

void SetString(Platform& platform, const std::string& group, const std::string& name,
               const std::string& text) {
  try {
    platform.SetSetting(group, name, text);
  } catch (...) {
  }
}

void DeleteValue(Platform& platform, const std::string& group, const std::string& name) {
  try {
    platform.DeleteSetting(group, name);
  } catch (...) {
  }
}

}  // namespace pelorin::modRegister
