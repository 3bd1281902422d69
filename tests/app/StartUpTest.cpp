#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/StartUp.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

constexpr char kSizeMessage[] =
    "Pelorin 要求屏幕设置至少 640 X 480 象素。\r\n\r\n调整屏幕设置，重试。";
constexpr char kDepthMessage[] = "Pelorin 要求至少高色度模式。\r\n\r\n调整颜色模式，重试。";

struct ScreenCase {
  int width, height, bits;
  const char* message;  // nullptr when the program may start
};

// Shown by GoogleTest where a case fails, instead of the object's bytes.
void PrintTo(const ScreenCase& c, std::ostream* out) {
  *out << c.width << " x " << c.height << " at " << c.bits << " bits, "
       << (c.message == nullptr ? "starts" : "refused");
}

std::string CaseName(const ScreenCase& c) {
  return std::to_string(c.width) + "x" + std::to_string(c.height) + "x" + std::to_string(c.bits);
}

class EntryProcedureTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(EntryProcedureTest, ChecksTheScreenBeforeRegistering) {
  const ScreenCase& c = GetParam();
  FakePlatform platform;
  platform.screen_width = c.width;
  platform.screen_height = c.height;
  platform.screen_bits = c.bits;

  const bool started = RunEntryProcedure(platform);

  if (c.message == nullptr) {
    EXPECT_TRUE(started);
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.registrations.size(), 1u);
    EXPECT_EQ(platform.registrations[0], platform.program_path);
  } else {
    EXPECT_FALSE(started);
    ASSERT_EQ(platform.messages.size(), 1u) << "only the first failing check speaks";
    EXPECT_EQ(platform.messages[0].text, c.message);
    EXPECT_EQ(platform.messages[0].title, "Pelorin - 错误");
    EXPECT_EQ(platform.messages[0].icon, MsgIcon::kStop);
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::kOk);
    EXPECT_TRUE(platform.registrations.empty()) << "nothing is registered when the checks fail";
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, EntryProcedureTest,
                         ::testing::Values(ScreenCase{640, 480, 24, nullptr},
                                           ScreenCase{1920, 1080, 32, nullptr},
                                           ScreenCase{640, 480, 15, nullptr},
                                           ScreenCase{640, 480, 16, nullptr},
                                           ScreenCase{639, 480, 24, kSizeMessage},
                                           ScreenCase{640, 479, 24, kSizeMessage},
                                           ScreenCase{640, 480, 8, kDepthMessage},
                                           // A small 256-colour screen hears only about its size.
                                           ScreenCase{320, 200, 8, kSizeMessage}),
                         [](const ::testing::TestParamInfo<ScreenCase>& param_info) {
                           return CaseName(param_info.param);
                         });

TEST(EntryProcedure, RegistersAgainAtEveryStart) {
  FakePlatform platform;
  RunEntryProcedure(platform);
  RunEntryProcedure(platform);
  ASSERT_EQ(platform.registrations.size(), 2u);
  EXPECT_EQ(platform.registrations[0], platform.registrations[1]);
}

TEST(CommandLine, OpenPrefixIsCaseInsensitiveAndThePathIsTakenVerbatim) {
  EXPECT_EQ(PathToOpen("/open /home/li/icons/a.ico"), "/home/li/icons/a.ico");
  EXPECT_EQ(PathToOpen("/OPEN /icons/a.ico"), "/icons/a.ico");
  EXPECT_EQ(PathToOpen("/Open /icons/a.ico"), "/icons/a.ico");
  // Letter case and inner spaces of the path stay as they are: names are case-sensitive here.
  EXPECT_EQ(PathToOpen("/open /home/Li/My Icons/Smile.ICO"), "/home/Li/My Icons/Smile.ICO");
  EXPECT_EQ(PathToOpen("/open  two spaces.ico"), " two spaces.ico");
  EXPECT_EQ(PathToOpen("/open \"quoted.ico\""), "\"quoted.ico\"");
}

TEST(CommandLine, AnythingElseIsIgnored) {
  EXPECT_EQ(PathToOpen(""), std::nullopt);
  EXPECT_EQ(PathToOpen("/opena.ico"), std::nullopt);
  EXPECT_EQ(PathToOpen("open a.ico"), std::nullopt);
  EXPECT_EQ(PathToOpen("/open"), std::nullopt);
  EXPECT_EQ(PathToOpen(" /open a.ico"), std::nullopt);
  EXPECT_EQ(PathToOpen("/edit a.ico"), std::nullopt);
}

TEST(CommandLine, ArgumentsAreJoinedBySingleSpaces) {
  EXPECT_EQ(JoinArguments({}), "");
  EXPECT_EQ(JoinArguments({"/open", "/tmp/My Icons/a.ico"}), "/open /tmp/My Icons/a.ico");
  EXPECT_EQ(PathToOpen(JoinArguments({"/OPEN", "/tmp/x.ico"})), "/tmp/x.ico");
}

}  // namespace
}  // namespace pelorin
