#include <cstdlib>

#include "extract/FrmIconsView.h"
#include "extract/IconLibrary.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowIcons(FrmIcons& dialog) {
  FrmIconsView view(dialog, parent_);
  // Our dialogs stand at the screen's horizontal centre with a third of the free height above.
  view.move((ScreenWidth() - view.width()) / 2, (ScreenHeight() - view.height()) / 3);
  view.exec();
}

std::string QtPlatform::SystemDirectory() const {
  return FindSystemDirectory(WineSystemFolders([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }));
}

}  // namespace pelorin
