// The File menu's extract command: a new, untitled document from an icon of another file (a
// program, a library, an icon library, an animated cursor), chosen in the icon browser.
#pragma once

#include "commands/FileCommands.h"
#include "platform/Platform.h"

namespace pelorin {

class ExtractCommand {
 public:
  ExtractCommand(FileCommands& files, DocumentWindow& window, Platform& platform)
      : files_(files), window_(window), platform_(platform) {}

  // Asks to save changes, shows the browser and, after OK, makes the chosen icon (or frame) the
  // new document: untitled, unmodified, the only state of the history.
  void MnuExtract_Click();

 private:
  FileCommands& files_;
  DocumentWindow& window_;
  Platform& platform_;
};

}  // namespace pelorin
