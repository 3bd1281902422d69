// New, Open, Save and Save As; the save-changes prompt; the file writer; drops and the recent
// list as ways to open a file.
//
// Open, the command line, a dropped file and a recent-file entry all end in the one open routine
// Open: the menu's asks for a file with the Open dialog, the others give the path.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/UndoHistory.h"
#include "document/IconDocument.h"
#include "extract/IconDecoder.h"
#include "platform/Platform.h"
#include "recent/ModRecent.h"

namespace pelorin {

enum class SaveMode { kSave, kSaveAs };

// What the file commands ask of the window that shows the document.
class DocumentWindow {
 public:
  virtual ~DocumentWindow() = default;
  // Turns the window into an empty, untitled document, the blank picture its first step.
  virtual void ResetDocument() = 0;
  // Empties the window for a picture about to be taken (an open, an extraction): untitled,
  // unmodified, the pencil and the default palette, a blank picture and no step at all. The
  // caption stays as it was until TakePicture names the document.
  virtual void ClearDocument() = 0;
  // Commits any selection into the picture.
  virtual void CommitSelection() = 0;
  virtual void SetCaption(std::string caption) = 0;
  // The canvas takes no pointer events while a file opens.
  virtual void SetCanvasEnabled(bool enabled) = 0;
  // The recent-file list changed; its menu entries follow.
  virtual void RecentListChanged() = 0;
};

class FileCommands {
 public:
  FileCommands(IconDocument& doc, UndoHistory& undo, ModRecent& recent, Platform& platform,
               DocumentWindow& window)
      : doc_(doc), undo_(undo), recent_(recent), platform_(platform), window_(window) {}

  void MnuNew_Click();
  // The menu's Open: the file is chosen in the Open dialog.
  void MnuOpen_Click();
  // The one open routine: opens `path`, or the file chosen in the Open dialog without one.
  void Open(const std::optional<std::string>& path);
  void MnuSave_Click() { SaveDocument(SaveMode::kSave); }
  void MnuSaveAs_Click() { SaveDocument(SaveMode::kSaveAs); }
  // Entry 1 to 4 of the recent-file list.
  void MnuRecent_Click(int entry);
  // Files dropped on the window or one of its controls: the first one is opened.
  void OpenDroppedFile(const std::vector<std::string>& files);

  // After ClearDocument and naming the document: the caption names it, and `icon` (none leaves
  // the picture blank) becomes the picture, drawn into the views, and the history's only step.
  void TakePicture(const std::optional<IconPicture>& icon);

  // True when the caller may go on (nothing unsaved, saved, or discarded).
  bool QuerySave();
  // True when the file was written (not after a cancelled Save As or a failed write).
  bool SaveDocument(SaveMode mode);

 private:
  bool WriteIconFile(const std::string& path);
  void ShowTitle();

  IconDocument& doc_;
  UndoHistory& undo_;
  ModRecent& recent_;
  Platform& platform_;
  DocumentWindow& window_;
};

}  // namespace pelorin
