#include "commands/ExtractCommand.h"

#include <charconv>

#include "extract/FrmIcons.h"
#include "extract/IconLibrary.h"

namespace pelorin {

void ExtractCommand::MnuExtract_Click() {
  if (!files_.QuerySave()) return;
  FrmIcons dialog(platform_);
  dialog.Form_Load();
  platform_.ShowDialog(dialog);
  // Closed any other way than with OK: the document stays as it is.
  if (dialog.Tag != "Ok") return;

  window_.ClearDocument();
  const std::string& path = dialog.CmdOk_Tag;
  int selected = 0;
  const std::string& index = dialog.CmdBrowse_Tag;
  std::from_chars(index.data(), index.data() + index.size(), selected);
  // An animated cursor's frames are the animation steps of its icon 0.
  const bool animated = IsAnimatedCursorPath(path);
  const IconLibrary library = IconLibrary::Open(path);
  // An icon that cannot be taken out leaves the new picture blank.
  files_.TakePicture(library.Draw(animated ? 0 : selected, animated ? selected : 0,
                                  platform_.ScreenBitsPerPixel()));
}

}  // namespace pelorin
