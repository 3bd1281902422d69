#include "extract/IconReaders.h"

#include <algorithm>

#include "base/Text.h"
#include "files/ByteReader.h"

namespace pelorin {
namespace {

constexpr std::uint16_t kMz = 0x5A4D;           // "MZ"
constexpr std::uint32_t kPeSignature = 0x4550;  // "PE\0\0"
constexpr std::uint16_t kNeSignature = 0x454E;  // "NE"
constexpr std::uint64_t kNewHeaderOffset = 0x3C;

constexpr std::uint32_t kRiff = 0x46464952;  // "RIFF"
constexpr std::uint32_t kAcon = 0x4E4F4341;  // "ACON"
constexpr std::uint32_t kList = 0x5453494C;  // "LIST"
constexpr std::uint32_t kFram = 0x6D617266;  // "fram"
constexpr std::uint32_t kIcon = 0x6E6F6369;  // "icon"
constexpr std::uint32_t kAnih = 0x68696E61;  // "anih"
constexpr std::uint32_t kSeq = 0x20716573;   // "seq "
constexpr std::uint64_t kAnihBytes = 36;

constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint16_t kNeRtIcon = 0x8003;
constexpr std::uint16_t kNeRtGroupIcon = 0x800E;

// A resource directory entry's second word: the high bit marks a subdirectory.
constexpr std::uint32_t kSubdirectory = 0x80000000;
constexpr std::uint64_t kDirectoryHeader = 16;
constexpr std::uint64_t kDirectoryEntry = 8;

constexpr std::uint64_t kGroupHeader = 6;
constexpr std::uint64_t kGroupEntry = 14;

// Far more type blocks than any 16-bit file has, and far more chunks than any animated cursor:
// a file that claims more is walked no further.
constexpr int kMaxNeTypeBlocks = 4096;
constexpr int kMaxChunks = 1 << 16;

// A group-icon resource: the 6-byte header of an icon file and 14-byte entries, which end with
// the 16-bit id of the icon resource holding the image instead of a file offset. `icon_data`
// finds an icon resource's data by that id.
template <typename IconData>
std::optional<IconGroup> ReadGroup(std::span<const std::uint8_t> data, const IconData& icon_data) {
  ByteReader in(data);
  const std::uint16_t reserved = in.U16(0);
  const std::uint16_t type = in.U16(2);  // 1: icons
  const std::uint16_t count = in.U16(4);
  if (!in.ok() || reserved != 0 || type != 1 || count == 0 ||
      !in.Contains(kGroupHeader, count * kGroupEntry))
    return std::nullopt;
  IconGroup group;
  group.entries.resize(count);
  group.images.resize(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t at = kGroupHeader + i * kGroupEntry;
    DirectoryEntry& e = group.entries[i];
    e.width = in.U8(at) == 0 ? 256 : in.U8(at);
    e.height = in.U8(at + 1) == 0 ? 256 : in.U8(at + 1);
    e.colour_count = in.U8(at + 2);
    e.planes = in.U16(at + 4);
    e.bit_count = in.U16(at + 6);
    e.bytes = in.U32(at + 8);
    group.images[i] = icon_data(in.U16(at + 12));
  }
  return group;
}

// The bytes from `offset`, `length` long or up to the end of the file, whichever comes first
// (images are checked for completeness by the decoder). Empty when the offset is outside.
std::span<const std::uint8_t> CutAtEnd(std::span<const std::uint8_t> file, std::uint64_t offset,
                                       std::uint64_t length) {
  if (offset >= file.size()) return {};
  return file.subspan(
      static_cast<std::size_t>(offset),
      static_cast<std::size_t>(std::min<std::uint64_t>(length, file.size() - offset)));
}

// Sorts (id, where) pairs by id, the first of equal ids first, for look-ups with FindFirst.
template <typename Where>
void SortIndex(std::vector<std::pair<std::uint16_t, Where>>& index) {
  std::stable_sort(index.begin(), index.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

template <typename Where>
std::optional<Where> FindFirst(const std::vector<std::pair<std::uint16_t, Where>>& index,
                               std::uint16_t id) {
  const auto it =
      std::lower_bound(index.begin(), index.end(), id,
                       [](const auto& entry, std::uint16_t v) { return entry.first < v; });
  if (it == index.end() || it->first != id) return std::nullopt;
  return it->second;
}

}  // namespace

IconFileKind DetectIconFileKind(std::span<const std::uint8_t> file) {
  ByteReader in(file);
  if (in.U16(0) == kMz) {
    const std::uint32_t header = in.U32(kNewHeaderOffset);
    if (in.U32(header) == kPeSignature && in.ok()) return IconFileKind::kPortableExecutable;
    if (in.U16(header) == kNeSignature && in.ok()) return IconFileKind::kNewExecutable;
    return IconFileKind::kNone;
  }
  if (in.U32(0) == kRiff && in.U32(8) == kAcon && in.ok()) return IconFileKind::kAnimatedCursor;
  if (ReadIconDirectory(file)) return IconFileKind::kIconFile;
  return IconFileKind::kNone;
}

std::optional<IconGroup> ReadIconFileGroup(std::span<const std::uint8_t> file) {
  const auto entries = ReadIconDirectory(file);
  if (!entries) return std::nullopt;
  IconGroup group{*entries, {}};
  for (const DirectoryEntry& e : *entries) group.images.push_back(EntryImageData(file, e));
  return group;
}

std::optional<IconPicture> DecodeIconGroup(const IconGroup& group, int screen_bits) {
  const auto chosen = ChooseIconImage(group.entries, group.images, screen_bits);
  if (!chosen) return std::nullopt;
  return DecodeIconImage(group.images[*chosen]);
}

// --- PE ------------------------------------------------------------------------------------

PeResourceTree::PeResourceTree(std::span<const std::uint8_t> file) : file_(file) {
  ByteReader in(file);
  if (in.U16(0) != kMz) return;
  const std::uint64_t pe = in.U32(kNewHeaderOffset);
  if (in.U32(pe) != kPeSignature || !in.ok()) return;
  const std::uint64_t coff = pe + 4;
  const std::uint16_t section_count = in.U16(coff + 2);   // NumberOfSections
  const std::uint16_t optional_size = in.U16(coff + 16);  // SizeOfOptionalHeader
  const std::uint64_t optional = coff + 20;
  const std::uint16_t magic = in.U16(optional);
  std::uint64_t directories = 0;  // the data directories within the optional header
  std::uint64_t directory_count_at = 0;
  if (magic == 0x10B) {  // PE32
    directories = 96;
    directory_count_at = 92;
  } else if (magic == 0x20B) {  // PE32+
    directories = 112;
    directory_count_at = 108;
  } else {
    return;
  }
  // Entry 2 of the data directories is the resource table.
  const std::uint32_t directory_count = in.U32(optional + directory_count_at);
  if (!in.ok() || directory_count < 3 || directories + 3 * 8 > optional_size) return;
  const std::uint32_t resource_address = in.U32(optional + directories + 16);
  if (!in.ok() || resource_address == 0) return;

  // From here on the file says it has resources: failing to find them is damage.
  damaged_ = true;
  const std::uint64_t table = optional + optional_size;
  if (!in.Contains(table, section_count * std::uint64_t{40})) return;
  sections_.reserve(section_count);
  for (std::uint64_t i = 0; i < section_count; ++i) {
    const std::uint64_t at = table + 40 * i;
    const std::uint32_t virtual_size = in.U32(at + 8);
    sections_.push_back(
        {in.U32(at + 12), std::max(virtual_size, in.U32(at + 16)), in.U32(at + 20)});
  }
  const auto root = FileOffset(resource_address);
  if (!root || *root >= file.size()) return;
  resources_ = file.subspan(static_cast<std::size_t>(*root));
  root_ = ReadDirectory(0);
  damaged_ = !root_;
}

std::optional<std::uint64_t> PeResourceTree::FileOffset(std::uint32_t address) const {
  for (const Section& s : sections_) {
    if (address >= s.address && address - s.address < s.extent)
      return std::uint64_t{address} - s.address + s.file_offset;
  }
  return std::nullopt;
}

std::optional<PeResourceTree::Directory> PeResourceTree::ReadDirectory(std::uint64_t offset) const {
  ByteReader res(resources_);
  const std::uint64_t entries = std::uint64_t{res.U16(offset + 12)} + res.U16(offset + 14);
  if (!res.ok() || !res.Contains(offset + kDirectoryHeader, entries * kDirectoryEntry))
    return std::nullopt;
  return Directory{offset, static_cast<std::uint32_t>(entries)};
}

PeResourceTree::Entry PeResourceTree::EntryAt(const Directory& directory, std::uint32_t i) const {
  ByteReader res(resources_);
  const std::uint64_t at = directory.offset + kDirectoryHeader + i * kDirectoryEntry;
  return {res.U32(at), res.U32(at + 4)};
}

std::optional<PeResourceTree::Directory> PeResourceTree::TypeDirectory(std::uint32_t type) const {
  if (!root_) return std::nullopt;
  const std::uint64_t on_path[] = {0};
  for (std::uint32_t i = 0; i < root_->entries; ++i) {
    const Entry entry = EntryAt(*root_, i);
    // The first directory of the type that can be read.
    if (entry.name != type) continue;
    if (auto directory = Subdirectory(entry, on_path)) return directory;
  }
  return std::nullopt;
}

std::optional<PeResourceTree::Directory> PeResourceTree::Subdirectory(
    const Entry& entry, std::span<const std::uint64_t> on_path) const {
  const std::uint64_t offset = entry.value & ~kSubdirectory;
  if ((entry.value & kSubdirectory) == 0 ||
      std::find(on_path.begin(), on_path.end(), offset) != on_path.end())
    return std::nullopt;
  return ReadDirectory(offset);
}

std::optional<PeResourceTree::Data> PeResourceTree::LeafData(const Entry& entry) const {
  // A data entry: RVA, size, code page, reserved.
  if ((entry.value & kSubdirectory) != 0) return std::nullopt;
  ByteReader res(resources_);
  const std::uint32_t address = res.U32(entry.value);
  const std::uint32_t size = res.U32(entry.value + 4);
  if (!res.ok()) return std::nullopt;
  const auto offset = FileOffset(address);
  if (!offset) return std::nullopt;
  const auto bytes = CutAtEnd(file_, *offset, size);
  return Data{bytes, bytes.size() < size};
}

std::optional<PeResourceTree::Data> PeResourceTree::FirstLanguageData(const Directory& type,
                                                                      std::uint32_t i) const {
  const std::uint64_t on_path[] = {0, type.offset};
  const auto languages = Subdirectory(EntryAt(type, i), on_path);
  if (!languages || languages->entries == 0) return std::nullopt;
  return LeafData(EntryAt(*languages, 0));
}

std::optional<std::string> PeResourceTree::NameText(const Entry& entry) const {
  if ((entry.name & kSubdirectory) == 0) return std::nullopt;
  ByteReader res(resources_);
  const std::uint64_t at = entry.name & ~kSubdirectory;
  const std::uint16_t length = res.U16(at);
  if (!res.ok() || !res.Contains(at + 2, length * std::uint64_t{2})) return std::nullopt;
  std::string text;
  for (std::uint64_t k = 0; k < length; ++k) {
    char32_t c = res.U16(at + 2 + 2 * k);
    if (c >= 0xD800 && c < 0xDC00 && k + 1 < length) {
      const char32_t low = res.U16(at + 4 + 2 * k);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++k;
      }
    }
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;  // half of a pair, alone
    AppendUtf8(text, c);
  }
  return text;
}

PeIconReader::PeIconReader(std::span<const std::uint8_t> file)
    : tree_(file),
      groups_(tree_.TypeDirectory(kRtGroupIcon)),
      icons_(tree_.TypeDirectory(kRtIcon)) {}

std::span<const std::uint8_t> PeIconReader::IconData(std::uint16_t id) const {
  if (!icons_) return {};
  if (!icon_index_) {
    std::vector<std::pair<std::uint16_t, std::uint32_t>> index;
    index.reserve(icons_->entries);
    for (std::uint32_t i = 0; i < icons_->entries; ++i) {
      const std::uint32_t name = tree_.EntryAt(*icons_, i).name;
      // Named entries (high bit) and ids that no group entry can hold are never looked up.
      if (name <= 0xFFFF) index.emplace_back(static_cast<std::uint16_t>(name), i);
    }
    SortIndex(index);
    icon_index_ = std::move(index);
  }
  const auto entry = FindFirst(*icon_index_, id);
  if (!entry) return {};
  const auto data = tree_.FirstLanguageData(*icons_, *entry);
  return data ? data->bytes : std::span<const std::uint8_t>();
}

std::optional<IconGroup> PeIconReader::Group(int index) const {
  if (index < 0 || index >= Count()) return std::nullopt;
  const auto data = tree_.FirstLanguageData(*groups_, static_cast<std::uint32_t>(index));
  return ReadGroup(data ? data->bytes : std::span<const std::uint8_t>(),
                   [this](std::uint16_t id) { return IconData(id); });
}

// --- NE ------------------------------------------------------------------------------------

NeResourceTable::NeResourceTable(std::span<const std::uint8_t> file) : file_(file) {
  ByteReader in(file);
  if (in.U16(0) != kMz) return;
  const std::uint64_t ne = in.U32(kNewHeaderOffset);
  if (in.U16(ne) != kNeSignature || !in.ok()) return;
  const std::uint16_t table_offset = in.U16(ne + 0x24);    // resource table
  const std::uint16_t resident_names = in.U16(ne + 0x26);  // the table after it
  if (!in.ok()) return;
  if (table_offset == resident_names) {  // no resources
    ok_ = true;
    return;
  }
  table_ = ne + table_offset;
  const std::uint16_t shift = in.U16(table_);  // rscAlignShift
  if (!in.ok() || shift > 24) return;
  shift_ = shift;

  // TYPEINFO blocks: type id, count, 4 reserved bytes, then count 12-byte NAMEINFO records; a
  // type id of 0 ends the list.
  std::uint64_t at = table_ + 2;
  for (int block = 0;; ++block) {
    const std::uint16_t type = in.U16(at);
    if (!in.ok() || block == kMaxNeTypeBlocks) {
      blocks_.clear();
      return;
    }
    if (type == 0) break;
    const std::uint16_t n = in.U16(at + 2);
    const std::uint64_t names = at + 8;
    if (!in.Contains(names, n * std::uint64_t{12})) {
      blocks_.clear();
      return;
    }
    blocks_.push_back({type, names, n});
    at = names + n * std::uint64_t{12};
  }
  ok_ = true;
}

std::span<const std::uint8_t> NeResourceTable::ResourceData(std::uint64_t name_info) const {
  ByteReader in(file_);
  const std::uint64_t offset = std::uint64_t{in.U16(name_info)} << shift_;
  const std::uint64_t length = std::uint64_t{in.U16(name_info + 2)} << shift_;
  if (!in.ok()) return {};
  return CutAtEnd(file_, offset, length);
}

std::uint16_t NeResourceTable::Id(std::uint64_t name_info) const {
  return ByteReader(file_).U16(name_info + 6);
}

std::optional<std::string> NeResourceTable::NameText(std::uint64_t name_info) const {
  const std::uint16_t id = Id(name_info);
  if ((id & 0x8000) != 0) return std::nullopt;
  ByteReader in(file_);
  const std::uint8_t length = in.U8(table_ + id);
  if (!in.ok() || !in.Contains(table_ + id + 1, length)) return std::nullopt;
  const auto text = file_.subspan(static_cast<std::size_t>(table_ + id + 1), length);
  return std::string(text.begin(), text.end());
}

NeIconReader::NeIconReader(std::span<const std::uint8_t> file) : table_(file) {
  std::int64_t count = 0;
  for (const NeResourceTable::Block& b : table_.blocks()) {
    if (b.type == kNeRtGroupIcon) {
      groups_.push_back(b);
      count += b.count;
    }
    if (b.type == kNeRtIcon) icons_.push_back(b);
  }
  count_ = static_cast<int>(std::min<std::int64_t>(count, 0x7FFFFFFF));
  if (count_ == 0) groups_.clear();
}

std::span<const std::uint8_t> NeIconReader::IconData(std::uint16_t id) const {
  if (!icon_index_) {
    std::vector<std::pair<std::uint16_t, std::uint64_t>> index;
    for (const NeResourceTable::Block& b : icons_)
      for (std::uint64_t i = 0; i < b.count; ++i)
        index.emplace_back(table_.Id(b.names + 12 * i), b.names + 12 * i);
    SortIndex(index);
    icon_index_ = std::move(index);
  }
  // A numbered resource's id has the high bit set.
  const auto name_info = FindFirst(*icon_index_, static_cast<std::uint16_t>(id | 0x8000));
  return name_info ? table_.ResourceData(*name_info) : std::span<const std::uint8_t>();
}

std::optional<IconGroup> NeIconReader::Group(int index) const {
  if (index < 0 || index >= count_) return std::nullopt;
  std::uint64_t k = static_cast<std::uint64_t>(index);
  std::uint64_t name_info = 0;
  for (const NeResourceTable::Block& b : groups_) {
    if (k < b.count) {
      name_info = b.names + 12 * k;
      break;
    }
    k -= b.count;
  }
  return ReadGroup(table_.ResourceData(name_info),
                   [this](std::uint16_t id) { return IconData(id); });
}

// --- ANI -----------------------------------------------------------------------------------

AniReader::AniReader(std::span<const std::uint8_t> file) : file_(file) {
  ByteReader in(file);
  if (in.U32(0) != kRiff || in.U32(8) != kAcon || !in.ok()) return;
  // The RIFF size is not to be trusted: writers disagree on whether it counts its own header,
  // and cursors of real skins have 0 there. The chunks run to the file's end.
  const std::uint64_t end = file.size();
  std::uint32_t header_frames = 0;
  std::uint32_t header_steps = 0;
  std::uint64_t at = 12;
  for (int chunk = 0; chunk < kMaxChunks && at + 8 <= end; ++chunk) {
    const std::uint32_t id = in.U32(at);
    const std::uint32_t size = in.U32(at + 4);
    const std::uint64_t data = at + 8;
    const std::uint64_t length = std::min<std::uint64_t>(size, end - data);
    if (id == kAnih && length >= kAnihBytes && !has_header_) {
      has_header_ = true;
      header_frames = in.U32(data + 4);
      header_steps = in.U32(data + 8);
    } else if (id == kSeq && sequence_.empty()) {
      sequence_ =
          file.subspan(static_cast<std::size_t>(data), static_cast<std::size_t>(length / 4 * 4));
    } else if (id == kList && length >= 4 && in.U32(data) == kFram && frames_.empty()) {
      ReadFrames(data + 4, data + length);
    }
    at = data + size + (size & 1);  // chunks are padded to an even length
  }
  if (header_frames > 0 && frames_.size() > header_frames) frames_.resize(header_frames);
  std::uint64_t steps = sequence_.empty() ? frames_.size() : sequence_.size() / 4;
  if (!sequence_.empty() && header_steps > 0) steps = std::min<std::uint64_t>(steps, header_steps);
  steps_ = static_cast<int>(std::min<std::uint64_t>(steps, 0x7FFFFFFF));
}

void AniReader::ReadFrames(std::uint64_t at, std::uint64_t end) {
  ByteReader in(file_);
  for (int chunk = 0; chunk < kMaxChunks && at + 8 <= end; ++chunk) {
    const std::uint32_t id = in.U32(at);
    const std::uint32_t size = in.U32(at + 4);
    const std::uint64_t data = at + 8;
    if (id == kIcon) frames_.push_back(CutAtEnd(file_.first(end), data, size));
    at = data + size + (size & 1);
  }
}

std::optional<int> AniReader::FrameOfStep(int step) const {
  if (step < 0 || step >= StepCount()) return std::nullopt;
  if (sequence_.empty()) return step;
  ByteReader in(sequence_);
  const std::uint32_t frame = in.U32(static_cast<std::uint64_t>(step) * 4);
  return static_cast<int>(std::min<std::uint64_t>(frame, frames_.size() - 1));
}

// --- Any file ------------------------------------------------------------------------------

IconFileReader::IconFileReader(std::span<const std::uint8_t> file)
    : file_(file), kind_(DetectIconFileKind(file)) {
  switch (kind_) {
    case IconFileKind::kPortableExecutable:
      pe_.emplace(file);
      break;
    case IconFileKind::kNewExecutable:
      ne_.emplace(file);
      break;
    case IconFileKind::kAnimatedCursor:
      ani_.emplace(file);
      break;
    case IconFileKind::kIconFile: {
      // Only the directory and the image headers are read here; the image is decoded when drawn.
      const auto group = ReadIconFileGroup(file);
      usable_icon_file_ = ChooseIconImage(group->entries, group->images, 32).has_value();
      break;
    }
    case IconFileKind::kNone:
      break;
  }
}

int IconFileReader::Count() const {
  switch (kind_) {
    case IconFileKind::kIconFile:
      return usable_icon_file_ ? 1 : 0;
    case IconFileKind::kPortableExecutable:
      return pe_->Count();
    case IconFileKind::kNewExecutable:
      return ne_->Count();
    case IconFileKind::kAnimatedCursor:  // the system counts animated cursors as no icons
    case IconFileKind::kNone:
      break;
  }
  return 0;
}

int IconFileReader::StepCount() const {
  if (ani_) return ani_->StepCount();
  return Count() > 0 ? 1 : 0;
}

std::optional<IconGroup> IconFileReader::Group(int index, int step) const {
  switch (kind_) {
    case IconFileKind::kIconFile:
      if (index != 0) return std::nullopt;
      return ReadIconFileGroup(file_);
    case IconFileKind::kPortableExecutable:
      return pe_->Group(index);
    case IconFileKind::kNewExecutable:
      return ne_->Group(index);
    case IconFileKind::kAnimatedCursor:
      if (index != 0) return std::nullopt;
      if (auto frame = ani_->FrameOfStep(step)) return ReadIconFileGroup(ani_->Frame(*frame));
      return std::nullopt;
    case IconFileKind::kNone:
      break;
  }
  return std::nullopt;
}

std::optional<IconPicture> IconFileReader::Draw(int index, int step, int screen_bits) const {
  const auto group = Group(index, step);
  if (!group) return std::nullopt;
  return DecodeIconGroup(*group, screen_bits);
}

}  // namespace pelorin
