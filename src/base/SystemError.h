// What a failure of the system is called in messages: the common causes in our own words, the
// system's text for the rest.
#pragma once

#include <optional>
#include <string>

namespace pelorin {

// The cause behind an errno value, as a message shows it (without a closing full stop). The
// causes a user meets and can act on (a full disk, missing rights, a read-only disk, a missing
// folder, a name that is too long, ...) are ours in Chinese; any other error gives the system's
// own description, whatever language that is in.
std::string DescribeSystemError(int error);

// What a file that is not a regular file is, as a cause (a folder, a device, a pipe, a socket),
// from its mode as stat gives it; nullopt for a regular file.
std::optional<std::string> DescribeNonRegularFile(unsigned mode);

}  // namespace pelorin
