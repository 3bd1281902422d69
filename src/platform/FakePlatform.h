// A scripted platform for tests: answers message boxes from a queue, reports a configurable
// screen, and records everything the program asked of it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/ModalDialog.h"
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
  Colour dark_shadow = 0x000000;
  Colour light = 0xC0C0C0;
  std::string program_path = "/opt/pelorin/pelorin";
  std::uint32_t seed = 12345;

  // Answers for the next message boxes; an empty queue answers OK (or Cancel where OK is not
  // offered).
  std::deque<MsgAnswer> answers;

  // Answers for the next colour dialogs; an empty queue cancels.
  std::deque<std::optional<Colour>> colour_answers;

  // Answers for the next file dialogs; an empty queue cancels.
  std::deque<std::optional<FileChoice>> open_answers;
  std::deque<std::optional<FileChoice>> save_answers;
  // The screen as a grab sees it; nullopt when no image can be had.
  std::optional<Raster> screen_image;
  // The system folder; none by default, so the icon browser shows its built-in library.
  std::string system_directory;

  // The clipboard: what a read gives. ClearClipboard empties it and SetClipboardPicture puts the
  // picture there, as the system's would; a test sets it to what another program offers.
  ClipboardPicture clipboard;
  // The picture files of other programs, by path; any other path is no picture.
  std::map<std::string, ClipboardPicture> picture_files;
  // The settings stores, keyed by (group, name).
  std::map<std::pair<std::string, std::string>, std::string> settings;
  std::map<std::pair<std::string, std::string>, std::string> system_settings;
  // Programs "installed" on the search path, by name; and whether starting one succeeds.
  std::map<std::string, std::string> installed_programs;
  bool start_succeeds = true;
  bool open_url_succeeds = true;

  // What happened.
  std::vector<ShownMessage> messages;
  std::vector<std::string> registrations;
  std::vector<FileDialogSettings> open_dialogs;
  std::vector<FileDialogSettings> save_dialogs;
  int screen_grabs = 0;
  std::vector<Raster> clipboard_puts;  // every picture put on the clipboard, in order
  int clipboard_clears = 0;
  std::vector<std::pair<std::string, std::vector<std::string>>> started_programs;
  std::vector<std::string> opened_urls;
  std::vector<ScreenPointer> pointer_changes;
  ScreenPointer screen_pointer = ScreenPointer::kDefault;
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
  std::optional<FileChoice> ShowOpen(const FileDialogSettings& s) override {
    open_dialogs.push_back(s);
    return Next(open_answers);
  }
  std::optional<FileChoice> ShowSaveAs(const FileDialogSettings& s) override {
    save_dialogs.push_back(s);
    return Next(save_answers);
  }
  // What a dialog of type D does while it is shown: the test presses its controls (or, in the
  // capture window, moves the pointer, releases a button, presses Esc). Without a script a dialog
  // is closed with its close box, which leaves its tag empty; nullptr takes the script away.
  template <typename D>
  void Answer(std::function<void(D&)> script) {
    if (!script) {
      dialog_scripts_.erase(typeid(D));
      return;
    }
    dialog_scripts_[typeid(D)] = [script = std::move(script)](Dialog& dialog) {
      script(static_cast<D&>(dialog));
    };
  }
  // How many dialogs of type D were shown.
  template <typename D>
  int Shown() const {
    const auto found = dialogs_shown_.find(typeid(D));
    return found == dialogs_shown_.end() ? 0 : found->second;
  }
  void ShowDialog(Dialog& dialog) override {
    const std::type_index type = typeid(dialog);
    ++dialogs_shown_[type];
    const auto found = dialog_scripts_.find(type);
    if (found == dialog_scripts_.end()) return;
    // A copy: the script may give this dialog type another one.
    const std::function<void(Dialog&)> script = found->second;
    script(dialog);
  }
  std::optional<Raster> GrabScreen() override {
    ++screen_grabs;
    return screen_image;
  }
  void ClearClipboard() override {
    ++clipboard_clears;
    clipboard = {};
  }
  bool ClipboardHasPicture() override { return clipboard.kind != ClipboardPicture::Kind::kNone; }
  ClipboardPicture GetClipboardPicture() override { return clipboard; }
  ClipboardPicture ReadPictureFile(const std::string& path) override {
    const auto found = picture_files.find(path);
    return found != picture_files.end() ? found->second : ClipboardPicture{};
  }
  void SetClipboardPicture(const Raster& picture, const Raster* transparency) override {
    clipboard_puts.push_back(picture);
    clipboard = ClipboardPicture::Of(picture);
    // As the system's clipboard reads it back: the mask only when something is transparent.
    if (transparency != nullptr) {
      for (int y = 0; y < transparency->height(); ++y)
        for (int x = 0; x < transparency->width(); ++x)
          if (transparency->At(x, y) == kWhite) clipboard.mask = *transparency;
    }
  }
  std::string SystemDirectory() const override { return system_directory; }
  std::optional<std::string> GetSetting(const std::string& group,
                                        const std::string& name) override {
    auto it = settings.find({group, name});
    if (it == settings.end()) return std::nullopt;
    return it->second;
  }
  void SetSetting(const std::string& group, const std::string& name,
                  const std::string& value) override {
    settings[{group, name}] = value;
  }
  void DeleteSetting(const std::string& group, const std::string& name) override {
    settings.erase({group, name});
  }
  std::optional<std::string> GetSystemSetting(const std::string& group,
                                              const std::string& name) override {
    auto it = system_settings.find({group, name});
    if (it == system_settings.end()) return std::nullopt;
    return it->second;
  }
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override {
    started_programs.push_back({program, args});
    return start_succeeds;
  }
  std::string FindProgram(const std::string& name) override {
    auto it = installed_programs.find(name);
    return it == installed_programs.end() ? std::string() : it->second;
  }
  bool OpenUrl(const std::string& url) override {
    opened_urls.push_back(url);
    return open_url_succeeds;
  }
  ScreenPointer GetScreenPointer() const override { return screen_pointer; }
  void SetScreenPointer(ScreenPointer p) override {
    screen_pointer = p;
    pointer_changes.push_back(p);
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
      case SysColour::kDarkShadow:
        return dark_shadow;
      case SysColour::kLight:
        return light;
    }
    return button_face;
  }
  std::string ProgramPath() const override { return program_path; }
  void RegisterIconFileType(const std::string& path) override { registrations.push_back(path); }
  void DoEvents() override { ++do_events_calls; }
  void Beep() override { ++beeps; }
  std::uint32_t ClockSeed() const override { return seed; }

 private:
  std::map<std::type_index, std::function<void(Dialog&)>> dialog_scripts_;
  std::map<std::type_index, int> dialogs_shown_;

  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto a = queue.front();
    queue.pop_front();
    return a;
  }
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
  void Close() override { ++close_requests; }
  int close_requests = 0;
  void Hide() override { shown = false; }
  void Show() override { shown = true; }
  bool shown = true;
  void Move(int l, int t) override {
    left = l;
    top = t;
  }
};

}  // namespace pelorin
