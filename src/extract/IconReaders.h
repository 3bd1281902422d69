// Readers of the files icons are taken out of: icon and cursor files, programs and libraries in
// the 32- and 64-bit format (PE32, PE32+), 16-bit programs and icon libraries (NE) and animated
// cursors (RIFF ACON). Together they give what the system's ExtractIconEx and DrawIconEx give
// the icon browser:
//   - the icon count: 1 for an icon or cursor file with a usable image, the number of group-icon
//     resources (named and numbered) of a PE or NE file, 0 for anything else, animated cursors
//     included;
//   - icon i: group i in directory order, its image chosen for 32 x 32 by ChooseIconImage and
//     decoded by DecodeIconImage (a DIB or a PNG stream), the same as an icon file's;
//   - for an animated cursor, the frame shown at each step of its 'seq ' chunk (or each frame in
//     order without one); there is nothing to draw past the last step.
// Which reader runs is decided by the file's first bytes alone.
//
// Every reader takes a byte span (usually a MappedFile) and reads only what the file's
// directories point at, so a huge file is examined as cheaply as a small one. Every offset, size
// and count is checked against the span before use; resource directories are walked along one
// fixed path (type, name, language) that never returns to a directory already on it; a broken
// or foreign file counts 0 icons, and an icon that cannot be read draws nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "extract/IconDecoder.h"

namespace pelorin {

enum class IconFileKind {
  kNone,                // nothing we take icons out of
  kIconFile,            // an .ico or .cur file
  kPortableExecutable,  // PE32 or PE32+: .exe, .dll, .ocx, .cpl, .scr, and .icl of that kind
  kNewExecutable,       // NE: 16-bit programs and icon libraries
  kAnimatedCursor,      // RIFF ACON
};

IconFileKind DetectIconFileKind(std::span<const std::uint8_t> file);

// The images of one icon: the directory entries as an icon file would list them, and each
// entry's image data (empty where it cannot be found).
struct IconGroup {
  std::vector<DirectoryEntry> entries;
  std::vector<std::span<const std::uint8_t>> images;
};

// The directory of an .ico or .cur file as a group: its entries and each one's image data (from
// its offset to the end of the file, see EntryImageData). nullopt when ReadIconDirectory refuses
// the file.
std::optional<IconGroup> ReadIconFileGroup(std::span<const std::uint8_t> file);

// The group's image for 32 x 32 at `screen_bits`, decoded; nullopt when none is usable.
std::optional<IconPicture> DecodeIconGroup(const IconGroup& group, int screen_bits);

// The resource tree of a PE32 or PE32+ file, read in place: the directories of types, of names
// (or ids) and of languages that lead to each resource's data entry. Offsets of directories are
// from the start of the resource section, as the file stores them.
class PeResourceTree {
 public:
  explicit PeResourceTree(std::span<const std::uint8_t> file);

  // A directory: where it starts and how many 8-byte entries follow its 16-byte header.
  struct Directory {
    std::uint64_t offset;
    std::uint32_t entries;
  };
  // A directory entry as stored: its name (a number, or with the high bit set the offset of a
  // name string) and its value (with the high bit set a subdirectory, else a data entry).
  struct Entry {
    std::uint32_t name;
    std::uint32_t value;
  };
  // A resource's data: its bytes, up to its declared size or the end of the file, whichever
  // comes first (`cut` when the file ends first).
  struct Data {
    std::span<const std::uint8_t> bytes;
    bool cut = false;
  };

  // The root directory: nullopt when the file has no resources or they cannot be read.
  const std::optional<Directory>& root() const { return root_; }
  // Whether the file says it has resources but their root directory cannot be read (a file cut
  // short, for one).
  bool damaged() const { return damaged_; }
  // The directory of numbered type `type` (its first entry in the root), nullopt when there is
  // none or it cannot be read.
  std::optional<Directory> TypeDirectory(std::uint32_t type) const;
  // Entry `i` of `directory` (i < directory.entries, which ReadDirectory checked is inside).
  Entry EntryAt(const Directory& directory, std::uint32_t i) const;
  // The subdirectory `entry` names, unless it is a data entry, cannot be read or is one of the
  // directories on the way to it (`on_path`), which would make the walk go round.
  std::optional<Directory> Subdirectory(const Entry& entry,
                                        std::span<const std::uint64_t> on_path) const;
  // The data of a data entry; nullopt for a subdirectory or an entry outside the file.
  std::optional<Data> LeafData(const Entry& entry) const;
  // The first language of the name or id entry `i` of a type's directory: its data.
  std::optional<Data> FirstLanguageData(const Directory& type, std::uint32_t i) const;
  // The string a named entry points at, as UTF-8 (a unit that is not valid UTF-16 becomes
  // U+FFFD); nullopt when it lies outside the file.
  std::optional<std::string> NameText(const Entry& entry) const;

 private:
  struct Section {
    std::uint32_t address;  // VirtualAddress
    std::uint32_t extent;   // the larger of VirtualSize and SizeOfRawData
    std::uint32_t file_offset;
  };

  std::optional<std::uint64_t> FileOffset(std::uint32_t address) const;
  std::optional<Directory> ReadDirectory(std::uint64_t offset) const;

  std::span<const std::uint8_t> file_;
  std::span<const std::uint8_t> resources_;  // from the resource directory to the end of the file
  std::vector<Section> sections_;
  std::optional<Directory> root_;
  bool damaged_ = false;
};

// The group-icon resources of a PE32 or PE32+ file.
class PeIconReader {
 public:
  explicit PeIconReader(std::span<const std::uint8_t> file);

  // Named and numbered group-icon entries; 0 when the file or its resources are broken.
  int Count() const { return groups_ ? static_cast<int>(groups_->entries) : 0; }
  // Group `index` (0-based, directory order: the named entries, then the numbered ones).
  std::optional<IconGroup> Group(int index) const;

 private:
  std::span<const std::uint8_t> IconData(std::uint16_t id) const;

  PeResourceTree tree_;
  std::optional<PeResourceTree::Directory> groups_;  // type 14, RT_GROUP_ICON
  std::optional<PeResourceTree::Directory> icons_;   // type 3, RT_ICON
  // The RT_ICON entries by id (first of equal ids first), made on the first look-up.
  mutable std::optional<std::vector<std::pair<std::uint16_t, std::uint32_t>>> icon_index_;
};

// The resource table of an NE file: runs of 12-byte NAMEINFO records, one run a type.
class NeResourceTable {
 public:
  explicit NeResourceTable(std::span<const std::uint8_t> file);

  // A run of NAMEINFO records of one type (the type id as stored, 0x8000 and up for numbered
  // types), starting at `names` in the file.
  struct Block {
    std::uint16_t type;
    std::uint64_t names;
    std::uint32_t count;
  };
  // Whether the table was read to its end (or the file has none); without that it gives no
  // blocks.
  bool ok() const { return ok_; }
  const std::vector<Block>& blocks() const { return blocks_; }
  // A resource's data: from its offset, its length or up to the end of the file, whichever
  // comes first. Both are in units of the table's alignment, but some writers store the length
  // in bytes: the length is only an upper bound, and each image's own header tells how long it
  // is.
  std::span<const std::uint8_t> ResourceData(std::uint64_t name_info) const;
  // The record's id word: with the high bit a number, else where its name string lies.
  std::uint16_t Id(std::uint64_t name_info) const;
  // A named record's name (a length byte and that many bytes, from the table's start), as
  // stored; nullopt for a numbered one or a name outside the file.
  std::optional<std::string> NameText(std::uint64_t name_info) const;

 private:
  std::span<const std::uint8_t> file_;
  std::uint64_t table_ = 0;
  int shift_ = 0;
  bool ok_ = false;
  std::vector<Block> blocks_;
};

// The group-icon resources (type 0x800E) of an NE file.
class NeIconReader {
 public:
  explicit NeIconReader(std::span<const std::uint8_t> file);

  int Count() const { return count_; }
  std::optional<IconGroup> Group(int index) const;

 private:
  std::span<const std::uint8_t> IconData(std::uint16_t id) const;

  NeResourceTable table_;
  int count_ = 0;
  std::vector<NeResourceTable::Block> groups_;
  std::vector<NeResourceTable::Block> icons_;
  mutable std::optional<std::vector<std::pair<std::uint16_t, std::uint64_t>>> icon_index_;
};

// The frames and steps of an animated cursor. Each frame is a whole icon or cursor file.
class AniReader {
 public:
  explicit AniReader(std::span<const std::uint8_t> file);

  // An 'anih' header and at least one frame.
  bool ok() const { return has_header_ && !frames_.empty(); }
  int StepCount() const { return ok() ? steps_ : 0; }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // The frame shown at `step`: 'seq ' entry `step` (an index past the last frame shows the last
  // frame), or frame `step` without a 'seq ' chunk. nullopt past the last step.
  std::optional<int> FrameOfStep(int step) const;
  std::span<const std::uint8_t> Frame(int frame) const { return frames_[frame]; }

 private:
  void ReadFrames(std::uint64_t at, std::uint64_t end);

  std::span<const std::uint8_t> file_;
  bool has_header_ = false;
  int steps_ = 0;
  std::span<const std::uint8_t> sequence_;  // 'seq ' entries, 4 bytes each; empty without one
  std::vector<std::span<const std::uint8_t>> frames_;
};

// The icons of one file as the icon browser takes them out and draws them, whatever its kind.
class IconFileReader {
 public:
  explicit IconFileReader(std::span<const std::uint8_t> file);

  IconFileKind kind() const { return kind_; }
  // The number of icons (ExtractIconEx with index -1).
  int Count() const;
  // The number of animation steps of icon 0: an animated cursor's steps, 1 for any other file
  // that has an icon 0, else 0.
  int StepCount() const;
  // The images of icon `index` at animation step `step` (ignored for an icon that is not
  // animated): a group of a program or library, the directory of an icon file or of the frame
  // the step shows; nullopt when there is no such icon or step.
  std::optional<IconGroup> Group(int index, int step) const;
  // That icon drawn: its image chosen for 32 x 32 and decoded (DecodeIconGroup); nullopt when
  // there is no such icon or step, or its image cannot be decoded.
  std::optional<IconPicture> Draw(int index, int step, int screen_bits) const;

 private:
  std::span<const std::uint8_t> file_;
  IconFileKind kind_;
  bool usable_icon_file_ = false;  // an icon file with an image that can be chosen
  std::optional<PeIconReader> pe_;
  std::optional<NeIconReader> ne_;
  std::optional<AniReader> ani_;
};

}  // namespace pelorin
