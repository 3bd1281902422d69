// Everything the editor needs from the system it runs on: message boxes, the screen, system
// colours, the desktop's file associations, pending events, the beep and the random seed.
//
// The program implements it with Qt (platform/qt/QtPlatform); the tests with a scripted fake
// (platform/FakePlatform) that answers from a queue and records what was asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "raster/Raster.h"

namespace pelorin {

enum class MsgIcon { kNone, kStop, kQuestion, kExclamation, kInformation };
enum class MsgButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MsgAnswer { kOk, kCancel, kYes, kNo };

enum class SysColour { kButtonFace, kButtonShadow, kButtonHighlight };

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box. Line breaks in `text` are "\r\n".
  virtual MsgAnswer MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                           std::string_view title) = 0;

  // The colour dialog with its custom-colour section open; nullopt when the user cancels.
  virtual std::optional<Colour> ShowColor() = 0;

  // The primary screen.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int ScreenBitsPerPixel() const = 0;

  virtual Colour SysColor(SysColour which) const = 0;

  // The absolute path of the running program.
  virtual std::string ProgramPath() const = 0;
  // Makes the desktop open icon files with "<program_path> /open <file>". Failures are silent.
  virtual void RegisterIconFileType(const std::string& program_path) = 0;

  // Lets pending window events run.
  virtual void DoEvents() = 0;
  virtual void Beep() = 0;
  // A seed for the random generator, taken from the clock.
  virtual std::uint32_t ClockSeed() const = 0;
};

// The main window as the desktop shows it: its title, its size with frame and menu bar, and
// where it stands on the screen.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual int OuterWidth() const = 0;
  virtual int OuterHeight() const = 0;
  virtual void Move(int left, int top) = 0;
  // The state of the window's controls (check boxes, menu marks) changed in the core.
  virtual void ControlsChanged() {}
};

}  // namespace pelorin
