// pelorin-extract, the icons and cursors of Windows programs, libraries, icon libraries and
// animated cursors taken out as files:
//
//   pelorin-extract [-o DIR] [-f] [--png [SIZE]] FILE...
//   pelorin-extract -l FILE...
//
// For a program or library (PE32, PE32+, NE) every icon group becomes "<file>-<group>.ico" and
// every cursor group "<file>-<group>.cur" in DIR (the current folder by default), built as
// GroupFile.h describes. <file> is the last component of FILE; <group> the resource's number in
// decimal or its name, with "-<language id>" after it where the same name exists in more than
// one language. An animated cursor's frames become "<file>-<frame number from 1>.ico" (or .cur),
// byte for byte as stored. An icon or cursor file is already what this would write: it is only
// listed, or written as PNG.
//
// -l lists instead, one group a line on stdout: the file, icon or cursor, the name, the language
// (or "-") and each image's width x height, bits per pixel and whether PNG or bitmap. --png
// writes PNG pictures instead of icon files: every image of every group, with its real
// transparency, as "<file>-<group>-<n>-<w>x<h>x<bits>.png" (a PNG image as stored, a bitmap
// converted); or with a SIZE (1 to 4096), one picture a group, "<file>-<group>.png", chosen and
// scaled as the desktop thumbnailer does.
//
// Names: characters that would leave DIR ('/'), control characters and bytes that are not UTF-8
// become '_'; a name is cut to the system's 255 bytes; a name already written in the same run
// gets "-2", "-3", ... before its extension. An existing file is not replaced without -f.
//
// Nothing partial is ever left: each file is written to a temporary file in DIR (one without a
// name, where the system allows) and given its name once complete (without -f, only where no
// file of that name exists). A damaged group
// is skipped with a message naming the file and the group, and the others are still written.
//
// The input is mapped, never read whole; only the parts the directories point at are read.
// Messages go to stderr, one line each, in Chinese as the program's other messages.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin {

// Exit statuses.
inline constexpr int kEveryFileRead = 0;
inline constexpr int kSomethingNotRead = 1;  // a file or a group could not be read or written
inline constexpr int kWrongUsage = 2;

// Runs the command for `args` (the arguments after the program's name): the listing and --help
// go to `out`, messages to `err`. Gives the exit status.
int RunExtractor(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `text` made fit for a file name and a line of text: '/', control characters (C0, DEL, C1) and
// bytes that are not part of valid UTF-8 become '_'.
std::string SafeName(std::string_view text);

}  // namespace pelorin
