#include <cstdlib>

#include "extract/FrmIconsView.h"
#include "extract/IconLibrary.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowIcons(FrmIcons& dialog) {
  FrmIconsView view(dialog, parent_);
  PlaceDialog(view);
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
