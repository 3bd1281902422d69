#include "extractor/GroupFile.h"

#include <zlib.h>

#include <algorithm>

#include "extract/PngReader.h"
#include "files/ByteReader.h"

namespace pelorin {
namespace {

constexpr std::uint64_t kHeader = 6;
constexpr std::uint64_t kGroupEntry = 14;
constexpr std::uint64_t kFileEntry = 16;
constexpr std::uint32_t kIend = 0x49454E44;
constexpr std::uint64_t kHotSpot = 4;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string Numbered(const char* what, std::size_t i) {
  return "第 " + std::to_string(i + 1) + " 个图像" + what;
}

// What the image's header says; `data` holds a whole image (WholeImageLength).
ImageSummary Summarise(std::span<const std::uint8_t> data) {
  const auto facts = InspectIconImage(data);
  ImageSummary summary{facts->width, facts->height, facts->bit_count, facts->png};
  if (facts->png) {
    // IHDR's bit depth and colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
    static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    const int type = data[25];
    summary.bits = data[24] * (type <= 6 ? kChannels[type] : 0);
  }
  return summary;
}

// The entry of a directory as the decoder reads it back.
DirectoryEntry ReadBack(std::span<const std::uint8_t> entry) {
  ByteReader in(entry);
  return {in.U8(0) == 0 ? 256 : in.U8(0),
          in.U8(1) == 0 ? 256 : in.U8(1),
          in.U8(2),
          in.U16(4),
          in.U16(6),
          in.U32(8),
          in.U32(12)};
}

}  // namespace

std::optional<std::uint64_t> WholeImageLength(std::span<const std::uint8_t> data) {
  if (!IsPngStream(data)) {
    const auto facts = InspectIconImage(data);
    if (!facts) return std::nullopt;
    // A 32-bit image may end without its mask.
    return std::min<std::uint64_t>(facts->bytes, data.size());
  }
  if (!InspectIconImage(data)) return std::nullopt;
  ByteReader in(data);
  std::uint64_t at = 8;
  while (true) {
    const std::uint64_t length = in.U32BigEndian(at);
    const std::uint32_t type = in.U32BigEndian(at + 4);
    if (!in.ok() || !in.Contains(at + 8, length + 4)) return std::nullopt;
    const std::uint8_t* typed = data.data() + at + 4;
    const uLong crc = ::crc32_z(::crc32(0, nullptr, 0), typed, 4 + length);
    if (crc != in.U32BigEndian(at + 8 + length)) return std::nullopt;
    at += 12 + length;
    if (type == kIend) return at;
  }
}

std::uint64_t GroupFile::size() const {
  std::uint64_t total = directory.size();
  for (const auto& piece : body) total += piece.size();
  return total;
}

std::vector<std::span<const std::uint8_t>> GroupFile::Pieces() const {
  std::vector<std::span<const std::uint8_t>> pieces;
  if (!directory.empty()) pieces.push_back(directory);
  pieces.insert(pieces.end(), body.begin(), body.end());
  return pieces;
}

BuiltGroup BuildGroupFile(const ResourceGroups& resources, const ResourceGroup& group) {
  if (!group.data) return {std::nullopt, "它的数据不在文件中"};
  if (group.data->cut) return {std::nullopt, "文件在它的数据中间结束"};
  const bool cursor = group.kind == GroupKind::kCursor;
  ByteReader in(group.data->bytes);
  const std::uint16_t count = in.U16(4);
  if (!in.ok() || in.U16(0) != 0 || in.U16(2) != (cursor ? 2 : 1) || count == 0 ||
      !in.Contains(kHeader, count * kGroupEntry))
    return {std::nullopt, "它的目录已损坏"};

  GroupFile file;
  file.kind = group.kind;
  file.directory.assign(group.data->bytes.begin(), group.data->bytes.begin() + kHeader);
  std::uint64_t offset = kHeader + count * kFileEntry;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t at = kHeader + i * kGroupEntry;
    const auto resource = resources.Image(group.kind, in.U16(at + 12), group.language);
    if (!resource) return {std::nullopt, Numbered("不在文件中", i)};
    if (resource->cut) return {std::nullopt, Numbered("被文件的结尾截断", i)};
    std::span<const std::uint8_t> image = resource->bytes;
    ByteReader hot_spot(image);
    if (cursor) image = image.subspan(std::min<std::size_t>(kHotSpot, image.size()));
    const auto length = WholeImageLength(image);
    if (!length || (cursor && !hot_spot.Contains(0, kHotSpot)))
      return {std::nullopt, Numbered("已损坏", i)};
    if (!resource->exact) image = image.first(static_cast<std::size_t>(*length));

    const std::size_t entry = file.directory.size();
    if (cursor) {
      const std::uint16_t bits = in.U16(at + 6);
      file.directory.push_back(static_cast<std::uint8_t>(in.U16(at)));
      file.directory.push_back(static_cast<std::uint8_t>(in.U16(at + 2) / 2));
      file.directory.push_back(bits == 1 || bits == 2 || bits == 4 ? 1 << bits : 0);
      file.directory.push_back(0);
      Put16(file.directory, hot_spot.U16(0));
      Put16(file.directory, hot_spot.U16(2));
    } else {
      const auto first = group.data->bytes.begin() + static_cast<std::ptrdiff_t>(at);
      file.directory.insert(file.directory.end(), first, first + 8);
    }
    Put32(file.directory, static_cast<std::uint32_t>(image.size()));
    Put32(file.directory, static_cast<std::uint32_t>(offset));
    offset += image.size();
    if (offset > kLargestGroupFile) return {std::nullopt, "写成的文件会超过 256 MiB"};
    file.body.push_back(image);
    file.group.entries.push_back(ReadBack(std::span(file.directory).subspan(entry)));
    file.group.images.push_back(image);
    file.summaries.push_back(Summarise(image));
  }
  return {std::move(file), {}};
}

BuiltGroup CheckIconFile(std::span<const std::uint8_t> bytes) {
  auto group = ReadIconFileGroup(bytes);
  if (!group) return {std::nullopt, "它的目录已损坏"};
  if (bytes.size() > kLargestGroupFile) return {std::nullopt, "它超过 256 MiB"};
  GroupFile file;
  file.kind = ByteReader(bytes).U16(2) == 2 ? GroupKind::kCursor : GroupKind::kIcon;
  for (std::size_t i = 0; i < group->images.size(); ++i) {
    const auto length = WholeImageLength(group->images[i]);
    if (!length) return {std::nullopt, Numbered("已损坏", i)};
    group->images[i] = group->images[i].first(static_cast<std::size_t>(*length));
    file.summaries.push_back(Summarise(group->images[i]));
  }
  file.body.push_back(bytes);
  file.group = std::move(*group);
  return {std::move(file), {}};
}

}  // namespace pelorin
