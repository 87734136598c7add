#include "monitor/mailbox.h"

#include "config_store/profile_helpers.h"
#include "platform/text.h"

namespace monitor {

MailboxAction ReadMailbox(const std::string& fileMode, const std::string& CurrentMode) {
  if (platform::EqualsNoCase(fileMode, CurrentMode)) return MailboxAction::None;
  if (platform::EqualsNoCase(fileMode, "ACTIVE") || platform::EqualsNoCase(fileMode, "SUSPEND"))
    return MailboxAction::Toggle;
  return MailboxAction::Quit;
}

std::string ReadMode(const std::string& MonitorIniFile) {
  return config_store::ReadIni(MonitorIniFile, "APPLICATION", "MODE");
}

}  // namespace monitor
