// Where the tests find the third-party sample files (icons, cursors, programs with their
// MANIFEST.md), and how a test that needs them stops when they are not there.
//
// The folder is $PELORIN_TESTDATA when set, else the one CMake found beside the checkout
// (../shared/testdata). A clone of its own has no such folder: the tests that read sample files
// are then skipped with one line that says so, and everything else still runs. CI sets
// PELORIN_TESTDATA_REQUIRED, which turns that skip into a failure.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace pelorin::testing {

inline std::string TestdataDir() {
  const char* dir = std::getenv("PELORIN_TESTDATA");
  return dir != nullptr && *dir != '\0' ? dir : PELORIN_TESTDATA_DIR;
}

inline bool HaveTestdata() {
  std::error_code ec;
  return std::filesystem::is_regular_file(TestdataDir() + "/MANIFEST.md", ec);
}

inline std::string TestdataMissing() {
  return "sample files not found at " +
         std::filesystem::path(TestdataDir()).lexically_normal().string() +
         " (no MANIFEST.md); set PELORIN_TESTDATA to a copy of the sample folder to run this test";
}

inline bool TestdataRequired() {
  const char* required = std::getenv("PELORIN_TESTDATA_REQUIRED");
  return required != nullptr && *required != '\0' && std::string(required) != "0";
}

// The base of a fixture whose tests read sample files: each is skipped (failed under CI) when
// the folder is missing.
class NeedsTestdata : public ::testing::Test {
 protected:
  void SetUp() override {
    if (HaveTestdata()) return;
    if (TestdataRequired()) GTEST_FAIL() << TestdataMissing();
    GTEST_SKIP() << TestdataMissing();
  }
};

}  // namespace pelorin::testing
