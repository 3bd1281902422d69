// The entry procedure: the checks that decide whether the editor can run on this screen, the
// file-type registration, and the reading of the command line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "platform/Platform.h"

namespace pelorin {

// At least 640 x 480 pixels; otherwise the size message (stop icon) and false.
bool CheckScreenSize(Platform& platform);
// More than 8 bits per pixel; otherwise the colour message (stop icon) and false.
bool CheckColourDepth(Platform& platform);

// Screen size check, colour depth check (only when the size passed), then the file-type
// registration. True when the main window may be created; false ends the program.
bool RunEntryProcedure(Platform& platform);

// The program's command line: its arguments (without the program name) joined by single spaces.
std::string JoinArguments(const std::vector<std::string>& args);

// The path named by a command line of the form "/open <path>" ("/open " compared without regard
// to letter case); nullopt for any other command line. The path is the rest of the line taken
// verbatim: file names are case-sensitive here, so no letter case is changed.
std::optional<std::string> PathToOpen(std::string_view command_line);

// The file the arguments ask to open at start-up: the path of "/open <path>" (the arguments
// joined as above), or else the first argument as a plain path, as file managers, shells and
// scripts pass it. `others` counts the further arguments, which are not opened.
struct FileAtStart {
  std::optional<std::string> path;
  std::size_t others = 0;
};
FileAtStart FileToOpenAtStart(const std::vector<std::string>& args);

}  // namespace pelorin
