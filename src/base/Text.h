// Texts shared across the program: its title, the title of error boxes, and one walk through
// UTF-8 that every piece of text handling builds on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelorin {

inline constexpr std::string_view kProgramTitle = "Pelorin";
// Title of every error box: "Pelorin - 错误".
std::string ErrorTitle();

// One step through a UTF-8 string: a code point, or a single byte that does not start a valid
// sequence (`raw`). Overlong forms, surrogates and values past U+10FFFF count as raw bytes, so two
// different byte strings never decode to the same units.
struct Utf8Unit {
  char32_t value;
  bool raw;
  std::size_t length;
};
// The unit starting at byte `pos` (pos < s.size()).
Utf8Unit DecodeUtf8(std::string_view s, std::size_t pos);

bool IsValidUtf8(std::string_view text);

// Appends code point `c` (at most U+10FFFF, not a surrogate) to `text` in UTF-8.
void AppendUtf8(std::string& text, char32_t c);

// Drops a UTF-8 sequence that a length limit cut in half at the end of `text`, so the text stays
// valid.
void DropCutCharacter(std::string& text);

}  // namespace pelorin
