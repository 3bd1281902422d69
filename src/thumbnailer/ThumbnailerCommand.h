// pelorin-thumbnailer, the desktop's thumbnailer for the files Pelorin takes icons out of
// (share/thumbnailers/pelorin.thumbnailer runs it as "pelorin-thumbnailer -s %s %i %o"):
//
//   pelorin-thumbnailer [-s <size>] <input> <output>
//
// writes the thumbnail of <input> (MakeThumbnail) as a PNG file with alpha to <output>. <size>
// is the largest width and height wanted, 128 (the desktop's normal size) when not given.
//
// It needs no display and reads nothing but <input>: it runs in a bare shell and inside the
// sandbox GNOME puts thumbnailers in. The input is opened without blocking and must be a regular
// file (a folder, a pipe or a device is refused at once, and no pipe is waited on); it is mapped,
// and only the parts its directories point at are read, so a huge file costs what a small one
// does.
//
// Only <output> itself is ever written, and only once the whole PNG stream is made in memory:
// no temporary file beside it. A desktop reads the output only after a successful exit, so it
// need not appear at once; and a sandbox may make nothing but the output writable (GNOME's binds
// a fresh folder as /tmp for each run and complains when a thumbnailer leaves anything else in
// it). An output that is a symbolic link, a folder or anything but a regular file is refused; a
// write that fails half-way removes what it wrote.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pelorin {

// Exit statuses.
inline constexpr int kThumbnailWritten = 0;
inline constexpr int kNoThumbnail = 1;  // nothing to show, or the input or output failed
inline constexpr int kWrongArguments = 2;

// The size used when the command line gives none.
inline constexpr int kDefaultThumbnailSize = 128;

// Runs the command for `args` (the arguments after the program's name) and gives its exit
// status; `message` receives what to print on stderr (empty after success).
int RunThumbnailer(const std::vector<std::string>& args, std::string& message);

// What WriteOutputFile gives besides 0 and errno values.
inline constexpr int kNotRegularFile = -1;
inline constexpr int kSymbolicLink = -2;

// Writes `bytes` to `path` as described above, creating or truncating it and nothing else.
// 0 when done; otherwise the errno value of the failure, kNotRegularFile when `path` is not a
// regular file, kSymbolicLink when it is a symbolic link (to anything, or to nothing).
int WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace pelorin
