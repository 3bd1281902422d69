// The File menu's extract command: a new, untitled document from an icon of another file, chosen
// in the icon browser.
#include <charconv>

#include "app/frmMain.h"
#include "extract/FrmIcons.h"
#include "extract/IconLibrary.h"

namespace pelorin {

void frmMain::MnuExtract_Click() {
  if (!QuerySave()) return;
  FrmIcons dialog(platform_);
  dialog.Form_Load();
  platform_.ShowIcons(dialog);
  // Closed any other way than with OK: the document stays as it is.
  if (dialog.Tag != "Ok") return;

  ResetDocument();
  const std::string& path = dialog.CmdOk_Tag;
  int selected = 0;
  const std::string& index = dialog.CmdBrowse_Tag;
  std::from_chars(index.data(), index.data() + index.size(), selected);
  // An animated cursor's frames are the animation steps of its icon 0.
  const bool animated = IsAnimatedCursorPath(path);
  const IconLibrary library = IconLibrary::Open(path);
  const auto icon = library.Draw(animated ? 0 : selected, animated ? selected : 0,
                                 platform_.ScreenBitsPerPixel());
  // An icon that cannot be taken out leaves the new picture blank.
  if (icon) {
    BitBlt(PicMask.raster(), 0, 0, kIconSize, kIconSize, icon->mask, 0, 0, Rop::kSrcCopy);
    BitBlt(PicImage.raster(), 0, 0, kIconSize, kIconSize, icon->image, 0, 0, Rop::kSrcCopy);
    ComposeIcon(picIcon.raster(), 0, 0, kIconSize, kIconSize, PicMask.raster(), PicImage.raster());
  }
  picIcon.Refresh();

  // The canvas copy still holds the empty canvas; the icon goes over it, then onto the canvas.
  ComposeIcon(PicMainCopy.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMask.raster(),
              PicImage.raster());
  BitBlt(PicMain.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMainCopy.raster(), 0, 0,
         Rop::kSrcCopy);
  DrawGrid();

  // The extracted picture is the only state of the history; the document stays untitled and
  // unmodified.
  history_.RemoveOldest();
  RecordStep();
}

}  // namespace pelorin
