// Fuzz target of the PE reader: any bytes as a program or library, every group it counts read
// and decoded as the icon browser would.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "extract/IconReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const pelorin::PeIconReader reader(std::span<const std::uint8_t>(data, size));
  // A damaged directory may claim thousands of groups; the first ones show every path.
  const int count = std::min(reader.Count(), 64);
  for (int i = 0; i < count; ++i)
    if (const auto group = reader.Group(i)) pelorin::DecodeIconGroup(*group, 32);
  (void)reader.Group(reader.Count());
  return 0;
}
