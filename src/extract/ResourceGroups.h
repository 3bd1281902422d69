// Every icon and cursor group of a program, a library or an icon library (PE32, PE32+, NE), by
// name and language, and the image resources each is made of: what it takes to write a group
// out as the icon or cursor file Windows builds from it (pelorin-extract).
//
// A group resource (RT_GROUP_ICON, RT_GROUP_CURSOR) is the directory of an icon or cursor file
// whose entries name image resources (RT_ICON, RT_CURSOR) by id instead of giving offsets. The
// groups come in the file's own order: the types as the file lists them, then each type's named
// entries and numbered ones, then each name's languages. NE files have no languages.
//
// Like the other readers it reads only what the directories point at, checks every offset
// against the file, and never walks round a directory that points back; a file with more
// groups than kMostResourceGroups is read up to that many and counts as incomplete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "extract/IconReaders.h"

namespace pelorin {

enum class GroupKind { kIcon, kCursor };

inline constexpr std::size_t kMostResourceGroups = 1 << 16;

// A resource's bytes. `exact`: they are the resource as its directory gives it (PE); otherwise
// (NE, whose lengths are only an upper bound) they may run on past its end, which only the
// image's own header tells. `cut`: the file ends before the resource does.
struct ResourceBytes {
  std::span<const std::uint8_t> bytes;
  bool exact = true;
  bool cut = false;
};

struct ResourceGroup {
  GroupKind kind = GroupKind::kIcon;
  // A numbered resource's number, or a named one's name (UTF-8 from a PE file; as the file
  // stores it from an NE file).
  std::optional<std::uint32_t> id;
  std::string name;
  std::uint32_t language = 0;      // PE: the language id; NE: 0
  bool several_languages = false;  // the same name exists in other languages too
  // The group resource; nullopt when its data entry cannot be read.
  std::optional<ResourceBytes> data;
};

class ResourceGroups {
 public:
  explicit ResourceGroups(std::span<const std::uint8_t> file);

  // A PE or NE file (whose resources may still be missing or broken).
  bool recognised() const { return recognised_; }
  // Whether every directory on the way to the groups could be read: when not, groups may be
  // missing from the list (a damaged or cut file).
  bool complete() const { return complete_; }
  const std::vector<ResourceGroup>& groups() const { return groups_; }
  // The image resource `id` of a group of `kind`: in `language` when it exists in it, else in
  // its first language. nullopt when there is none or its data entry cannot be read.
  std::optional<ResourceBytes> Image(GroupKind kind, std::uint16_t id,
                                     std::uint32_t language) const;

 private:
  void ReadPe();
  void ReadNe();
  // The look-ups by id of one image type, made on first use: for PE the type's directory and
  // each id's entry in it, for NE each id's NAMEINFO record.
  struct Index {
    std::optional<PeResourceTree::Directory> type;
    std::vector<std::pair<std::uint16_t, std::uint64_t>> ids;
  };
  const Index& ImageIndex(GroupKind kind) const;

  std::optional<PeResourceTree> pe_;
  std::optional<NeResourceTable> ne_;
  bool recognised_ = false;
  bool complete_ = true;
  std::vector<ResourceGroup> groups_;
  mutable std::optional<Index> icon_index_;
  mutable std::optional<Index> cursor_index_;
};

}  // namespace pelorin
