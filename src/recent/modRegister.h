// The settings-store procedures the recent-file list uses. The store is the per-user one of the
// platform (organisation "Tamsery", application "Pelorin"); a "group" is the key below it and a
// "name" one string value in that key.
//
// None of them reports a failure: a value that cannot be read reads as empty text, and a write
// that fails is lost. The callers treat the store as a best-effort memory, never as a source of
// errors.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace pelorin::modRegister {

// The value `name` in `group`, up to its first zero character; empty text when the group or the
// value is missing or cannot be read.
std::string GetString(Platform& platform, const std::string& group, const std::string& name);

// Stores `text` as the value `name` in `group`, creating the group when needed.
void SetString(Platform& platform, const std::string& group, const std::string& name,
               const std::string& text);

// Removes the value `name` from `group`; a value that is not there is no error.
void DeleteValue(Platform& platform, const std::string& group, const std::string& name);

}  // namespace pelorin::modRegister
