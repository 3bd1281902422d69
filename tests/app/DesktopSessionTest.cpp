#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

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

// Which displays are asked, in the toolkit's order, and what is said when none answers. Live
// here: the X display ":0" and the Wayland socket "/run/user/1/wayland-0".
TEST(DesktopSession, ADisplaySetButGoneIsReportedInsteadOfAnAbort) {
  std::vector<std::string> asked;
  const DisplayProbe probe = [&](const DisplayToTry& d) {
    asked.push_back(d.address);
    return d.address == ":0" || d.address == "/run/user/1/wayland-0";
  };
  struct Case {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    std::vector<std::string> asked;
    std::string names;  // in the message; empty when the program goes on
  };
  const std::map<std::string, std::string> kRuntime = {{"XDG_RUNTIME_DIR", "/run/user/1"}};
  auto with = [&](std::map<std::string, std::string> env) {
    env.insert(kRuntime.begin(), kRuntime.end());
    return env;
  };
  const std::vector<Case> cases = {
      {{}, with({{"DISPLAY", ":0"}}), {":0"}, ""},
      {{}, with({{"DISPLAY", ":99"}}), {":99"}, "DISPLAY=:99"},
      {{"-display", ":0"}, with({{"DISPLAY", ":99"}}), {":0"}, ""},
      {{"-display", ":7"}, with({{"DISPLAY", ":0"}}), {":7"}, "-display :7"},
      // Wayland comes first; a live X display behind a stale Wayland one still does.
      {{}, with({{"WAYLAND_DISPLAY", "wayland-0"}}), {"/run/user/1/wayland-0"}, ""},
      {{},
       with({{"WAYLAND_DISPLAY", "wayland-9"}, {"DISPLAY", ":0"}}),
       {"/run/user/1/wayland-9", ":0"},
       ""},
      {{},
       with({{"WAYLAND_DISPLAY", "wayland-9"}}),
       {"/run/user/1/wayland-9"},
       "WAYLAND_DISPLAY=wayland-9 和 DISPLAY（未设置）"},
      {{},
       with({{"WAYLAND_DISPLAY", "/tmp/gone"}, {"DISPLAY", ":99"}}),
       {"/tmp/gone", ":99"},
       "WAYLAND_DISPLAY=/tmp/gone 和 DISPLAY=:99"},
      // Without a runtime folder a relative name has no socket.
      {{},
       {{"WAYLAND_DISPLAY", "wayland-0"}},
       {},
       "WAYLAND_DISPLAY=wayland-0 和 DISPLAY（未设置）"},
      {{},
       with({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":99"}}),
       {"/run/user/1/wayland-0"},
       ""},
      {{}, with({{"WAYLAND_SOCKET", "5"}, {"WAYLAND_DISPLAY", "x"}, {"DISPLAY", ":99"}}), {}, ""},
      // Platforms chosen by hand: only theirs are asked; one without a display server goes on.
      {{},
       with({{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}),
       {},
       "DISPLAY（未设置）"},
      {{"-platform", "wayland:foo"}, with({{"DISPLAY", ":0"}}), {"/run/user/1/wayland-0"}, ""},
      {{}, with({{"QT_QPA_PLATFORM", "xcb;offscreen"}, {"DISPLAY", ":99"}}), {":99"}, ""},
      {{"-platform", "vnc"}, with({{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":99"}}), {}, ""},
  };
  for (const Case& c : cases) {
    asked.clear();
    const auto message = UnreachableDisplayMessage(c.args, With(c.env), probe);
    EXPECT_EQ(asked, c.asked) << c.names;
    if (c.names.empty()) {
      EXPECT_EQ(message, std::nullopt) << *message;
      continue;
    }
    ASSERT_TRUE(message) << c.names;
    EXPECT_EQ(message->substr(0, message->find('\n')),
              "Pelorin 打不开显示：无法连接 " + c.names + "。请确认图形会话仍在运行。");
    EXPECT_EQ(message->back(), '\n');
  }
}

// On a Wayland desktop with XWayland the program goes through XWayland; a choice made by hand, a
// desktop without XWayland and an X11 desktop are left to the toolkit.
TEST(DesktopSession, AWaylandDesktopWithAnXDisplayRunsTheProgramThroughXWayland) {
  struct Case {
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    std::optional<std::string> platform;
  };
  const Case cases[] = {
      {{}, {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xcb"},
      {{}, {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, "xcb"},
      {{"-display", ":1"}, {{"WAYLAND_DISPLAY", "wayland-0"}}, "xcb"},
      {{}, {{"WAYLAND_DISPLAY", "wayland-0"}}, std::nullopt},
      {{}, {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}}, std::nullopt},
      {{}, {{"DISPLAY", ":0"}}, std::nullopt},
      {{}, {{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, std::nullopt},
      {{},
       {{"QT_QPA_PLATFORM", "wayland"}, {"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":0"}},
       std::nullopt},
      {{"-platform", "wayland"}, {{"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":0"}}, std::nullopt},
      {{"/open", "a.ico"}, {{"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":0"}}, "xcb"},
  };
  for (const Case& c : cases) {
    std::string names;
    for (const auto& [name, value] : c.env) names += name + "=" + value + " ";
    EXPECT_EQ(PlatformForSession(c.args, With(c.env)), c.platform) << names;
  }
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
