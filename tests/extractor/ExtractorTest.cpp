// The extractor: what the command writes (names, bytes, PNG pictures) and, for damaged, hostile
// or unreadable input and wrong usage, what it says and leaves alone; and, on the sample
// programs and libraries, its files against the libraries' own resource bytes.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "extract/IconReaders.h"
#include "extract/LibraryBuilder.h"
#include "extract/PngReader.h"
#include "extractor/ExtractorCommand.h"
#include "files/MappedFile.h"
#include "support/Testdata.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using namespace pelorin::testing;

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Extract(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunExtractor(args, out, err);
  return {status, out.str(), err.str()};
}

// A cursor group resource naming `images` (hot spot + image) by ids 1, 2, ...; and the cursor
// file they make, entry by entry as Windows builds it.
Bytes CursorGroup(const std::vector<IcoImage>& images, std::uint16_t first_id) {
  Bytes b;
  PutLe(b, 0, 2);
  PutLe(b, 2, 2);
  PutLe(b, images.size(), 2);
  for (std::size_t i = 0; i < images.size(); ++i) {
    PutLe(b, images[i].width, 2);
    PutLe(b, images[i].height * 2, 2);
    PutLe(b, 1, 2);
    PutLe(b, images[i].bit_count, 2);
    PutLe(b, images[i].data.size() + 4, 4);
    PutLe(b, first_id + i, 2);
  }
  return b;
}
Bytes HotSpotAnd(const IcoImage& image, int x, int y) {
  Bytes b;
  PutLe(b, x, 2);
  PutLe(b, y, 2);
  b.insert(b.end(), image.data.begin(), image.data.end());
  return b;
}

class ExtractorCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pelorin-extract-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    fs::create_directory(dir_ / "out");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string In(const std::string& name) const { return (dir_ / name).string(); }
  std::string Out() const { return (dir_ / "out").string(); }
  // The files in the output folder, by name, with what they hold.
  std::map<std::string, Bytes> Written() const {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::directory_iterator(dir_ / "out"))
      files[entry.path().filename().string()] = ReadBytes(entry.path());
    return files;
  }

  fs::path dir_;
};

TEST_F(ExtractorCommand, WritesWhatEachFileHoldsAndSaysWhatItCannotRead) {
  // A library: a named icon group, a numbered one in two languages whose image exists in both,
  // a cursor group, and a group named to leave the folder.
  const IcoImage small = SolidImage(16, 0x102030, 8);
  const IcoImage big = SolidImage(32, 0x405060);
  const IcoImage german = SolidImage(32, 0x708090);
  const IcoImage arrow = SolidImage(32, 0xA0B0C0, 1);
  std::vector<PeResource> resources = {
      {3, "", 1, small.data},
      {3, "", 2, big.data},
      {3, "", 2, german.data, 0x407},
      {14, "MAIN", 0, BuildGroup({small, big}, {1, 2})},
      {14, "", 7, BuildGroup({big}, {2})},
      {14, "", 7, BuildGroup({german}, {2}), 0x407},
      {14, "../x\x01y", 0, BuildGroup({small}, {1})},
      {1, "", 5, HotSpotAnd(arrow, 3, 9)},
      {12, "", 4, CursorGroup({arrow}, 5)},
  };
  const Bytes library = BuildPeParts(resources).Joined();
  WriteBytes(In("lib.dll"), library);
  // Damaged: one group names an image that is not there, another's image is cut by the file's
  // end; the group before them is whole.
  const Bytes whole = BuildPeParts({{14, "", 1, BuildGroup({small}, {1})},
                                    {14, "", 2, BuildGroup({small}, {9})},
                                    {14, "", 3, BuildGroup({big}, {3})},
                                    {3, "", 1, small.data},
                                    {3, "", 3, big.data}})
                          .Joined();
  WriteBytes(In("damaged.dll"), Bytes(whole.begin(), whole.end() - 100));
  // 300 groups, each of one 256 x 256 image 100 times: 8 GB of icon files from a 700 KB library.
  const IcoImage huge = SolidImage(256, 0x123456, 32);
  std::vector<PeResource> bomb = {{3, "", 1, huge.data}};
  const Bytes hundred =
      BuildGroup(std::vector<IcoImage>(100, huge), std::vector<std::uint16_t>(100, 1));
  for (std::uint16_t id = 1; id <= 300; ++id) bomb.push_back({14, "", id, hundred});
  WriteBytes(In("bomb.dll"), BuildPeParts(bomb).Joined());
  // Cut where its resources begin: headers that name resources that are not there.
  WriteBytes(In("headers.dll"), Bytes(whole.begin(), whole.begin() + kPeSectionOffset));
  WriteBytes(In("ne.exe"), BuildNe({{"", 0, {big}}}, 4, true));
  WriteBytes(In("none.exe"), BuildNe({}));
  AniSpec ani;
  ani.frames = {BuildIco({big}), BuildIco({arrow}, 2), Bytes(10, 7)};
  WriteBytes(In("walk.ani"), BuildAni(ani));
  WriteBytes(In("bad\xff.exe"), BuildPe({{"", 1, {small}}}));
  WriteBytes(In("none.dll"), BuildPe({}));
  WriteBytes(In("face.ico"), BuildIco({big, small}));
  WriteBytes(In("text.exe"), Bytes(300, 'x'));
  // A gigabyte of nothing after a program's first bytes, as a sparse file.
  WriteBytes(In("huge.exe"), {'M', 'Z'});
  fs::resize_file(In("huge.exe"), std::uintmax_t{1} << 30);
  fs::create_directory(In("folder"));
  ASSERT_EQ(::mkfifo(In("pipe").c_str(), 0666), 0);

  const Bytes lib_main = BuildIco({small, big});
  Bytes lib_cursor = BuildIco({arrow}, 2);
  PutAt(lib_cursor, 6 + 2, 2, 1);  // 1-bit: two colours
  PutAt(lib_cursor, 6 + 4, 3, 2);  // the hot spot
  PutAt(lib_cursor, 6 + 6, 9, 2);
  struct Case {
    std::vector<std::string> args;
    int status;
    std::map<std::string, Bytes> written;  // empty bytes: only the name is checked
    std::vector<std::string> said;         // what the messages must name
  };
  const std::string o = Out();
  const std::vector<Case> kCases = {
      {{"-o", o, In("lib.dll")},
       kEveryFileRead,
       {{"lib.dll-MAIN.ico", lib_main},
        {"lib.dll-7-1033.ico", BuildIco({big})},
        {"lib.dll-7-1031.ico", BuildIco({german})},
        {"lib.dll-.._x_y.ico", BuildIco({small})},
        {"lib.dll-4.cur", lib_cursor}},
       {}},
      {{"-o", o, In("damaged.dll")},
       kSomethingNotRead,
       {{"damaged.dll-1.ico", BuildIco({small})}},
       {"damaged.dll", "图标 2", "图标 3"}},
      {{"-o", o, In("ne.exe")}, kEveryFileRead, {{"ne.exe-1.ico", BuildIco({big})}}, {}},
      {{"--output=" + o, In("walk.ani")},
       kSomethingNotRead,
       {{"walk.ani-1.ico", ani.frames[0]}, {"walk.ani-2.cur", ani.frames[1]}},
       {"walk.ani", "第 3 帧"}},
      {{"-o", o, In("bad\xff.exe")}, kEveryFileRead, {{"bad_.exe-1.ico", {}}}, {}},
      {{"-o", o, In("none.dll"), In("none.exe"), In("face.ico")},
       kEveryFileRead,
       {},
       {"none.dll", "none.exe", "face.ico"}},
      {{"-o", o, In("headers.dll")}, kSomethingNotRead, {}, {"headers.dll 的资源目录"}},
      {{"-o", o, "--png", "16", In("bomb.dll")},
       kSomethingNotRead,
       {{"bomb.dll-1.png", {}}, {"bomb.dll-2.png", {}}, {"bomb.dll-3.png", {}}},
       {"bomb.dll 的图标和光标合起来远远多于"}},
      {{"-o", o, In("text.exe"), In("huge.exe"), In("folder"), In("pipe"), In("missing.dll")},
       kSomethingNotRead,
       {},
       {"text.exe", "huge.exe", "folder：这是文件夹", "pipe：这是管道", "missing.dll：文件不存在"}},
      // Every image, and one thumbnail-sized picture a group.
      {{"-o", o, "--png", In("ne.exe"), In("face.ico")},
       kEveryFileRead,
       {{"ne.exe-1-1-32x32x24.png", {}},
        {"face.ico-1-32x32x24.png", {}},
        {"face.ico-2-16x16x8.png", {}}},
       {}},
      {{"-o", o, "--png", "64", In("lib.dll")},
       kEveryFileRead,
       {{"lib.dll-MAIN.png", {}},
        {"lib.dll-7-1033.png", {}},
        {"lib.dll-7-1031.png", {}},
        {"lib.dll-.._x_y.png", {}},
        {"lib.dll-4.png", {}}},
       {}},
      {{"-o", In("missing"), In("lib.dll")}, kSomethingNotRead, {}, {"missing"}},
      {{"-o", In("lib.dll"), In("lib.dll")}, kSomethingNotRead, {}, {"lib.dll"}},
      {{}, kWrongUsage, {}, {}},
      {{"-o"}, kWrongUsage, {}, {}},
      {{"-x", In("lib.dll")}, kWrongUsage, {}, {"-x"}},
      {{"--png=0", In("lib.dll")}, kWrongUsage, {}, {"0"}},
      {{"-l", "-o", o, In("lib.dll")}, kWrongUsage, {}, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    for (const auto& entry : fs::directory_iterator(Out())) fs::remove(entry.path());
    const Outcome run = Extract(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    const auto written = Written();
    std::vector<std::string> names, wanted;
    for (const auto& [name, bytes] : written) names.push_back(name);
    for (const auto& [name, bytes] : c.written) {
      wanted.push_back(name);
      if (!bytes.empty() && written.count(name) != 0) {
        EXPECT_EQ(written.at(name), bytes) << name;
      }
    }
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(names, wanted);
    for (const std::string& word : c.said) EXPECT_NE(run.err.find(word), std::string::npos) << word;
    // One line per message; nothing said after a whole run.
    if (c.status == kEveryFileRead && c.said.empty()) {
      EXPECT_EQ(run.err, "");
    }
  }

  // A picture keeps the image's transparency and is scaled as the thumbnailer scales: the
  // 32 x 32 image doubled to 64.
  Extract({"-o", o, "--png", "64", In("ne.exe")});
  const auto png = DecodePng(ReadBytes(dir_ / "out" / "ne.exe-1.png"));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 64);
  EXPECT_EQ(png->rgba[0] << 16 | png->rgba[1] << 8 | png->rgba[2], 0x405060);
  fs::remove(dir_ / "out" / "ne.exe-1.png");

  // An existing file stays without -f (and is reported), is replaced with it; a name already
  // written in the same run gets a number.
  WriteBytes(dir_ / "out" / "ne.exe-1.ico", {'o', 'l', 'd'});
  Outcome run = Extract({"-o", o, In("ne.exe")});
  EXPECT_EQ(run.status, kSomethingNotRead);
  EXPECT_NE(run.err.find("ne.exe-1.ico"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir_ / "out" / "ne.exe-1.ico"), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(Extract({"-f", "-o", o, In("ne.exe"), In("ne.exe")}).status, kEveryFileRead);
  EXPECT_EQ(ReadBytes(dir_ / "out" / "ne.exe-1.ico"), BuildIco({big}));
  EXPECT_EQ(ReadBytes(dir_ / "out" / "ne.exe-1-2.ico"), BuildIco({big}));
  EXPECT_EQ(Written().size(), 2u);  // and no temporary file

  // The listing: one line a group, nothing written.
  run = Extract({"-l", In("lib.dll"), In("walk.ani")});
  EXPECT_EQ(run.status, kSomethingNotRead);  // the third frame
  EXPECT_NE(run.out.find(In("lib.dll") + "\t图标\tMAIN\t1033\t16x16 8 位 位图, 32x32 24 位 位图\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\t光标\t4\t1033\t32x32 1 位 位图\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\t光标\t2\t-\t32x32 1 位 位图\n"), std::string::npos) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7);
}

TEST(ExtractorNames, LeaveNoSeparatorControlCharacterOrBrokenText) {
  EXPECT_EQ(SafeName("a/b\x7f\xc2\x85"
                     "c"),
            "a_b__c");
  EXPECT_EQ(SafeName("图标\xe5\x9b"), "图标__");
  EXPECT_EQ(SafeName("..\t"), ".._");
}

// The resources of `type` in a PE file by (id, language), found by a walk of the resource tree
// written here from the format, apart from the readers'.
std::map<std::pair<std::uint32_t, std::uint32_t>, Bytes> PeResourcesOf(const Bytes& f,
                                                                       std::uint32_t type) {
  const auto u16 = [&](std::size_t at) { return f.at(at) | f.at(at + 1) << 8; };
  const auto u32 = [&](std::size_t at) { return std::uint32_t(u16(at) | u16(at + 2) << 16); };
  const std::size_t pe = u32(0x3C);
  const std::size_t optional = pe + 24;
  const bool plus = u16(optional) == 0x20B;
  const std::uint32_t rva = u32(optional + (plus ? 112 : 96) + 16);
  const std::size_t sections = optional + u16(pe + 20);
  const auto offset = [&](std::uint32_t address) -> std::size_t {
    for (int s = 0; s < u16(pe + 6); ++s) {
      const std::size_t at = sections + 40 * s;
      if (address >= u32(at + 12) && address < u32(at + 12) + std::max(u32(at + 8), u32(at + 16)))
        return address - u32(at + 12) + u32(at + 20);
    }
    ADD_FAILURE() << "no section holds " << address;
    return 0;
  };
  const std::size_t root = offset(rva);
  const auto entries = [&](std::size_t dir) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> list;
    for (int i = 0; i < u16(root + dir + 12) + u16(root + dir + 14); ++i)
      list.emplace_back(u32(root + dir + 16 + 8 * i), u32(root + dir + 20 + 8 * i));
    return list;
  };
  std::map<std::pair<std::uint32_t, std::uint32_t>, Bytes> found;
  for (const auto& [t, types] : entries(0)) {
    if (t != type) continue;
    for (const auto& [id, names] : entries(types & 0x7FFFFFFF))
      for (const auto& [language, leaf] : entries(names & 0x7FFFFFFF)) {
        const std::size_t data = offset(u32(root + leaf));
        found[{id, language}] = Bytes(f.begin() + data, f.begin() + data + u32(root + leaf + 4));
      }
  }
  return found;
}

class ExtractorSamples : public NeedsTestdata {};

TEST_F(ExtractorSamples, IconFilesHoldTheGroupsResourceBytesAndDecodeToTheEditorsPictures) {
  std::string pattern = (fs::temp_directory_path() / "pelorin-extract-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path out = pattern;
  const char* kLibraries[] = {"pe/wine-x86_64/winemine.exe", "pe/nsis/zlib-x86-unicode.exe",
                              "icl/xdev70-Icons.icl", "pe/ne/kio-extras/ne16_4bpp.exe"};
  int groups = 0;
  for (const char* name : kLibraries) {
    SCOPED_TRACE(name);
    const std::string path = TestdataDir() + "/" + name;
    const Outcome run = Extract({"-o", out.string(), path});
    ASSERT_EQ(run.status, kEveryFileRead) << run.err;
    const Bytes library = ReadBytes(path);
    const std::string stem = fs::path(path).filename().string();
    const IconFileReader reader(library);
    const bool ne = reader.kind() == IconFileKind::kNewExecutable;
    const auto icons = ne ? decltype(PeResourcesOf(library, 3)){} : PeResourcesOf(library, 3);
    int index = 0;
    for (const auto& [key, group] : ne ? decltype(icons){} : PeResourcesOf(library, 14)) {
      // The directory from the group, each entry's size and offset from its image resource,
      // then the images as they are; for every group of the library.
      Bytes expected(group.begin(), group.begin() + 6);
      Bytes images;
      const int count = group[4] | group[5] << 8;
      for (int i = 0; i < count; ++i) {
        const std::uint8_t* entry = group.data() + 6 + 14 * i;
        const Bytes& image = icons.at({entry[12] | entry[13] << 8, key.second});
        expected.insert(expected.end(), entry, entry + 8);
        PutLe(expected, image.size(), 4);
        PutLe(expected, 6 + 16 * count + images.size(), 4);
        images.insert(images.end(), image.begin(), image.end());
      }
      expected.insert(expected.end(), images.begin(), images.end());
      const Bytes written = ReadBytes(out / (stem + "-" + std::to_string(key.first) + ".ico"));
      EXPECT_EQ(written, expected) << key.first;
      // The editor's picture of the icon file is the browser's picture of the group.
      const auto from_file = DecodeIconFile(written, 32);
      const auto from_library = reader.Draw(index++, 0, 32);
      ASSERT_TRUE(from_file && from_library);
      EXPECT_TRUE(from_file->image == from_library->image && from_file->mask == from_library->mask);
      ++groups;
    }
    if (ne) {
      // The one 64 x 64 image, whose length the NE table stores in bytes: the file's own image.
      const Bytes written = ReadBytes(out / (stem + "-1.ico"));
      const auto from_file = DecodeIconFile(written, 32);
      const auto from_library = reader.Draw(0, 0, 32);
      ASSERT_TRUE(from_file && from_library);
      EXPECT_TRUE(from_file->image == from_library->image && from_file->mask == from_library->mask);
      const Bytes image(written.begin() + 22, written.end());
      EXPECT_NE(std::search(library.begin(), library.end(), image.begin(), image.end()),
                library.end());
      ++groups;
    }
  }
  EXPECT_EQ(groups, 1 + 1 + 20 + 1);
  fs::remove_all(out);
}

}  // namespace
}  // namespace pelorin
