#include "commands/FileCommands.h"

#include "base/Text.h"
#include "document/IconFile.h"
#include "extract/ReadIconFile.h"

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
  if (!doc_.Modified()) return true;
  switch (platform_.MsgBox("保存对当前图标文件的修改吗？", MsgButtons::kYesNoCancel,
                           MsgIcon::kQuestion, kProgramTitle)) {
    case MsgAnswer::kNo:
      doc_.MarkUnmodified();
      return true;
    case MsgAnswer::kYes:
      return SaveDocument(doc_.DocPath() != kUntitled ? SaveMode::kSave : SaveMode::kSaveAs);
    default:
      return false;
  }
}

void FileCommands::MnuNew_Click() {
  if (QuerySave()) window_.ResetDocument();
}

void FileCommands::MnuOpen_Click() { Open(std::nullopt); }

void FileCommands::Open(const std::optional<std::string>& given) {
  if (!QuerySave()) return;
  window_.SetCanvasEnabled(false);
  std::string path;
  std::string title;
  if (given) {
    path = *given;
    title = FileNamePart(path);
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
    window_.SetCanvasEnabled(true);
    platform_.MsgBox("打不开文件 " + title, MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
    return;
  }
  window_.ClearDocument();
  doc_.SetFile(path, title, icon->image_count > 1);
  TakePicture(icon);
  recent_.AddPath(doc_.DocPath());
  window_.RecentListChanged();
  window_.SetCanvasEnabled(true);
}

void FileCommands::TakePicture(const std::optional<IconPicture>& icon) {
  ShowTitle();
  // Without one the picture stays as the clearing left it: blank, and shown blank.
  if (icon) doc_.LoadPicture(icon->mask, icon->image);
  undo_.RecordStep();
}

void FileCommands::ShowTitle() {
  window_.SetCaption(std::string(kProgramTitle) + " - " +
                     (doc_.DocPath() == kUntitled ? std::string(kUntitled) : doc_.DocTitle()));
}

bool FileCommands::SaveDocument(SaveMode mode) {
  if (doc_.DocPath() != kUntitled && mode != SaveMode::kSaveAs) {
    if (doc_.MultiIcon()) {
      const std::string q = "\"";
      const std::string text = "文件 " + q + doc_.DocTitle() + q + " 包含多个图标。\r\n" + q +
                               "保存" + q + " 将覆盖文件中另外的图标。\r\n\r\n选择<确定>将执行 " +
                               q + "保存" + q + "。\r\n选择<取消>将执行 " + q + "另存" + q + "。";
      if (platform_.MsgBox(text, MsgButtons::kOkCancel, MsgIcon::kInformation, kProgramTitle) ==
          MsgAnswer::kCancel) {
        return SaveDocument(SaveMode::kSaveAs);
      }
    }
    return WriteIconFile(doc_.DocPath());
  }
  FileDialogSettings settings = IconFileDialog("另存");
  settings.confirm_overwrite = true;
  settings.initial_name = doc_.DocPath() == kUntitled ? std::string(kUntitled) + ".ico"
                          : doc_.MultiIcon()          ? std::string("*.ico")
                                                      : doc_.DocPath();
  const std::optional<FileChoice> choice = platform_.ShowSaveAs(settings);
  // A cancellation, not an error: nothing is said.
  if (!choice) return false;
  platform_.DoEvents();
  return WriteIconFile(choice->path);
}

bool FileCommands::WriteIconFile(const std::string& path) {
  // The hourglass while the file is written; the pointer as it was afterwards, whatever happens.
  const ScreenPointer saved_pointer = platform_.GetScreenPointer();
  platform_.SetScreenPointer(ScreenPointer::kHourglass);
  auto fail = [&](const std::string& description) {
    platform_.SetScreenPointer(saved_pointer);
    // The file that could not be written, which after a Save As is not the document's own (an
    // untitled document too is saved under the name chosen for it). Our own causes are Chinese
    // and end with a Chinese full stop; the system's own text keeps its ".".
    const bool chinese =
        !description.empty() && static_cast<unsigned char>(description.back()) >= 0x80;
    platform_.MsgBox(
        description + (chinese ? "。" : ".") + "\r\n\r\n不能保存 " + FileNamePart(path),
        MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
    return false;
  };
  bool created = false;
  if (auto error = OpenForWriting(path, created)) return fail(*error);

  window_.CommitSelection();
  platform_.DoEvents();

  const std::vector<std::uint8_t> bytes =
      EncodeIcon(doc_.PicImage().raster(), doc_.PicMask().raster());
  if (auto error = ReplaceFile(path, bytes)) {
    // A file made only to test that the path is writable is not left behind empty.
    if (created) RemoveCreatedFile(path);
    return fail(*error);
  }
  // Only a file written names the document: the caption changes once, and a failed write
  // leaves it naming the document's own file.
  doc_.SetFile(path, FileNamePart(path), false);
  ShowTitle();
  doc_.MarkUnmodified();
  platform_.SetScreenPointer(saved_pointer);
  recent_.AddPath(path);
  window_.RecentListChanged();
  return true;
}

void FileCommands::MnuRecent_Click(int entry) {
  const std::string path = recent_.TakeEntry(entry);
  window_.RecentListChanged();
  if (path.empty()) return;
  Open(path);
}

void FileCommands::OpenDroppedFile(const std::vector<std::string>& files) {
  // A drop that carries no file list is ignored.
  if (files.empty()) return;
  Open(files.front());
}

}  // namespace pelorin
