// Fuzz target of the animated-cursor reader: any bytes as an animated cursor, every step drawn
// as the icon browser draws the frames, and one step past the last.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "extract/IconReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const pelorin::IconFileReader reader(std::span<const std::uint8_t>(data, size));
  const int steps = std::min(reader.StepCount(), 64);
  for (int step = 0; step <= steps; ++step) (void)reader.Draw(0, step, 32);
  const pelorin::AniReader ani(std::span<const std::uint8_t>(data, size));
  for (int step = 0; step < std::min(ani.StepCount(), 1024); ++step) {
    const auto frame = ani.FrameOfStep(step);
    if (!frame || *frame < 0 || *frame >= ani.FrameCount()) __builtin_trap();
  }
  return 0;
}
