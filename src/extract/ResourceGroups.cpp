#include "extract/ResourceGroups.h"

#include <algorithm>

namespace pelorin {
namespace {

constexpr std::uint32_t kRtCursor = 1;
constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupCursor = 12;
constexpr std::uint32_t kRtGroupIcon = 14;
// NE numbers its types with the high bit set.
constexpr std::uint16_t kNeNumbered = 0x8000;

constexpr std::uint32_t kNamed = 0x80000000;

// The languages looked through for an image in a group's language; real files have a few.
constexpr std::uint32_t kMostLanguagesSearched = 256;

std::optional<GroupKind> GroupType(std::uint32_t type) {
  if (type == kRtGroupIcon) return GroupKind::kIcon;
  if (type == kRtGroupCursor) return GroupKind::kCursor;
  return std::nullopt;
}

}  // namespace

ResourceGroups::ResourceGroups(std::span<const std::uint8_t> file) {
  switch (DetectIconFileKind(file)) {
    case IconFileKind::kPortableExecutable:
      pe_.emplace(file);
      ReadPe();
      break;
    case IconFileKind::kNewExecutable:
      ne_.emplace(file);
      ReadNe();
      break;
    default:
      break;
  }
}

void ResourceGroups::ReadPe() {
  recognised_ = true;
  const auto& root = pe_->root();
  if (!root) {
    complete_ = !pe_->damaged();  // no resources at all, or none that can be read
    return;
  }
  const std::uint64_t at_root[] = {0};
  for (std::uint32_t t = 0; t < root->entries; ++t) {
    const PeResourceTree::Entry type_entry = pe_->EntryAt(*root, t);
    const auto kind = GroupType(type_entry.name);
    if (!kind) continue;
    const auto type = pe_->Subdirectory(type_entry, at_root);
    if (!type) {
      complete_ = false;
      continue;
    }
    const std::uint64_t on_path[] = {0, type->offset};
    for (std::uint32_t i = 0; i < type->entries; ++i) {
      const PeResourceTree::Entry name_entry = pe_->EntryAt(*type, i);
      ResourceGroup group;
      group.kind = *kind;
      if ((name_entry.name & kNamed) != 0) {
        auto text = pe_->NameText(name_entry);
        if (!text) {
          complete_ = false;
          continue;
        }
        group.name = std::move(*text);
      } else {
        group.id = name_entry.name;
      }
      const auto languages = pe_->Subdirectory(name_entry, on_path);
      if (!languages) {
        complete_ = false;
        continue;
      }
      group.several_languages = languages->entries > 1;
      for (std::uint32_t k = 0; k < languages->entries; ++k) {
        if (groups_.size() == kMostResourceGroups) {
          complete_ = false;
          return;
        }
        const PeResourceTree::Entry leaf = pe_->EntryAt(*languages, k);
        group.language = leaf.name;
        group.data.reset();
        if (const auto data = pe_->LeafData(leaf)) group.data = {data->bytes, true, data->cut};
        groups_.push_back(group);
      }
    }
  }
}

void ResourceGroups::ReadNe() {
  recognised_ = true;
  if (!ne_->ok()) {
    complete_ = false;
    return;
  }
  for (const NeResourceTable::Block& block : ne_->blocks()) {
    const auto kind = GroupType(block.type ^ kNeNumbered);
    if (!kind) continue;
    for (std::uint64_t i = 0; i < block.count; ++i) {
      if (groups_.size() == kMostResourceGroups) {
        complete_ = false;
        return;
      }
      const std::uint64_t name_info = block.names + 12 * i;
      ResourceGroup group;
      group.kind = *kind;
      const std::uint16_t id = ne_->Id(name_info);
      if ((id & kNeNumbered) != 0) {
        group.id = id & ~kNeNumbered;
      } else if (auto text = ne_->NameText(name_info)) {
        group.name = std::move(*text);
      } else {
        complete_ = false;
        continue;
      }
      group.data = ResourceBytes{ne_->ResourceData(name_info), false, false};
      groups_.push_back(std::move(group));
    }
  }
}

const ResourceGroups::Index& ResourceGroups::ImageIndex(GroupKind kind) const {
  std::optional<Index>& index = kind == GroupKind::kIcon ? icon_index_ : cursor_index_;
  if (index) return *index;
  index.emplace();
  if (pe_) {
    index->type = pe_->TypeDirectory(kind == GroupKind::kIcon ? kRtIcon : kRtCursor);
    for (std::uint32_t i = 0; index->type && i < index->type->entries; ++i) {
      const std::uint32_t name = pe_->EntryAt(*index->type, i).name;
      if (name <= 0xFFFF) index->ids.emplace_back(static_cast<std::uint16_t>(name), i);
    }
  } else if (ne_) {
    const std::uint16_t type = (kind == GroupKind::kIcon ? kRtIcon : kRtCursor) | kNeNumbered;
    for (const NeResourceTable::Block& block : ne_->blocks()) {
      if (block.type != type) continue;
      for (std::uint64_t i = 0; i < block.count; ++i) {
        const std::uint16_t id = ne_->Id(block.names + 12 * i);
        if ((id & kNeNumbered) != 0)
          index->ids.emplace_back(id & ~kNeNumbered, block.names + 12 * i);
      }
    }
  }
  std::stable_sort(index->ids.begin(), index->ids.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return *index;
}

std::optional<ResourceBytes> ResourceGroups::Image(GroupKind kind, std::uint16_t id,
                                                   std::uint32_t language) const {
  const Index& index = ImageIndex(kind);
  const auto it =
      std::lower_bound(index.ids.begin(), index.ids.end(), id,
                       [](const auto& entry, std::uint16_t v) { return entry.first < v; });
  if (it == index.ids.end() || it->first != id) return std::nullopt;
  if (ne_) return ResourceBytes{ne_->ResourceData(it->second), false, false};
  const std::uint64_t on_path[] = {0, index.type->offset};
  const auto languages =
      pe_->Subdirectory(pe_->EntryAt(*index.type, static_cast<std::uint32_t>(it->second)), on_path);
  if (!languages || languages->entries == 0) return std::nullopt;
  std::uint32_t chosen = 0;
  for (std::uint32_t k = 0; k < std::min(languages->entries, kMostLanguagesSearched); ++k) {
    if (pe_->EntryAt(*languages, k).name == language) {
      chosen = k;
      break;
    }
  }
  const auto data = pe_->LeafData(pe_->EntryAt(*languages, chosen));
  if (!data) return std::nullopt;
  return ResourceBytes{data->bytes, true, data->cut};
}

}  // namespace pelorin
