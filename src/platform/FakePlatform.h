// A scripted platform for tests: answers message boxes from a queue, reports a configurable
// screen, and records everything the program asked of it.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace pelorin {

class FakePlatform : public Platform {
 public:
  struct ShownMessage {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
  };

  // Screen and system, as the tests set them.
  int screen_width = 1024;
  int screen_height = 768;
  int screen_bits = 24;
  Colour button_face = 0xC0C0C0;
  Colour button_shadow = 0x808080;
  Colour button_highlight = 0xFFFFFF;
  std::string program_path = "/opt/pelorin/pelorin";
  std::uint32_t seed = 12345;

  // Answers for the next message boxes; an empty queue answers OK (or Cancel where OK is not
  // offered).
  std::deque<MsgAnswer> answers;

  // Answers for the next colour dialogs; an empty queue cancels.
  std::deque<std::optional<Colour>> colour_answers;

  // What happened.
  std::vector<ShownMessage> messages;
  std::vector<std::string> registrations;
  int colour_dialogs = 0;
  int do_events_calls = 0;
  int beeps = 0;

  MsgAnswer MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                   std::string_view title) override {
    messages.push_back({std::string(text), buttons, icon, std::string(title)});
    if (!answers.empty()) {
      const MsgAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == MsgButtons::kOk || buttons == MsgButtons::kOkCancel ? MsgAnswer::kOk
                                                                          : MsgAnswer::kCancel;
  }
  std::optional<Colour> ShowColor() override {
    ++colour_dialogs;
    if (colour_answers.empty()) return std::nullopt;
    const auto a = colour_answers.front();
    colour_answers.pop_front();
    return a;
  }
  int ScreenWidth() const override { return screen_width; }
  int ScreenHeight() const override { return screen_height; }
  int ScreenBitsPerPixel() const override { return screen_bits; }
  Colour SysColor(SysColour which) const override {
    switch (which) {
      case SysColour::kButtonFace:
        return button_face;
      case SysColour::kButtonShadow:
        return button_shadow;
      case SysColour::kButtonHighlight:
        return button_highlight;
    }
    return button_face;
  }
  std::string ProgramPath() const override { return program_path; }
  void RegisterIconFileType(const std::string& path) override { registrations.push_back(path); }
  void DoEvents() override { ++do_events_calls; }
  void Beep() override { ++beeps; }
  std::uint32_t ClockSeed() const override { return seed; }
};

// The main window's host in tests: remembers the caption and the position.
class FakeWindowHost : public WindowHost {
 public:
  std::string caption;
  int outer_width = 570;
  int outer_height = 400;
  int left = -1;
  int top = -1;

  void SetCaption(const std::string& c) override { caption = c; }
  int OuterWidth() const override { return outer_width; }
  int OuterHeight() const override { return outer_height; }
  void Move(int l, int t) override {
    left = l;
    top = t;
  }
};

}  // namespace pelorin
