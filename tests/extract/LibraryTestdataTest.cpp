// The readers on the programs, libraries, icon libraries and animated cursors of the shared test
// data, against what its MANIFEST.md measured. Skipped when the test data is not there.
#include <gtest/gtest.h>

#include <string>

#include "extract/IconReaders.h"
#include "files/MappedFile.h"
#include "support/Testdata.h"

namespace pelorin {
namespace {

class LibraryTestdata : public testing::NeedsTestdata {
 protected:
  // Keeps the file mapped for the rest of the test.
  std::span<const std::uint8_t> Map(const std::string& relative) {
    auto file = MappedFile::Open(testing::TestdataDir() + "/" + relative);
    if (!file) {
      ADD_FAILURE() << "cannot map " << relative;
      return {};
    }
    files_.push_back(std::move(*file));
    return files_.back().bytes();
  }
  // Which image of `group` is chosen at `bits`.
  std::optional<std::size_t> Chosen(const std::optional<IconGroup>& group, int bits) {
    if (!group) return std::nullopt;
    return ChooseIconImage(group->entries, group->images, bits);
  }

 private:
  std::vector<MappedFile> files_;
};

TEST_F(LibraryTestdata, ProgramsAndLibrariesCountTheirGroups) {
  const std::pair<const char*, int> kFiles[] = {
      {"pe/wine-x86_64/winemine.exe", 1},
      {"pe/nsis/zlib-x86-unicode.exe", 1},
      {"icl/xdev70-Icons.icl", 20},
      {"pe/ne/kio-extras/ne16_4bpp.exe", 1},
  };
  for (const auto& [name, count] : kFiles) {
    SCOPED_TRACE(name);
    const IconFileReader reader(Map(name));
    ASSERT_EQ(reader.Count(), count);
    for (int i = 0; i < count; ++i) {
      const auto picture = reader.Draw(i, 0, 32);
      ASSERT_TRUE(picture) << i;
    }
  }
}

TEST_F(LibraryTestdata, ChoosesTheImagesTheManifestLists) {
  // winemine: [256 png, 32@32, 48@32, 48@8, 48@4, 32@8, 32@4, 16@32, 16@8, 16@4], PE32+.
  const auto winemine = Map("pe/wine-x86_64/winemine.exe");
  EXPECT_EQ(DetectIconFileKind(winemine), IconFileKind::kPortableExecutable);
  const auto group = PeIconReader(winemine).Group(0);
  ASSERT_TRUE(group);
  ASSERT_EQ(group->entries.size(), 10u);
  const auto png = InspectIconImage(group->images[0]);
  ASSERT_TRUE(png);
  EXPECT_TRUE(png->png);
  EXPECT_EQ(png->width, 256);
  EXPECT_EQ(Chosen(group, 32), 1u);
  EXPECT_EQ(Chosen(group, 8), 5u);
  EXPECT_EQ(Chosen(group, 4), 6u);
  const auto drawn = IconFileReader(winemine).Draw(0, 0, 32);
  const auto chosen = DecodeIconImage(group->images[1]);
  ASSERT_TRUE(drawn && chosen);
  EXPECT_EQ(drawn->image, chosen->image);
  EXPECT_EQ(drawn->mask, chosen->mask);

  // The .icl that is a 32-bit library: group 1 is [48@8, 32@8, 24@8, 16@8, 128@32, 48@32, 32@32,
  // 24@32, 16@32].
  const auto icl = PeIconReader(Map("icl/xdev70-Icons.icl")).Group(0);
  ASSERT_TRUE(icl);
  EXPECT_EQ(icl->entries.size(), 9u);
  EXPECT_EQ(Chosen(icl, 32), 6u);
  EXPECT_EQ(Chosen(icl, 8), 1u);

  const auto nsis = PeIconReader(Map("pe/nsis/zlib-x86-unicode.exe")).Group(0);
  ASSERT_TRUE(nsis);
  EXPECT_EQ(nsis->entries.size(), 1u);
  EXPECT_EQ(Chosen(nsis, 32), 0u);
}

// The generated NE module stores its lengths in bytes; its one icon is 64 x 64 at 4 bits.
TEST_F(LibraryTestdata, TheSixteenBitModuleGivesItsIcon) {
  const auto ne = Map("pe/ne/kio-extras/ne16_4bpp.exe");
  EXPECT_EQ(DetectIconFileKind(ne), IconFileKind::kNewExecutable);
  const auto group = NeIconReader(ne).Group(0);
  ASSERT_TRUE(group);
  ASSERT_EQ(group->entries.size(), 1u);
  const auto facts = InspectIconImage(group->images[0]);
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->width, 64);
  EXPECT_EQ(facts->bit_count, 4);
}

TEST_F(LibraryTestdata, AnimatedCursorsGiveTheirStepsInSequence) {
  const auto plain = Map("ani/gdk-pixbuf/test-animation.ani");
  const IconFileReader eighteen(plain);
  EXPECT_EQ(eighteen.kind(), IconFileKind::kAnimatedCursor);
  EXPECT_EQ(eighteen.Count(), 0);
  ASSERT_EQ(eighteen.StepCount(), 18);
  EXPECT_FALSE(eighteen.Draw(0, 18, 32));
  const AniReader frames(plain);
  for (int k = 0; k < 18; ++k) {
    EXPECT_EQ(frames.FrameOfStep(k), k);
    const auto drawn = eighteen.Draw(0, k, 32);
    const auto frame = DecodeIconFile(frames.Frame(k), 32);
    ASSERT_TRUE(drawn && frame) << k;
    EXPECT_EQ(drawn->image, frame->image) << k;
  }

  // Four frames shown in six steps: 0, 1, 2, 1, 0, 3.
  const auto sequenced = Map("ani/imhex/ani.compatibility.hexpat.ani");
  const IconFileReader six(sequenced);
  ASSERT_EQ(six.StepCount(), 6);
  EXPECT_EQ(AniReader(sequenced).FrameCount(), 4);
  const int kSequence[] = {0, 1, 2, 1, 0, 3};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(AniReader(sequenced).FrameOfStep(k), kSequence[k]);
    ASSERT_TRUE(six.Draw(0, k, 32)) << k;
  }
  EXPECT_EQ(six.Draw(0, 3, 32)->image, six.Draw(0, 1, 32)->image);
  EXPECT_NE(six.Draw(0, 2, 32)->image, six.Draw(0, 1, 32)->image);
  EXPECT_FALSE(six.Draw(0, 6, 32));
}

TEST_F(LibraryTestdata, IconFilesCountOneAndBrokenOnesNone) {
  const std::pair<const char*, int> kFiles[] = {
      {"ico/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.ico", 1},
      {"ico/image-rs/png-32bpp-alpha.ico", 1},
      {"ico/nsis/nsis3-install.ico", 1},
      {"cur/pillow/deerstalker.cur", 1},
      {"ico/gdk-pixbuf/fail/bug779012.ico", 0},                      // image past the end
      {"ico/mozilla-reftest/ico-bmp-corrupted/invalid-bpp.ico", 0},  // 48 bits a pixel
      {"reference/image-rs/png-32bpp-alpha.ico.png", 0},
  };
  for (const auto& [name, count] : kFiles) {
    const IconFileReader reader(Map(name));
    EXPECT_EQ(reader.Count(), count) << name;
    EXPECT_EQ(reader.Draw(0, 0, 32).has_value(), count == 1) << name;
  }
}

}  // namespace
}  // namespace pelorin
