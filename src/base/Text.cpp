#include "base/Text.h"

namespace pelorin {

std::string ErrorTitle() { return std::string(kProgramTitle) + " - 错误"; }

Utf8Unit DecodeUtf8(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return {lead, false, 1};
  std::size_t length = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    least = 0x10000;
  } else {
    return {lead, true, 1};
  }
  if (s.size() - pos < length) return {lead, true, 1};
  char32_t cp = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(s[pos + k]);
    if ((next & 0xC0) != 0x80) return {lead, true, 1};
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {lead, true, 1};
  return {cp, false, length};
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Unit unit = DecodeUtf8(text, i);
    if (unit.raw) return false;
    i += unit.length;
  }
  return true;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
    return;
  }
  const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  text += static_cast<char>(kLead[length] | c >> (6 * (length - 1)));
  for (int k = length - 2; k >= 0; --k) text += static_cast<char>(0x80 | (c >> (6 * k) & 0x3F));
}

void DropCutCharacter(std::string& text) {
  // A cut sequence keeps at most three bytes: its lead byte and up to two continuation bytes.
  std::size_t lead = text.size();
  while (lead > 0 && text.size() - lead < 3 &&
         (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
    --lead;
  }
  if (lead == 0) return;
  --lead;
  if (static_cast<unsigned char>(text[lead]) < 0xC0) return;
  // A lead byte whose sequence does not decode as a whole was cut.
  if (DecodeUtf8(text, lead).raw) text.resize(lead);
}

}  // namespace pelorin
