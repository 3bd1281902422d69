// The mapping every reader of outside files works on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/MappedFile.h"

namespace pelorin {
namespace {

TEST(MappedFile, MapsRegularFilesOnly) {
  const auto dir = std::filesystem::temp_directory_path();
  EXPECT_FALSE(MappedFile::Open((dir / "pelorin-no-such-file").string()));
  EXPECT_FALSE(MappedFile::Open(dir.string()));
  const auto path = dir / ("pelorin-empty-" + std::to_string(::getpid()));
  std::ofstream(path).close();
  const auto empty = MappedFile::Open(path.string());
  std::filesystem::remove(path);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->bytes().empty());
  // A pipe is refused at once instead of being waited on for a writer.
  const auto pipe = dir / ("pelorin-pipe-" + std::to_string(::getpid()));
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  EXPECT_EXIT((::alarm(5), std::_Exit(MappedFile::Open(pipe.string()) ? 1 : 0)),
              ::testing::ExitedWithCode(0), "");
  std::filesystem::remove(pipe);
}

}  // namespace
}  // namespace pelorin
