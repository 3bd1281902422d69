#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/DesktopSession.h"

namespace pelorin {
namespace {

Environment With(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> const char* {
    const auto it = values.find(name);
    return it == values.end() ? nullptr : it->second.c_str();
  };
}

TEST(DesktopSession, ADisplayOrAPlatformChosenByHandIsAGraphicalSession) {
  EXPECT_FALSE(HasGraphicalSession({}, With({})));
  EXPECT_FALSE(HasGraphicalSession({"/open", "a.ico"}, With({{"DISPLAY", ""}})));
  EXPECT_TRUE(HasGraphicalSession({}, With({{"DISPLAY", ":0"}})));
  EXPECT_TRUE(HasGraphicalSession({}, With({{"WAYLAND_DISPLAY", "wayland-0"}})));
  EXPECT_TRUE(HasGraphicalSession({}, With({{"QT_QPA_PLATFORM", "offscreen"}})));
  EXPECT_TRUE(HasGraphicalSession({"-platform", "vnc"}, With({})));
}

TEST(DesktopSession, ScaleFactorsBecomeWholeNumbers) {
  EXPECT_EQ(WholeScaleFactors("1.25"), "1");
  EXPECT_EQ(WholeScaleFactors("1.5"), "2");
  EXPECT_EQ(WholeScaleFactors("1.75"), "2");
  EXPECT_EQ(WholeScaleFactors("2"), "2");
  EXPECT_EQ(WholeScaleFactors("0.5"), "1");
  EXPECT_EQ(WholeScaleFactors("1.25;2.5"), "1;3");
  EXPECT_EQ(WholeScaleFactors("DP-1=1.25;HDMI-1=2.6"), "DP-1=1;HDMI-1=3");
  // What is not a number is left for the toolkit to judge.
  EXPECT_EQ(WholeScaleFactors(""), "");
  EXPECT_EQ(WholeScaleFactors("big"), "big");
  EXPECT_EQ(WholeScaleFactors("-2;1.4x"), "-2;1.4x");
}

}  // namespace
}  // namespace pelorin
