// The platform as Qt and the Linux desktop provide it.
#pragma once

#include "platform/Platform.h"

class QWidget;

namespace pelorin {

class QtPlatform : public Platform {
 public:
  // Message boxes are shown over `parent` once it is set.
  void SetDialogParent(QWidget* parent) { parent_ = parent; }

  MsgAnswer MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                   std::string_view title) override;
  std::optional<Colour> ShowColor() override;
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int ScreenBitsPerPixel() const override;
  Colour SysColor(SysColour which) const override;
  std::string ProgramPath() const override;
  void RegisterIconFileType(const std::string& program_path) override;
  void DoEvents() override;
  void Beep() override;
  std::uint32_t ClockSeed() const override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace pelorin
