// The mode mailbox: [APPLICATION] MODE of watchpost.ini, which every program
// of the tool set may write and the monitor reads back on every scan.
#pragma once

#include <string>

namespace monitor {

enum class MailboxAction {
  None,    // the value is the monitor's own mode
  Toggle,  // ACTIVE or SUSPEND, different from the monitor's mode: suspend or resume
  Quit,    // anything else (empty, KILL, ERROR for a missing file or key): end now
};

// Compares the value read with `CurrentMode`, without regard to case.
MailboxAction ReadMailbox(const std::string& fileMode, const std::string& CurrentMode);

}  // namespace monitor
