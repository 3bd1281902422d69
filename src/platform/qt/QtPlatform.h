// The platform as Qt and the Linux desktop provide it. The program's own dialogs are shown with
// the views registered for them (DialogViews.h), so that nothing here knows any dialog.
#pragma once

#include "platform/Platform.h"

class QDialog;
class QScreen;
class QWidget;

namespace pelorin {

class Dialog;

class QtPlatform : public Platform {
 public:
  // Message boxes are shown over `parent` once it is set.
  void SetDialogParent(QWidget* parent) { parent_ = parent; }

  MsgAnswer MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                   std::string_view title) override;
  std::optional<Colour> ShowColor() override;
  std::optional<FileChoice> ShowOpen(const FileDialogSettings& settings) override;
  std::optional<FileChoice> ShowSaveAs(const FileDialogSettings& settings) override;
  void ShowDialog(Dialog& dialog) override;
  std::optional<Raster> GrabScreen() override;
  void ClearClipboard() override;
  bool ClipboardHasPicture() override;
  ClipboardPicture GetClipboardPicture() override;
  void SetClipboardPicture(const Raster& picture, const Raster* transparency) override;
  ClipboardPicture ReadPictureFile(const std::string& path) override;
  std::string SystemDirectory() const override;
  std::optional<std::string> GetSetting(const std::string& group, const std::string& name) override;
  void SetSetting(const std::string& group, const std::string& name,
                  const std::string& value) override;
  void DeleteSetting(const std::string& group, const std::string& name) override;
  std::optional<std::string> GetSystemSetting(const std::string& group,
                                              const std::string& name) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args) override;
  std::string FindProgram(const std::string& name) override;
  bool OpenUrl(const std::string& url) override;
  ScreenPointer GetScreenPointer() const override { return screen_pointer_; }
  void SetScreenPointer(ScreenPointer pointer) override;
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int ScreenBitsPerPixel() const override;
  Colour SysColor(SysColour which) const override;
  std::string ProgramPath() const override;
  void RegisterIconFileType(const std::string& program_path) override;
  void DoEvents() override;
  void Beep() override;
  std::uint32_t ClockSeed() const override;

  // For the dialogs' views: the program's dialogs stand over the main window.
  QWidget* DialogParent() const { return parent_; }
  // The screen the main window is on.
  QScreen* DialogScreen() const;
  // Shows `view` modally, placed as every dialog of the program is: `dialog` works out the place
  // from the view's size (at the screen's horizontal centre with a third of the free height
  // above it), and the view is moved there.
  void RunModal(QDialog& view, Dialog& dialog) const;

 private:
  QWidget* parent_ = nullptr;
  ScreenPointer screen_pointer_ = ScreenPointer::kDefault;
};

}  // namespace pelorin
