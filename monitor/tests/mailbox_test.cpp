#include "monitor/mailbox.h"

#include <gtest/gtest.h>

using monitor::MailboxAction;

TEST(Mailbox, TheValueReadAgainstTheMonitorsOwnMode) {
  struct Case {
    std::string file, current;
    MailboxAction action;
  } cases[] = {
      {"ACTIVE", "ACTIVE", MailboxAction::None},    {"active", "ACTIVE", MailboxAction::None},
      {"SUSPEND", "ACTIVE", MailboxAction::Toggle}, {"Suspend", "ACTIVE", MailboxAction::Toggle},
      {"active", "SUSPEND", MailboxAction::Toggle}, {"SUSPEND", "SUSPEND", MailboxAction::None},
      {"", "ACTIVE", MailboxAction::Quit},          {"KILL", "ACTIVE", MailboxAction::Quit},
      {"ERROR", "SUSPEND", MailboxAction::Quit},    {"PAUSE", "ACTIVE", MailboxAction::Quit},
  };
  for (const Case& c : cases)
    EXPECT_EQ(monitor::ReadMailbox(c.file, c.current), c.action) << c.file << "/" << c.current;
}
