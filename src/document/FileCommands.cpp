// New, Open, Save and Save As; the save-changes prompt; the file writer; and the window's
// lifecycle around them (drops, the recent list, closing).
#include <string>
#include <string_view>

#include "app/StartUp.h"
#include "app/frmMain.h"
#include "document/IconFile.h"
#include "extract/FileSource.h"

namespace pelorin {

namespace {

constexpr std::string_view kIconFilter = "图标文件(*.ico)|*.ico";

// The file name part of a path: the text after its last '/' (the whole path without one).
std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The Open and Save As dialogs both offer icon files only, with ".ico" added when left out.
FileDialogSettings IconFileDialog(std::string_view action) {
  FileDialogSettings settings;
  settings.title = std::string(kProgramTitle) + " - " + std::string(action);
  settings.filter = kIconFilter;
  settings.default_extension = ".ico";
  return settings;
}

}  // namespace

bool frmMain::QuerySave() {
  SaveSucceeded = false;
  if (!Modified) return true;
  switch (platform_.MsgBox("保存对当前图标文件的修改吗？", MsgButtons::kYesNoCancel,
                           MsgIcon::kQuestion, kProgramTitle)) {
    case MsgAnswer::kNo:
      Modified = false;
      return true;
    case MsgAnswer::kYes:
      SaveDocument(DocPath != kUntitled ? SaveMode::kSave : SaveMode::kSaveAs);
      return SaveSucceeded;
    default:
      return false;
  }
}

void frmMain::MnuNew_Click() {
  if (QuerySave()) ResetDocument();
}

void frmMain::MnuOpen_Click() {
  if (!QuerySave()) {
    // A declined open must not leave its source behind for the next Open from the menu.
    OpenFromDrop = OpenFromCommandLine = OpenFromRecent = false;
    return;
  }
  SetCanvasEnabled(false);
  const bool pending = OpenFromDrop || OpenFromCommandLine || OpenFromRecent;
  std::string path;
  std::string title;
  if (pending) {
    PendingTitle = FileNamePart(PendingPath);
    path = PendingPath;
    title = PendingTitle;
  } else {
    FileDialogSettings settings = IconFileDialog("打开");
    settings.must_exist = true;
    const std::optional<FileChoice> choice = platform_.ShowOpen(settings);
    if (!choice) {
      SetCanvasEnabled(true);
      return;
    }
    platform_.DoEvents();
    path = choice->path;
    title = choice->name;
  }

  // The file must load as an icon; the previous document stays as it was when it does not.
  const std::optional<IconPicture> icon = ReadIconFile(path, platform_.ScreenBitsPerPixel());
  if (!icon) {
    OpenFromDrop = OpenFromCommandLine = OpenFromRecent = false;
    SetCanvasEnabled(true);
    platform_.MsgBox("打不开文件 " + title, MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
    return;
  }
  OpenFromDrop = OpenFromCommandLine = OpenFromRecent = false;
  ResetDocument();
  DocPath = path;
  DocTitle = title;
  SetCaption(std::string(kProgramTitle) + " - " + DocTitle);

  BitBlt(PicMask.raster(), 0, 0, kIconSize, kIconSize, icon->mask, 0, 0, Rop::kSrcCopy);
  BitBlt(PicImage.raster(), 0, 0, kIconSize, kIconSize, icon->image, 0, 0, Rop::kSrcCopy);
  // The preview shows the icon as the desktop does: laid over its background.
  ComposeIcon(picIcon.raster(), 0, 0, kIconSize, kIconSize, PicMask.raster(), PicImage.raster());
  picIcon.Refresh();
  ComposeIcon(PicMainCopy.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMask.raster(),
              PicImage.raster());
  BitBlt(PicMain.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMainCopy.raster(), 0, 0,
         Rop::kSrcCopy);
  DrawGrid();

  history_.RemoveOldest();
  RecordStep();
  ReadMultiIcon();
  AddRecentPath(DocPath);
  SetCanvasEnabled(true);
}

void frmMain::ReadMultiIcon() {
  const std::optional<int> count = ReadImageCount(DocPath);
  MultiIcon = count && *count > 1;
}

void frmMain::MnuSave_Click() { SaveDocument(SaveMode::kSave); }

void frmMain::MnuSaveAs_Click() { SaveDocument(SaveMode::kSaveAs); }

void frmMain::SaveDocument(SaveMode mode) {
  if (DocPath != kUntitled && mode != SaveMode::kSaveAs) {
    if (MultiIcon) {
      const std::string q = "\"";
      const std::string text = "文件 " + q + DocTitle + q + " 包含多个图标。\r\n" + q + "保存" + q +
                               " 将覆盖文件中另外的图标。\r\n\r\n选择<确定>将执行 " + q + "保存" +
                               q + "。\r\n选择<取消>将执行 " + q + "另存" + q + "。";
      if (platform_.MsgBox(text, MsgButtons::kOkCancel, MsgIcon::kInformation, kProgramTitle) ==
          MsgAnswer::kCancel) {
        SaveDocument(SaveMode::kSaveAs);
        platform_.SetScreenPointer(SavedPointer);
        return;
      }
    }
    SavedPointer = platform_.GetScreenPointer();
    platform_.SetScreenPointer(ScreenPointer::kHourglass);
    WriteIconFile(DocPath);
  } else {
    FileDialogSettings settings = IconFileDialog("另存");
    settings.confirm_overwrite = true;
    settings.initial_name = DocPath == kUntitled ? std::string(kUntitled) + ".ico"
                            : MultiIcon          ? std::string("*.ico")
                                                 : DocPath;
    const std::optional<FileChoice> choice = platform_.ShowSaveAs(settings);
    if (!choice) {
      // A cancellation, not an error: nothing is said.
      platform_.SetScreenPointer(SavedPointer);
      SaveSucceeded = false;
      return;
    }
    platform_.DoEvents();
    SavedPointer = platform_.GetScreenPointer();
    platform_.SetScreenPointer(ScreenPointer::kHourglass);
    WriteIconFile(choice->path);
  }
  platform_.SetScreenPointer(SavedPointer);
}

void frmMain::WriteIconFile(const std::string& path) {
  auto fail = [&](const std::string& description) {
    platform_.SetScreenPointer(SavedPointer);
    const std::string what =
        DocPath == kUntitled ? std::string("不能保存 未命名.") : "不能保存 " + DocTitle;
    platform_.MsgBox(description + ".\r\n\r\n" + what, MsgButtons::kOk, MsgIcon::kExclamation,
                     ErrorTitle());
    SaveSucceeded = false;
  };
  bool created = false;
  if (auto error = OpenForWriting(path, created)) return fail(*error);

  Form_MouseUp(1, 0, 0, 0);
  platform_.DoEvents();
  DocTitle = FileNamePart(path);
  SetCaption(std::string(kProgramTitle) + " - " + DocTitle);

  const std::vector<std::uint8_t> bytes = EncodeIcon(PicImage.raster(), PicMask.raster());
  if (auto error = ReplaceFile(path, bytes)) {
    // A file made only to test that the path is writable is not left behind empty.
    if (created) RemoveCreatedFile(path);
    return fail(*error);
  }
  DocPath = path;
  Modified = false;
  MultiIcon = false;
  SaveSucceeded = true;
  AddRecentPath(path);
}

void frmMain::OpenDroppedFile(const std::vector<std::string>& files) {
  // A drop that carries no file list is ignored.
  if (files.empty()) return;
  PendingPath = files.front();
  OpenFromDrop = true;
  MnuOpen_Click();
}

}  // namespace pelorin
