// The readers of programs, libraries and animated cursors on hand-built files: counts and order,
// the image chosen from each group, PNG images, animation steps, and damaged files of every kind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "extract/IconReaders.h"
#include "extract/LibraryBuilder.h"
#include "files/ByteReader.h"
#include "files/MappedFile.h"

namespace pelorin {
namespace {

using namespace pelorin::testing;

// The colour the decoder gives for a stored 0xRRGGBB.
Colour Decoded(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

// The colour of pixel (5, 5) of icon `index` at `step`, or kInvalidColour when nothing is drawn.
Colour DrawnColour(const IconFileReader& reader, int index, int step = 0, int bits = 24) {
  const auto picture = reader.Draw(index, step, bits);
  return picture ? picture->image.At(5, 5) : kInvalidColour;
}

IcoImage PngImage(int side, std::uint32_t rgb) {
  PngSpec s;
  s.width = s.height = side;
  s.colour_type = 2;
  s.pixel = [rgb](int, int, int c) { return static_cast<std::uint8_t>(rgb >> (16 - 8 * c)); };
  return {side, side, 32, BuildPng(s)};
}

const std::vector<LibraryIcon> kFourIcons = {
    {"", 7, {SolidImage(32, 0x070707)}},
    {"ZED", 0, {SolidImage(32, 0x0000AA)}},
    {"", 2, {SolidImage(32, 0x020202)}},
    {"APPLE", 0, {SolidImage(32, 0x0000BB)}},
};

TEST(PeReader, CountsNamedAndNumberedGroupsInDirectoryOrder) {
  for (const bool plus : {false, true}) {
    SCOPED_TRACE(plus ? "PE32+" : "PE32");
    const Bytes file = BuildPe(kFourIcons, plus);
    const IconFileReader reader(file);
    EXPECT_EQ(reader.kind(), IconFileKind::kPortableExecutable);
    ASSERT_EQ(reader.Count(), 4);
    // The named groups come first, in the directory's order, then the numbered ones.
    EXPECT_EQ(DrawnColour(reader, 0), Decoded(0x0000AA));
    EXPECT_EQ(DrawnColour(reader, 1), Decoded(0x0000BB));
    EXPECT_EQ(DrawnColour(reader, 2), Decoded(0x070707));
    EXPECT_EQ(DrawnColour(reader, 3), Decoded(0x020202));
    EXPECT_EQ(DrawnColour(reader, 4), kInvalidColour);
    EXPECT_EQ(DrawnColour(reader, -1), kInvalidColour);
    EXPECT_EQ(reader.StepCount(), 1);
    // A still icon ignores the animation step.
    EXPECT_EQ(DrawnColour(reader, 0, 5), Decoded(0x0000AA));
  }
}

TEST(PeReader, ChoosesEachGroupsImageBySizeThenDepthAndReadsPng) {
  const std::vector<LibraryIcon> icons = {
      {"",
       1,
       {SolidImage(16, 0x101010), SolidImage(48, 0x484848), SolidImage(32, 0x080808, 8),
        SolidImage(32, 0x202020, 32)}},
      {"", 2, {PngImage(256, 0xFF0000), PngImage(32, 0x00FF00)}},
      {"", 3, {PngImage(48, 0x0000FF)}},
  };
  const Bytes file = BuildPe(icons, true);
  const IconFileReader reader(file);
  ASSERT_EQ(reader.Count(), 3);
  EXPECT_EQ(DrawnColour(reader, 0, 0, 32), Decoded(0x202020));
  EXPECT_EQ(DrawnColour(reader, 0, 0, 24), Decoded(0x202020));
  EXPECT_EQ(DrawnColour(reader, 0, 0, 8), Decoded(0x080808));
  EXPECT_EQ(DrawnColour(reader, 1), Decoded(0x00FF00));
  EXPECT_EQ(DrawnColour(reader, 2), Decoded(0x0000FF));  // scaled from 48 x 48

  const PeIconReader pe(file);
  const auto group = pe.Group(0);
  ASSERT_TRUE(group);
  ASSERT_EQ(group->entries.size(), 4u);
  EXPECT_EQ(group->entries[1].width, 48);
  EXPECT_EQ(ChooseIconImage(group->entries, group->images, 24), 3u);
}

TEST(PeReader, AGroupWhoseImagesAreMissingDrawsNothing) {
  std::vector<PeResource> resources = IconResources({{"", 1, {SolidImage(32, 0x111111)}}});
  resources.push_back({14, "", 9, BuildGroup({SolidImage(32, 0)}, {77})});  // no icon 77
  const Bytes file = BuildPeParts(resources).Joined();
  const IconFileReader reader(file);
  ASSERT_EQ(reader.Count(), 2);
  EXPECT_EQ(DrawnColour(reader, 0), Decoded(0x111111));
  EXPECT_EQ(DrawnColour(reader, 1), kInvalidColour);
}

TEST(NeReader, CountsGroupIconsAndTakesTheirImages) {
  const std::vector<LibraryIcon> icons = {
      {"", 0, {SolidImage(16, 0x161616, 4), SolidImage(32, 0x323232, 4)}},
      {"", 0, {SolidImage(32, 0x555555, 8)}},
  };
  for (const bool bytes : {false, true}) {
    SCOPED_TRACE(bytes ? "lengths in bytes" : "lengths in units");
    const Bytes file = BuildNe(icons, 4, bytes);
    const IconFileReader reader(file);
    EXPECT_EQ(reader.kind(), IconFileKind::kNewExecutable);
    ASSERT_EQ(reader.Count(), 2);
    EXPECT_EQ(DrawnColour(reader, 0), Decoded(0x323232));
    EXPECT_EQ(DrawnColour(reader, 1), Decoded(0x555555));
    EXPECT_EQ(DrawnColour(reader, 2), kInvalidColour);
  }
  // Alignment 1 (shift 0) and 512 (shift 9) give the same icons.
  for (const int shift : {0, 9}) {
    const Bytes file = BuildNe(icons, shift);
    const IconFileReader reader(file);
    EXPECT_EQ(DrawnColour(reader, 1), Decoded(0x555555)) << shift;
  }
}

Bytes Frame(std::uint32_t rgb) {
  return BuildIco({SolidImage(32, rgb)}, 2);  // frames are cursors
}

TEST(AniReader, StepsFollowTheSequenceOrTheFramesAndEndThere) {
  AniSpec plain;
  plain.frames = {Frame(0x000010), Frame(0x000020), Frame(0x000030)};
  const Bytes plain_file = BuildAni(plain);
  const IconFileReader reader(plain_file);
  EXPECT_EQ(reader.kind(), IconFileKind::kAnimatedCursor);
  EXPECT_EQ(reader.Count(), 0);  // animated cursors hold no icons of their own
  ASSERT_EQ(reader.StepCount(), 3);
  EXPECT_EQ(DrawnColour(reader, 0, 0), Decoded(0x000010));
  EXPECT_EQ(DrawnColour(reader, 0, 2), Decoded(0x000030));
  EXPECT_EQ(DrawnColour(reader, 0, 3), kInvalidColour);
  EXPECT_EQ(DrawnColour(reader, 1, 0), kInvalidColour);

  AniSpec sequenced = plain;
  sequenced.sequence = std::vector<std::uint32_t>{2, 0, 2, 1, 9};
  const Bytes sequenced_file = BuildAni(sequenced);
  const IconFileReader steps(sequenced_file);
  ASSERT_EQ(steps.StepCount(), 5);
  const std::uint32_t want[] = {0x30, 0x10, 0x30, 0x20, 0x30};  // 9 is past the last frame
  for (int k = 0; k < 5; ++k) EXPECT_EQ(DrawnColour(steps, 0, k), Decoded(want[k])) << k;
  EXPECT_EQ(DrawnColour(steps, 0, 5), kInvalidColour);

  // The header's step count shortens a longer sequence; its frame count drops extra frames.
  sequenced.header_steps = 2;
  EXPECT_EQ(IconFileReader(BuildAni(sequenced)).StepCount(), 2);
  plain.header_frames = 2;
  EXPECT_EQ(IconFileReader(BuildAni(plain)).StepCount(), 2);
}

// Writers put all sorts of numbers in the RIFF size field (cursors of real skins have 0 there);
// the chunks are read up to the end of the file whatever it says.
TEST(AniReader, TheRiffSizeFieldDoesNotCutTheFileShort) {
  AniSpec s;
  s.frames = {Frame(0x000010), Frame(0x000020)};
  s.sequence = std::vector<std::uint32_t>{1, 0, 1};
  const auto body = static_cast<std::uint32_t>(BuildAni(s).size() - 8);
  for (const std::uint32_t size : {0u, 4u, 40u, body - 8, body, body + 8, 0xFFFFFFFFu}) {
    s.riff_size = size;
    const Bytes file = BuildAni(s);
    const IconFileReader reader(file);
    ASSERT_EQ(reader.StepCount(), 3) << size;
    EXPECT_EQ(DrawnColour(reader, 0, 0), Decoded(0x000020)) << size;
    EXPECT_EQ(DrawnColour(reader, 0, 1), Decoded(0x000010)) << size;
  }
}

TEST(AniReader, AFrameThatDoesNotDecodeDrawsNothingButKeepsItsStep) {
  AniSpec s;
  s.frames = {Frame(0x000010), Bytes{1, 2, 3}, Frame(0x000030)};
  const Bytes file = BuildAni(s);
  const IconFileReader reader(file);
  ASSERT_EQ(reader.StepCount(), 3);
  EXPECT_EQ(DrawnColour(reader, 0, 1), kInvalidColour);
  EXPECT_EQ(DrawnColour(reader, 0, 2), Decoded(0x000030));
}

TEST(IconFileReader, TheBytesDecideTheReader) {
  const Bytes ico = BuildIco({SolidImage(32, 0x123456)});
  EXPECT_EQ(IconFileReader(ico).kind(), IconFileKind::kIconFile);
  EXPECT_EQ(IconFileReader(ico).Count(), 1);
  EXPECT_EQ(IconFileReader(ico).StepCount(), 1);
  EXPECT_EQ(DrawnColour(IconFileReader(ico), 0), Decoded(0x123456));
  EXPECT_EQ(DrawnColour(IconFileReader(ico), 1), kInvalidColour);
  // An icon file whose only image cannot be read counts no icon.
  Bytes broken = ico;
  broken[22] = 7;  // the image header's size
  EXPECT_EQ(IconFileReader(broken).Count(), 0);

  // A DOS program without a new header, text, an empty file.
  Bytes dos(128, 0);
  dos[0] = 'M';
  dos[1] = 'Z';
  const std::string text = "MZ is how programs start, but this is only text.";
  for (const Bytes& foreign : {dos, Bytes(text.begin(), text.end()), Bytes{}}) {
    const IconFileReader reader(foreign);
    EXPECT_EQ(reader.kind(), IconFileKind::kNone);
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(reader.StepCount(), 0);
    EXPECT_FALSE(reader.Draw(0, 0, 24));
  }
}

// A reader on damaged bytes either counts what it can or nothing; every draw either fails or
// gives a whole picture. The sanitizer build of the tests checks every read.
void ExpectCleanReading(std::span<const std::uint8_t> bytes) {
  const IconFileReader reader(bytes);
  const int count = std::min(reader.Count(), 40);
  for (int i = 0; i <= count; ++i) {
    const auto picture = reader.Draw(i, 0, 24);
    if (picture) {
      EXPECT_TRUE(IsPureMask(picture->mask));
    }
  }
  const int steps = std::min(reader.StepCount(), 40);
  for (int k = 0; k <= steps; ++k) (void)reader.Draw(0, k, 24);
}

std::vector<Bytes> SmallLibraries() {
  AniSpec ani;
  ani.frames = {Frame(0x10), Frame(0x20)};
  ani.sequence = std::vector<std::uint32_t>{1, 0, 1};
  const std::vector<LibraryIcon> icons = {{"A", 0, {SolidImage(32, 1, 4), PngImage(16, 2)}},
                                          {"", 5, {SolidImage(32, 3)}}};
  return {BuildPe(icons), BuildPe(icons, true), BuildNe(icons), BuildAni(ani)};
}

TEST(DamagedLibraries, TruncatedCopiesReadCleanly) {
  for (const Bytes& file : SmallLibraries()) {
    for (std::size_t n = 0; n < file.size(); ++n) ExpectCleanReading(std::span(file).first(n));
  }
}

TEST(DamagedLibraries, RandomDamageReadsCleanly) {
  std::mt19937 random(99);
  for (const Bytes& file : SmallLibraries()) {
    for (int round = 0; round < 2000; ++round) {
      Bytes damaged = file;
      for (int i = 0; i < 1 + round % 6; ++i) {
        // Most of the damage goes to the headers and directories, where the offsets are.
        const std::size_t limit =
            round % 3 ? std::min<std::size_t>(damaged.size(), 0x500) : damaged.size();
        damaged[random() % limit] = static_cast<std::uint8_t>(random() % 3 ? random() : 0xFF);
      }
      ExpectCleanReading(damaged);
    }
  }
}

// Offsets inside the first PE of SmallLibraries: the root's first type entry (RT_ICON) and the
// second (RT_GROUP_ICON), each a name word and a subdirectory word.
constexpr std::size_t kRoot = kPeSectionOffset;

TEST(DamagedLibraries, ResourceTreesThatPointBackAreNotWalkedAgain) {
  const Bytes file = SmallLibraries()[0];
  ASSERT_EQ(IconFileReader(file).Count(), 2);
  ByteReader in(file);
  const std::uint32_t group_type = in.U32(kRoot + 16 + 8 + 4) & 0x7FFFFFFF;

  // The group type's subdirectory is the root itself.
  Bytes to_root = file;
  PutAt(to_root, kRoot + 16 + 8 + 4, 0x80000000u, 4);
  EXPECT_EQ(IconFileReader(to_root).Count(), 0);

  // A group's language level is the root, or the group type's own directory.
  for (const std::uint32_t back : {0u, group_type}) {
    Bytes loop = file;
    PutAt(loop, kRoot + group_type + 16 + 4, 0x80000000u | back, 4);
    const IconFileReader reader(loop);
    EXPECT_EQ(reader.Count(), 2);
    EXPECT_FALSE(reader.Draw(0, 0, 24)) << back;
    EXPECT_TRUE(reader.Draw(1, 0, 24)) << back;
  }

  // A language entry that is a subdirectory instead of data.
  const std::uint32_t languages = in.U32(kRoot + group_type + 16 + 4) & 0x7FFFFFFF;
  Bytes deeper = file;
  PutAt(deeper, kRoot + languages + 16 + 4, 0x80000000u | languages, 4);
  EXPECT_FALSE(IconFileReader(deeper).Draw(0, 0, 24));
}

TEST(DamagedLibraries, HugeCountsAndOffsetsCountNothing) {
  const Bytes file = SmallLibraries()[0];
  ByteReader in(file);
  const std::uint32_t group_type = in.U32(kRoot + 16 + 8 + 4) & 0x7FFFFFFF;
  auto count_with = [&](std::size_t at, std::uint64_t value, int n) {
    Bytes damaged = file;
    PutAt(damaged, at, value, n);
    return IconFileReader(damaged).Count();
  };
  EXPECT_EQ(count_with(kRoot + group_type + 12, 0xFFFF, 2), 0);  // 65,535 named groups
  EXPECT_EQ(count_with(kRoot + 14, 0xFFFF, 2), 0);               // 65,535 types
  EXPECT_EQ(count_with(0x3C, 0xFFFFFFF0, 4), 0);                 // the new header far away
  EXPECT_EQ(count_with(0x44 + 2, 0xFFFF, 2), 0);                 // 65,535 sections
  // The section's file offset and its address far away.
  const std::size_t section = 0x44 + 20 + 224;
  EXPECT_EQ(count_with(section + 20, 0xFFFFFF00, 4), 0);
  EXPECT_EQ(count_with(section + 12, 0xFFFFFF00, 4), 0);

  // NE: a block that claims 65,535 resources, and an alignment that shifts past any file.
  const Bytes ne = SmallLibraries()[2];
  Bytes many = ne;
  PutAt(many, kNeTable + 2 + 2, 0xFFFF, 2);
  EXPECT_EQ(IconFileReader(many).Count(), 0);
  Bytes shifted = ne;
  PutAt(shifted, kNeTable, 31, 2);
  EXPECT_EQ(IconFileReader(shifted).Count(), 0);
  shifted = ne;
  PutAt(shifted, kNeTable, 12, 2);
  ExpectCleanReading(shifted);

  // ANI: chunk sizes of 4 GB.
  Bytes ani = SmallLibraries()[3];
  PutAt(ani, 4, 0xFFFFFFFF, 4);
  PutAt(ani, 12 + 4, 0xFFFFFFFF, 4);
  EXPECT_EQ(IconFileReader(ani).StepCount(), 0);
}

// A 2 GB library whose resources sit at its end: counting and drawing read only what the
// directories point at, so this takes no longer than for a small file (the file is sparse).
TEST(LargeLibraries, ResourcesAtTheEndOfATwoGigabyteFile) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("pelorin-large-" + std::to_string(::getpid()) + ".dll");
  const std::uint64_t offset = (std::uint64_t{2} << 30) + 512;
  const PeFile pe = BuildPeParts(IconResources(kFourIcons), true, offset);
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(pe.headers.data()),
              static_cast<std::streamsize>(pe.headers.size()));
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(reinterpret_cast<const char*>(pe.section.data()),
              static_cast<std::streamsize>(pe.section.size()));
    if (!out) GTEST_SKIP() << "no room for a sparse 2 GB file in the temporary folder";
  }
  const auto mapped = MappedFile::Open(path.string());
  std::filesystem::remove(path);
  ASSERT_TRUE(mapped);
  EXPECT_GT(mapped->bytes().size(), offset);
  const IconFileReader reader(mapped->bytes());
  ASSERT_EQ(reader.Count(), 4);
  EXPECT_EQ(DrawnColour(reader, 3), Decoded(0x020202));
}

// Another program cuts a library short while its icons are shown: the pages that are gone read
// as zeros, so drawing finds a broken file instead of ending the program with a bus error. A bus
// error in memory that is not one of our mappings still ends the program.
TEST(MappedFile, AFileCutShortWhileMappedReadsAsZerosPastItsNewEnd) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("pelorin-cut-" + std::to_string(::getpid()) + ".dll");
  const Bytes pe = BuildPe(kFourIcons, false);
  const std::size_t kept = 4096;
  ASSERT_GT(pe.size(), 2 * kept);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(pe.data()), static_cast<std::streamsize>(pe.size()));
  auto mapped = MappedFile::Open(path.string());
  ASSERT_TRUE(mapped);
  const IconFileReader reader(mapped->bytes());
  ASSERT_EQ(reader.Count(), 4);

  std::filesystem::resize_file(path, kept);
  const auto bytes = mapped->bytes();
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + kept, pe.begin()));
  EXPECT_EQ(std::count(bytes.begin() + kept, bytes.end(), 0), std::ptrdiff_t(bytes.size() - kept));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(DrawnColour(reader, i), kInvalidColour) << i;

  // The same cut under a mapping of someone else's.
  EXPECT_DEATH(
      {
        std::filesystem::resize_file(path, pe.size());
        const auto ours = MappedFile::Open(path.string());  // the handler is in place
        const int fd = ::open(path.c_str(), O_RDONLY);
        const auto* theirs = static_cast<const volatile std::uint8_t*>(
            ::mmap(nullptr, pe.size(), PROT_READ, MAP_PRIVATE, fd, 0));
        std::filesystem::resize_file(path, 0);
        std::printf("%d\n", theirs[pe.size() - 1]);
      },
      "");
  mapped.reset();
  std::filesystem::remove(path);
}
}  // namespace
}  // namespace pelorin
