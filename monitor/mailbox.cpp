#include "monitor/mailbox.h"

#include "platform/text.h"

namespace monitor {

MailboxAction ReadMailbox(const std::string& fileMode, const std::string& CurrentMode) {
  if (platform::EqualsNoCase(fileMode, CurrentMode)) return MailboxAction::None;
  if (platform::EqualsNoCase(fileMode, "ACTIVE") || platform::EqualsNoCase(fileMode, "SUSPEND"))
    return MailboxAction::Toggle;
  return MailboxAction::Quit;
}

}  // namespace monitor
