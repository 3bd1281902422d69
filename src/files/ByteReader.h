// Checked reads of little-endian (and the odd big-endian) values from a byte span, for the
// readers of outside files.
//
// Every read names its offset from the start of the span and is checked against the span with
// 64-bit arithmetic. A read outside gives 0 and makes the reader fail for good, so a parser can
// read a whole header field by field and look at ok() once before trusting any of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pelorin {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  // False once any read or slice has fallen outside the span.
  bool ok() const { return ok_; }

  // Whether [offset, offset + length) lies inside the span. Overflow-free for any arguments.
  bool Contains(std::uint64_t offset, std::uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  std::uint8_t U8(std::uint64_t offset) { return Check(offset, 1) ? bytes_[offset] : 0; }
  std::uint16_t U16(std::uint64_t offset) {
    if (!Check(offset, 2)) return 0;
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  std::uint32_t U32(std::uint64_t offset) {
    if (!Check(offset, 4)) return 0;
    return static_cast<std::uint32_t>(bytes_[offset]) |
           static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
  }
  std::int32_t I32(std::uint64_t offset) { return static_cast<std::int32_t>(U32(offset)); }
  // PNG stores its numbers most significant byte first.
  std::uint32_t U32BigEndian(std::uint64_t offset) {
    if (!Check(offset, 4)) return 0;
    return static_cast<std::uint32_t>(bytes_[offset]) << 24 |
           static_cast<std::uint32_t>(bytes_[offset + 1]) << 16 |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 8 |
           static_cast<std::uint32_t>(bytes_[offset + 3]);
  }

 private:
  bool Check(std::uint64_t offset, std::uint64_t length) {
    if (Contains(offset, length)) return true;
    ok_ = false;
    return false;
  }

  std::span<const std::uint8_t> bytes_;
  bool ok_ = true;
};

}  // namespace pelorin
