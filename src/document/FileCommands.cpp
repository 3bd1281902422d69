#include "document/FileCommands.h"

#include "base/Text.h"
#include "document/IconFile.h"
#include "extract/FileSource.h"

namespace pelorin {

namespace {

constexpr std::string_view kIconFilter = "图标文件(*.ico)|*.ico";

// The Open and Save As dialogs both offer icon files only, with ".ico" added when left out.
FileDialogSettings IconFileDialog(std::string_view action) {
  FileDialogSettings settings;
  settings.title = std::string(kProgramTitle) + " - " + std::string(action);
  settings.filter = kIconFilter;
  settings.default_extension = ".ico";
  return settings;
}

}  // namespace

bool FileCommands::QuerySave() {
  doc_.SaveSucceeded = false;
  if (!doc_.Modified) return true;
  switch (platform_.MsgBox("保存对当前图标文件的修改吗？", MsgButtons::kYesNoCancel,
                           MsgIcon::kQuestion, kProgramTitle)) {
    case MsgAnswer::kNo:
      doc_.Modified = false;
      return true;
    case MsgAnswer::kYes:
      SaveDocument(doc_.DocPath != kUntitled ? SaveMode::kSave : SaveMode::kSaveAs);
      return doc_.SaveSucceeded;
    default:
      return false;
  }
}

void FileCommands::MnuNew_Click() {
  if (QuerySave()) window_.ResetDocument();
}

void FileCommands::MnuOpen_Click() {
  if (!QuerySave()) {
    // A declined open must not leave its source behind for the next Open from the menu.
    doc_.OpenFromDrop = doc_.OpenFromCommandLine = doc_.OpenFromRecent = false;
    return;
  }
  window_.SetCanvasEnabled(false);
  const bool pending = doc_.OpenFromDrop || doc_.OpenFromCommandLine || doc_.OpenFromRecent;
  std::string path;
  std::string title;
  if (pending) {
    doc_.PendingTitle = FileNamePart(doc_.PendingPath);
    path = doc_.PendingPath;
    title = doc_.PendingTitle;
  } else {
    FileDialogSettings settings = IconFileDialog("打开");
    settings.must_exist = true;
    const std::optional<FileChoice> choice = platform_.ShowOpen(settings);
    if (!choice) {
      window_.SetCanvasEnabled(true);
      return;
    }
    platform_.DoEvents();
    path = choice->path;
    title = choice->name;
  }

  // The file must load as an icon; the previous document stays as it was when it does not.
  const std::optional<IconPicture> icon = ReadIconFile(path, platform_.ScreenBitsPerPixel());
  if (!icon) {
    doc_.OpenFromDrop = doc_.OpenFromCommandLine = doc_.OpenFromRecent = false;
    window_.SetCanvasEnabled(true);
    platform_.MsgBox("打不开文件 " + title, MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
    return;
  }
  doc_.OpenFromDrop = doc_.OpenFromCommandLine = doc_.OpenFromRecent = false;
  window_.ResetDocument();
  doc_.DocPath = path;
  doc_.DocTitle = title;
  ShowTitle();

  TakePicture(icon);
  ReadMultiIcon();
  recent_.AddPath(doc_.DocPath);
  window_.RecentListChanged();
  window_.SetCanvasEnabled(true);
}

void FileCommands::TakePicture(const std::optional<IconPicture>& icon) {
  if (icon) {
    BitBlt(doc_.PicMask.raster(), 0, 0, kIconSize, kIconSize, icon->mask, 0, 0, Rop::kSrcCopy);
    BitBlt(doc_.PicImage.raster(), 0, 0, kIconSize, kIconSize, icon->image, 0, 0, Rop::kSrcCopy);
  }
  doc_.ComposeViews();
  undo_.RemoveOldest();
  undo_.RecordStep();
}

void FileCommands::ShowTitle() {
  window_.SetCaption(std::string(kProgramTitle) + " - " + doc_.DocTitle);
}

void FileCommands::ReadMultiIcon() {
  const std::optional<int> count = ReadImageCount(doc_.DocPath);
  doc_.MultiIcon = count && *count > 1;
}

void FileCommands::SaveDocument(SaveMode mode) {
  if (doc_.DocPath != kUntitled && mode != SaveMode::kSaveAs) {
    if (doc_.MultiIcon) {
      const std::string q = "\"";
      const std::string text = "文件 " + q + doc_.DocTitle + q + " 包含多个图标。\r\n" + q +
                               "保存" + q + " 将覆盖文件中另外的图标。\r\n\r\n选择<确定>将执行 " +
                               q + "保存" + q + "。\r\n选择<取消>将执行 " + q + "另存" + q + "。";
      if (platform_.MsgBox(text, MsgButtons::kOkCancel, MsgIcon::kInformation, kProgramTitle) ==
          MsgAnswer::kCancel) {
        SaveDocument(SaveMode::kSaveAs);
        platform_.SetScreenPointer(doc_.SavedPointer);
        return;
      }
    }
    doc_.SavedPointer = platform_.GetScreenPointer();
    platform_.SetScreenPointer(ScreenPointer::kHourglass);
    WriteIconFile(doc_.DocPath);
  } else {
    FileDialogSettings settings = IconFileDialog("另存");
    settings.confirm_overwrite = true;
    settings.initial_name = doc_.DocPath == kUntitled ? std::string(kUntitled) + ".ico"
                            : doc_.MultiIcon          ? std::string("*.ico")
                                                      : doc_.DocPath;
    const std::optional<FileChoice> choice = platform_.ShowSaveAs(settings);
    if (!choice) {
      // A cancellation, not an error: nothing is said.
      platform_.SetScreenPointer(doc_.SavedPointer);
      doc_.SaveSucceeded = false;
      return;
    }
    platform_.DoEvents();
    doc_.SavedPointer = platform_.GetScreenPointer();
    platform_.SetScreenPointer(ScreenPointer::kHourglass);
    WriteIconFile(choice->path);
  }
  platform_.SetScreenPointer(doc_.SavedPointer);
}

void FileCommands::WriteIconFile(const std::string& path) {
  auto fail = [&](const std::string& description) {
    platform_.SetScreenPointer(doc_.SavedPointer);
    // The file that could not be written, which after a Save As is not the document's own (an
    // untitled document too is saved under the name chosen for it). Our own causes are Chinese
    // and end with a Chinese full stop; the system's own text keeps its ".".
    const bool chinese =
        !description.empty() && static_cast<unsigned char>(description.back()) >= 0x80;
    platform_.MsgBox(
        description + (chinese ? "。" : ".") + "\r\n\r\n不能保存 " + FileNamePart(path),
        MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
    doc_.SaveSucceeded = false;
  };
  bool created = false;
  if (auto error = OpenForWriting(path, created)) return fail(*error);

  window_.CommitSelection();
  platform_.DoEvents();
  doc_.DocTitle = FileNamePart(path);
  ShowTitle();

  const std::vector<std::uint8_t> bytes = EncodeIcon(doc_.PicImage.raster(), doc_.PicMask.raster());
  if (auto error = ReplaceFile(path, bytes)) {
    // A file made only to test that the path is writable is not left behind empty.
    if (created) RemoveCreatedFile(path);
    return fail(*error);
  }
  doc_.DocPath = path;
  doc_.Modified = false;
  doc_.MultiIcon = false;
  doc_.SaveSucceeded = true;
  recent_.AddPath(path);
  window_.RecentListChanged();
}

void FileCommands::MnuRecent_Click(int entry) {
  const std::string path = recent_.TakeEntry(entry);
  window_.RecentListChanged();
  if (path.empty()) return;
  doc_.PendingPath = path;
  doc_.OpenFromRecent = true;
  MnuOpen_Click();
}

void FileCommands::OpenDroppedFile(const std::vector<std::string>& files) {
  // A drop that carries no file list is ignored.
  if (files.empty()) return;
  doc_.PendingPath = files.front();
  doc_.OpenFromDrop = true;
  MnuOpen_Click();
}

}  // namespace pelorin
