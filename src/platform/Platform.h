// Everything the editor needs from the system it runs on: message boxes, the screen, system
// colours, the clipboard, the desktop's file associations, pending events, the beep and the random
// seed.
//
// The program implements it with Qt (platform/qt/QtPlatform); the tests with a scripted fake
// (platform/FakePlatform) that answers from a queue and records what was asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "raster/Raster.h"

namespace pelorin {

class Dialog;

enum class MsgIcon { kNone, kStop, kQuestion, kExclamation, kInformation };
enum class MsgButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MsgAnswer { kOk, kCancel, kYes, kNo };

// The button face and the two pairs of edge colours: shadow and highlight for a one-pixel
// edge, dark shadow and light for the inner border of a two-pixel edge.
enum class SysColour { kButtonFace, kButtonShadow, kButtonHighlight, kDarkShadow, kLight };

// The screen's mouse pointer while the program works: the default or the hourglass.
enum class ScreenPointer : std::int16_t { kDefault = 0, kHourglass = 11 };

// What the program asks of a file dialog.
struct FileDialogSettings {
  std::string title;
  std::string filter;              // "description|pattern" pairs joined by '|'
  int filter_index = 1;            // the pair shown first, counted from 1
  std::string default_extension;   // ".ico"
  std::string initial_name;        // proposed file name or path; may be a pattern such as "*.ico"
  bool must_exist = false;         // Open: the chosen file must exist
  bool confirm_overwrite = false;  // Save As: ask before replacing a file
};

// A file the user chose: its full path and the file name part.
struct FileChoice {
  std::string path;
  std::string name;
};

// The largest clipboard picture the program takes, in pixels: 4096 x 4096 (or any other shape of
// that area, a 7680 x 2160 screenshot of two screens included), 64 MB as a raster. A larger one is
// refused from its header alone, before it is decoded, so that no picture can exhaust the memory
// or hold the program up.
inline constexpr std::int64_t kMaxClipboardPixels = std::int64_t{4096} * 4096;

// What reading a picture from the clipboard gives.
struct ClipboardPicture {
  enum class Kind {
    kNone,         // no picture on the clipboard (it is empty or holds only text or other data)
    kPicture,      // the picture, in `picture`
    kUndecodable,  // a picture is offered but none of its formats decodes
    kTooLarge,     // more than kMaxClipboardPixels; `width` and `height` say how large
  };
  Kind kind = Kind::kNone;
  // kPicture: the picture, opaque (any transparency is laid over white, the staging raster's
  // background).
  Raster picture;
  // kPicture, when the picture has transparent parts: its mask, white where a pixel is more
  // transparent than not and black elsewhere. A picture Pelorin copied carries its selection's
  // mask this way, so that pasting it back keeps opaque white pixels opaque.
  std::optional<Raster> mask;
  // kPicture and kTooLarge: the picture's size in pixels (capped at the largest int).
  int width = 0;
  int height = 0;

  static ClipboardPicture Of(Raster picture) {
    const int w = picture.width();
    const int h = picture.height();
    return {Kind::kPicture, std::move(picture), std::nullopt, w, h};
  }
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box. Line breaks in `text` are "\r\n".
  virtual MsgAnswer MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                           std::string_view title) = 0;

  // The colour dialog with its custom-colour section open; nullopt when the user cancels.
  virtual std::optional<Colour> ShowColor() = 0;

  // File dialogs; nullopt when the user cancels.
  virtual std::optional<FileChoice> ShowOpen(const FileDialogSettings& settings) = 0;
  virtual std::optional<FileChoice> ShowSaveAs(const FileDialogSettings& settings) = 0;

  // Any of the program's own dialogs (the About box, the icon browser, the capture window, ...),
  // shown modally with the view made for its behaviour object: returns once the dialog is hidden
  // (its OK or Cancel button) or closed (its close box, Esc); the caller then reads the
  // dialog's outcome.
  virtual void ShowDialog(Dialog& dialog) = 0;

  // The screen the main window is on, as it looks now, one raster pixel per screen pixel;
  // nullopt when no image of it can be had (no way to read the screen, or the user refused).
  virtual std::optional<Raster> GrabScreen() = 0;

  // The system clipboard, pictures only. A picture put there is opaque and offered to other
  // programs in the usual picture formats; a picture read back from there gives every pixel
  // unchanged. ClipboardHasPicture only looks at the formats offered (it is cheap enough for
  // menu enabling): it is true for an undecodable or too large picture too, which the read then
  // reports.
  virtual void ClearClipboard() = 0;
  virtual bool ClipboardHasPicture() = 0;
  virtual ClipboardPicture GetClipboardPicture() = 0;
  // `transparency`, when given, is the picture's mask (white = transparent): other programs then
  // see those pixels transparent, and a paste here takes the mask back.
  virtual void SetClipboardPicture(const Raster& picture, const Raster* transparency) = 0;
  // A picture file of another program (PNG, BMP, JPEG, ...), read as a clipboard picture is:
  // kNone for anything else (no picture, an icon or cursor file, which is opened rather than
  // pasted, a folder, a pipe, a file that cannot be read), kUndecodable for a picture that does
  // not decode, kTooLarge from its header.
  virtual ClipboardPicture ReadPictureFile(const std::string& path) = 0;

  // The per-user settings store (values are strings in named groups); a missing value reads as
  // nullopt. Failures are silent.
  virtual std::optional<std::string> GetSetting(const std::string& group,
                                                const std::string& name) = 0;
  virtual void SetSetting(const std::string& group, const std::string& name,
                          const std::string& value) = 0;
  virtual void DeleteSetting(const std::string& group, const std::string& name) = 0;
  // The system-wide settings store, read only.
  virtual std::optional<std::string> GetSystemSetting(const std::string& group,
                                                      const std::string& name) = 0;

  // Starts another program with its arguments, detached; false when it cannot be started.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args) = 0;
  // The full path of an installed program found on the search path; empty when there is none.
  virtual std::string FindProgram(const std::string& name) = 0;
  // Opens a web address with the desktop's opener; false when that fails.
  virtual bool OpenUrl(const std::string& url) = 0;

  // The screen's mouse pointer (the hourglass while saving).
  virtual ScreenPointer GetScreenPointer() const = 0;
  virtual void SetScreenPointer(ScreenPointer pointer) = 0;

  // The primary screen.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int ScreenBitsPerPixel() const = 0;

  virtual Colour SysColor(SysColour which) const = 0;

  // The system folder, where the system's icon library shell32.dll lives, with a '/' at its
  // end: here a Wine installation's; empty when there is none.
  virtual std::string SystemDirectory() const = 0;

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
  // The state of the window's controls (check boxes, menu marks, enabling) changed in the core.
  virtual void ControlsChanged() {}
  // Asks the window to close; its unload handler may still keep it open.
  virtual void Close() {}
  // Takes the window off the screen and brings it back (around a screen capture).
  virtual void Hide() {}
  virtual void Show() {}
};

}  // namespace pelorin
