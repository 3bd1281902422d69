// What a failure of the system is called in messages: the common causes in our own words, the
// system's text for the rest.
#pragma once

#include <string>

namespace pelorin {

// The cause behind an errno value, as a message shows it (without a closing full stop). The
// causes a user meets and can act on (a full disk, missing rights, a read-only disk, a missing
// folder, a name that is too long, ...) are ours in Chinese; any other error gives the system's
// own description, whatever language that is in.
std::string DescribeSystemError(int error);

}  // namespace pelorin
