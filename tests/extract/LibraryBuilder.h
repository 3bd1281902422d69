// Hand-built programs, libraries and animated cursors for the reader tests: PE32 and PE32+ files
// with a resource section, NE files with a resource table, and RIFF ACON files, around the
// images and icon files of IconBuilder.h.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "extract/IconBuilder.h"

namespace pelorin::testing {

inline void PutAt(Bytes& b, std::size_t at, std::uint64_t v, int n) {
  if (b.size() < at + n) b.resize(at + n, 0);
  for (int i = 0; i < n; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A group-icon resource for `images`, whose entry i names icon resource ids[i].
inline Bytes BuildGroup(const std::vector<IcoImage>& images,
                        const std::vector<std::uint16_t>& ids) {
  Bytes b;
  PutLe(b, 0, 2);
  PutLe(b, 1, 2);
  PutLe(b, images.size(), 2);
  for (std::size_t i = 0; i < images.size(); ++i) {
    b.push_back(static_cast<std::uint8_t>(images[i].width));
    b.push_back(static_cast<std::uint8_t>(images[i].height));
    PutLe(b, 0, 2);
    PutLe(b, 1, 2);
    PutLe(b, static_cast<std::uint32_t>(images[i].bit_count), 2);
    PutLe(b, images[i].data.size(), 4);
    PutLe(b, ids[i], 2);
  }
  return b;
}

// One icon of a library: its images, and for a PE file its name (numbered when empty).
struct LibraryIcon {
  std::string name;
  std::uint16_t id = 0;
  std::vector<IcoImage> images;
};

// --- PE --------------------------------------------------------------------------------------

struct PeResource {
  std::uint32_t type;
  std::string name;  // ASCII; numbered by `id` when empty
  std::uint16_t id;
  Bytes data;
  std::uint16_t language = 0x409;  // resources of one type and name are its languages
};

// Where the resource section starts in the file (its address in memory is 0x1000).
inline constexpr std::uint64_t kPeSectionOffset = 0x400;
inline constexpr std::uint32_t kPeSectionAddress = 0x1000;

struct PeFile {
  Bytes headers;  // up to kPeSectionOffset
  Bytes section;  // the resource section, to be placed at `section_offset`
  std::uint64_t section_offset;
  Bytes Joined() const {
    Bytes b = headers;
    b.resize(section_offset, 0);
    b.insert(b.end(), section.begin(), section.end());
    return b;
  }
};

// The resource section: the root lists the types in the order given; each type lists its named
// entries first, then its numbered ones, each in the order given; each name or id lists its
// languages in the order given.
inline Bytes BuildResourceSection(const std::vector<PeResource>& resources) {
  std::vector<std::uint32_t> types;
  for (const PeResource& r : resources)
    if (std::find(types.begin(), types.end(), r.type) == types.end()) types.push_back(r.type);
  // Per type, its names or ids, each with its languages.
  using Key = std::vector<const PeResource*>;
  std::vector<std::vector<Key>> by_type(types.size());
  for (std::size_t t = 0; t < types.size(); ++t) {
    for (const bool named : {true, false}) {
      for (const PeResource& r : resources) {
        if (r.type != types[t] || r.name.empty() == named) continue;
        auto key = std::find_if(by_type[t].begin(), by_type[t].end(), [&](const Key& k) {
          return k[0]->name == r.name && (named || k[0]->id == r.id);
        });
        if (key == by_type[t].end()) {
          by_type[t].push_back({&r});
        } else {
          key->push_back(&r);
        }
      }
    }
  }
  // Layout: root, type directories, language directories, data entries, names, data.
  std::size_t at = 16 + 8 * types.size();
  std::vector<std::size_t> type_dirs;
  for (const auto& keys : by_type) {
    type_dirs.push_back(at);
    at += 16 + 8 * keys.size();
  }
  std::vector<const PeResource*> order;  // the resources in layout order
  std::size_t language_dirs = at;
  for (const auto& keys : by_type)
    for (const Key& key : keys) {
      at += 16 + 8 * key.size();
      order.insert(order.end(), key.begin(), key.end());
    }
  const std::size_t data_entries = at;
  at += 16 * order.size();
  Bytes b;
  std::size_t names = at;
  std::size_t k = 0;  // resource number in layout order
  PutAt(b, 14, types.size(), 2);
  for (std::size_t t = 0; t < types.size(); ++t) {
    PutAt(b, 16 + 8 * t, types[t], 4);
    PutAt(b, 16 + 8 * t + 4, 0x80000000u | type_dirs[t], 4);
    std::size_t named = 0;
    for (const Key& key : by_type[t]) named += !key[0]->name.empty();
    PutAt(b, type_dirs[t] + 12, named, 2);
    PutAt(b, type_dirs[t] + 14, by_type[t].size() - named, 2);
    for (std::size_t i = 0; i < by_type[t].size(); ++i) {
      const PeResource& r = *by_type[t][i][0];
      const std::size_t entry = type_dirs[t] + 16 + 8 * i;
      if (r.name.empty()) {
        PutAt(b, entry, r.id, 4);
      } else {
        PutAt(b, entry, 0x80000000u | names, 4);
        PutAt(b, names, r.name.size(), 2);
        for (std::size_t c = 0; c < r.name.size(); ++c)
          PutAt(b, names + 2 + 2 * c, static_cast<unsigned char>(r.name[c]), 2);
        names += 2 + 2 * r.name.size();
      }
      const std::size_t language = language_dirs;
      PutAt(b, entry + 4, 0x80000000u | language, 4);
      PutAt(b, language + 14, by_type[t][i].size(), 2);
      for (std::size_t l = 0; l < by_type[t][i].size(); ++l, ++k) {
        PutAt(b, language + 16 + 8 * l, by_type[t][i][l]->language, 4);
        PutAt(b, language + 20 + 8 * l, data_entries + 16 * k, 4);
      }
      language_dirs += 16 + 8 * by_type[t][i].size();
    }
  }
  std::size_t data = (names + 3) / 4 * 4;
  for (k = 0; k < order.size(); ++k) {
    PutAt(b, data_entries + 16 * k, kPeSectionAddress + data, 4);
    PutAt(b, data_entries + 16 * k + 4, order[k]->data.size(), 4);
    b.resize(data, 0);
    b.insert(b.end(), order[k]->data.begin(), order[k]->data.end());
    data = (b.size() + 3) / 4 * 4;
  }
  return b;
}

inline PeFile BuildPeParts(const std::vector<PeResource>& resources, bool pe32_plus = false,
                           std::uint64_t section_offset = kPeSectionOffset) {
  PeFile f;
  f.section = BuildResourceSection(resources);
  f.section_offset = section_offset;
  Bytes& h = f.headers;
  PutAt(h, 0, 0x5A4D, 2);  // MZ
  PutAt(h, 0x3C, 0x40, 4);
  PutAt(h, 0x40, 0x4550, 4);  // PE\0\0
  const std::size_t coff = 0x44;
  PutAt(h, coff, pe32_plus ? 0x8664 : 0x14C, 2);
  PutAt(h, coff + 2, 1, 2);  // one section
  const std::size_t optional_size = pe32_plus ? 240 : 224;
  PutAt(h, coff + 16, optional_size, 2);
  PutAt(h, coff + 18, 0x2102, 2);
  const std::size_t optional = coff + 20;
  PutAt(h, optional, pe32_plus ? 0x20B : 0x10B, 2);
  const std::size_t directories = optional + (pe32_plus ? 112 : 96);
  PutAt(h, directories - 4, 16, 4);  // NumberOfRvaAndSizes
  PutAt(h, directories + 16, kPeSectionAddress, 4);
  PutAt(h, directories + 20, f.section.size(), 4);
  const std::size_t table = optional + optional_size;
  for (int c = 0; c < 5; ++c) PutAt(h, table + c, static_cast<std::uint8_t>(".rsrc"[c]), 1);
  PutAt(h, table + 8, f.section.size(), 4);
  PutAt(h, table + 12, kPeSectionAddress, 4);
  PutAt(h, table + 16, (f.section.size() + 511) / 512 * 512, 4);
  PutAt(h, table + 20, section_offset, 4);
  PutAt(h, table + 36, 0x40000040, 4);
  return f;
}

// A library of icons: icon resources numbered 1, 2, ... in the order of the images, and one
// group per icon.
inline std::vector<PeResource> IconResources(const std::vector<LibraryIcon>& icons) {
  std::vector<PeResource> resources;
  std::uint16_t next_id = 1;
  for (const LibraryIcon& icon : icons) {
    std::vector<std::uint16_t> ids;
    for (const IcoImage& image : icon.images) {
      ids.push_back(next_id);
      resources.push_back({3, "", next_id++, image.data});
    }
    resources.push_back({14, icon.name, icon.id, BuildGroup(icon.images, ids)});
  }
  return resources;
}

inline Bytes BuildPe(const std::vector<LibraryIcon>& icons, bool pe32_plus = false) {
  return BuildPeParts(IconResources(icons), pe32_plus).Joined();
}

// --- NE --------------------------------------------------------------------------------------

inline constexpr std::size_t kNeHeader = 0x40;
inline constexpr std::size_t kNeTable = 0x80;

// An NE file: icon resources (type 0x8003, ids 1, 2, ...) and one group (type 0x800E) per icon.
// Resource offsets and lengths are in units of 1 << shift; with `lengths_in_bytes` the lengths
// are written in bytes instead, as some writers do.
inline Bytes BuildNe(const std::vector<LibraryIcon>& icons, int shift = 4,
                     bool lengths_in_bytes = false) {
  std::vector<Bytes> icon_data;
  std::vector<Bytes> group_data;
  std::uint16_t next_id = 1;
  for (const LibraryIcon& icon : icons) {
    std::vector<std::uint16_t> ids;
    for (const IcoImage& image : icon.images) {
      ids.push_back(next_id++);
      icon_data.push_back(image.data);
    }
    group_data.push_back(BuildGroup(icon.images, ids));
  }
  Bytes b;
  PutAt(b, 0, 0x5A4D, 2);
  PutAt(b, 0x3C, kNeHeader, 4);
  PutAt(b, kNeHeader, 0x454E, 2);  // NE
  PutAt(b, kNeHeader + 0x24, kNeTable - kNeHeader, 2);
  const std::size_t table_size = 2 + 8 + 12 * icon_data.size() + 8 + 12 * group_data.size() + 2;
  PutAt(b, kNeHeader + 0x26, kNeTable - kNeHeader + table_size, 2);
  PutAt(b, kNeTable, static_cast<std::uint64_t>(shift), 2);
  const std::size_t unit = std::size_t{1} << shift;
  std::size_t data = (kNeTable + table_size + 1 + unit - 1) / unit * unit;
  std::size_t at = kNeTable + 2;
  auto put_block = [&](std::uint16_t type, const std::vector<Bytes>& items) {
    PutAt(b, at, type, 2);
    PutAt(b, at + 2, items.size(), 2);
    at += 8;
    for (std::size_t i = 0; i < items.size(); ++i, at += 12) {
      PutAt(b, at, data >> shift, 2);
      PutAt(b, at + 2, lengths_in_bytes ? items[i].size() : (items[i].size() + unit - 1) >> shift,
            2);
      PutAt(b, at + 4, 0x30, 2);
      PutAt(b, at + 6, 0x8000 | (i + 1), 2);
      b.resize(data, 0);
      b.insert(b.end(), items[i].begin(), items[i].end());
      data = (b.size() + unit - 1) / unit * unit;
    }
  };
  put_block(0x8003, icon_data);
  put_block(0x800E, group_data);
  PutAt(b, at, 0, 2);  // end of the types
  b.resize(data, 0);
  return b;
}

// --- ANI -------------------------------------------------------------------------------------

struct AniSpec {
  std::vector<Bytes> frames;  // whole icon or cursor files
  std::optional<std::vector<std::uint32_t>> sequence;
  std::optional<std::uint32_t> header_frames;  // anih nFrames; the number of frames when unset
  std::optional<std::uint32_t> header_steps;   // anih nSteps; the steps or frames when unset
  std::optional<std::uint32_t> riff_size;      // the RIFF size field; the true size when unset
};

inline void PutRiffChunk(Bytes& b, const char* id, const Bytes& data) {
  b.insert(b.end(), id, id + 4);
  PutLe(b, data.size(), 4);
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() & 1) b.push_back(0);
}

inline Bytes BuildAni(const AniSpec& s) {
  const std::size_t steps = s.sequence ? s.sequence->size() : s.frames.size();
  Bytes anih;
  PutLe(anih, 36, 4);
  PutLe(anih, s.header_frames.value_or(static_cast<std::uint32_t>(s.frames.size())), 4);
  PutLe(anih, s.header_steps.value_or(static_cast<std::uint32_t>(steps)), 4);
  for (int i = 0; i < 4; ++i) PutLe(anih, 0, 4);  // width, height, bits, planes
  PutLe(anih, 10, 4);                             // display rate
  PutLe(anih, s.sequence ? 3 : 1, 4);             // icon frames, with a sequence
  Bytes body = {'A', 'C', 'O', 'N'};
  PutRiffChunk(body, "anih", anih);
  if (s.sequence) {
    Bytes seq;
    for (std::uint32_t v : *s.sequence) PutLe(seq, v, 4);
    PutRiffChunk(body, "seq ", seq);
  }
  Bytes fram = {'f', 'r', 'a', 'm'};
  for (const Bytes& frame : s.frames) PutRiffChunk(fram, "icon", frame);
  PutRiffChunk(body, "LIST", fram);
  Bytes b;
  PutRiffChunk(b, "RIFF", body);
  if (s.riff_size) PutAt(b, 4, *s.riff_size, 4);
  return b;
}

// --- Images ----------------------------------------------------------------------------------

// A square 24-bit DIB of one colour (stored as B, G, R), opaque everywhere.
inline IcoImage SolidImage(int side, std::uint32_t rgb, int bits = 24) {
  DibSpec s;
  s.width = s.height = side;
  s.bits = bits;
  if (bits <= 8) {
    s.palette = {rgb};
    s.colours_used = 1;
    s.pixel = [](int, int) { return 0u; };
  } else {
    s.pixel = [rgb](int, int) { return rgb; };
  }
  return {side, side, bits, BuildDib(s)};
}

}  // namespace pelorin::testing
