// Fuzz target of the extractor's path: any bytes as a program, library or animated cursor, every
// group (the first ones of a damaged directory that claims thousands) built into the icon or
// cursor file that would be written. A file, once built, must read back as the directory and
// images it was built from: its entries point at its images, each whole, in order, right after
// the directory; and every group name must come out of SafeName as one a folder can hold.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "base/Text.h"
#include "extract/IconReaders.h"
#include "extract/ResourceGroups.h"
#include "extractor/ExtractorCommand.h"
#include "extractor/GroupFile.h"

namespace {

void Check(const pelorin::BuiltGroup& built) {
  if (!built.file) {
    if (built.problem.empty()) std::abort();
    return;
  }
  std::vector<std::uint8_t> bytes;
  for (const auto piece : built.file->Pieces())
    bytes.insert(bytes.end(), piece.begin(), piece.end());
  if (bytes.size() != built.file->size() || bytes.size() > pelorin::kLargestGroupFile) std::abort();
  const auto group = pelorin::ReadIconFileGroup(bytes);
  if (!group || group->images.size() != built.file->group.images.size()) std::abort();
  std::uint64_t at = 6 + 16 * group->entries.size();
  for (std::size_t i = 0; i < group->images.size(); ++i) {
    const auto& entry = group->entries[i];
    const auto image = built.file->group.images[i];
    // A stored file (a frame) keeps its own directory; a built one points at each image in turn.
    if (!built.file->directory.empty() && (entry.offset != at || entry.bytes != image.size()))
      std::abort();
    if (!pelorin::WholeImageLength(group->images[i])) std::abort();
    at += entry.bytes;
  }
}

void CheckName(const std::string& name) {
  const std::string safe = pelorin::SafeName(name);
  if (!pelorin::IsValidUtf8(safe) || safe.find('/') != std::string::npos) std::abort();
  for (const char c : safe)
    if (static_cast<unsigned char>(c) < 0x20) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const pelorin::ResourceGroups resources(file);
  const auto& groups = resources.groups();
  for (std::size_t i = 0; i < std::min<std::size_t>(groups.size(), 64); ++i) {
    CheckName(groups[i].name);
    Check(pelorin::BuildGroupFile(resources, groups[i]));
  }
  const pelorin::AniReader ani(file);
  for (int f = 0; f < std::min(ani.FrameCount(), 64); ++f)
    Check(pelorin::CheckIconFile(ani.Frame(f)));
  Check(pelorin::CheckIconFile(file));
  return 0;
}
