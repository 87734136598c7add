#include "platform/registry.h"

#include "testing/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {
class RegistryTest : public ::testing::Test {
 protected:
  testing_support::TempFolder config_;
  testing_support::ScopedEnv configHome_{"XDG_CONFIG_HOME", config_.Path()};
};
}  // namespace

TEST_F(RegistryTest, StoresStringsAndDwordsUnderTheConfigFolder) {
  const std::string key = "Software\\Heliryx 360\\Kelvane";
  EXPECT_FALSE(Registry::Query(RegistryRoot::LocalMachine, key, "Version"));
  ASSERT_TRUE(Registry::SetString(RegistryRoot::LocalMachine, key, "Version", "5.10"));
  ASSERT_TRUE(Registry::SetString(RegistryRoot::LocalMachine, key, "Odd", "a \"quoted\"\\ value\nline"));
  ASSERT_TRUE(Registry::SetDword(RegistryRoot::CurrentUser, "Software\\Game", "Sens", 10));
  EXPECT_EQ(RegistryFile(RegistryRoot::LocalMachine), config_.Path() + "/heliryx360/HKEY_LOCAL_MACHINE.reg");
  EXPECT_EQ(Registry::Query(RegistryRoot::LocalMachine, "software\\heliryx 360\\KELVANE", "version")->text, "5.10");
  EXPECT_EQ(Registry::Query(RegistryRoot::LocalMachine, key, "Odd")->text, "a \"quoted\"\\ value\nline");
  auto sens = Registry::Query(RegistryRoot::CurrentUser, "Software\\Game", "Sens");
  ASSERT_TRUE(sens);
  EXPECT_EQ(sens->type, RegistryValue::Type::Dword);
  EXPECT_EQ(sens->number, 10u);
  EXPECT_FALSE(Registry::Query(RegistryRoot::LocalMachine, "Software\\Game", "Sens"));
  ASSERT_TRUE(Registry::SetString(RegistryRoot::LocalMachine, key, "Version", "5.11"));
  EXPECT_EQ(Registry::Query(RegistryRoot::LocalMachine, key, "Version")->text, "5.11");
}

TEST_F(RegistryTest, WithoutHomeTheStoreIsInTheAccountsHomeFolder) {
  const char* saved = std::getenv("HOME");
  std::string home = saved ? saved : "";
  ::unsetenv("XDG_CONFIG_HOME");
  ::unsetenv("HOME");
  const passwd* account = ::getpwuid(::getuid());
  ASSERT_TRUE(account);
  EXPECT_EQ(RegistryFolder(), std::string(account->pw_dir) + "/.config/heliryx360");
  if (saved) ::setenv("HOME", home.c_str(), 1);
}

TEST_F(RegistryTest, DeleteKeepsTheKeyAndIgnoresMissingValues) {
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  EXPECT_TRUE(Registry::DeleteValue(RegistryRoot::LocalMachine, run, "Ryx Monitor"));
  ASSERT_TRUE(Registry::SetString(RegistryRoot::LocalMachine, run, "Ryx Monitor", "\"/opt/x/watchpost\""));
  ASSERT_TRUE(Registry::DeleteValue(RegistryRoot::LocalMachine, run, "ryx monitor"));
  EXPECT_FALSE(Registry::Query(RegistryRoot::LocalMachine, run, "Ryx Monitor"));
  EXPECT_TRUE(Registry::KeyExists(RegistryRoot::LocalMachine, run));
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t)
    writers.emplace_back([t] {
      for (int i = 0; i < 25; ++i)
        Registry::SetDword(RegistryRoot::CurrentUser, "K", "v" + std::to_string(t) + "_" + std::to_string(i), i);
    });
  for (auto& w : writers) w.join();
  for (int t = 0; t < 4; ++t)
    for (int i = 0; i < 25; ++i)
      EXPECT_TRUE(Registry::Query(RegistryRoot::CurrentUser, "K", "v" + std::to_string(t) + "_" + std::to_string(i)));
}

// A store file the account cannot read must survive a write, not be replaced by
// a store that holds only the new value. Root reads everything, so as root the
// writer runs in a child that has become an unprivileged account.
TEST_F(RegistryTest, AStoreThatCannotBeReadIsNotReplacedByAWrite) {
  ASSERT_TRUE(Registry::SetString(RegistryRoot::LocalMachine, "Software\\Kept", "AppPath", "/opt/heliryx360"));
  const std::string file = RegistryFile(RegistryRoot::LocalMachine);
  const std::string before = testing_support::ReadFile(file);
  ::chmod(config_.Path().c_str(), 0755);
  ::chmod(RegistryFolder().c_str(), 0777);
  ::chmod(file.c_str(), 0200);

  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
    bool wrote = Registry::SetString(RegistryRoot::LocalMachine, "Software\\Other", "Name", "x");
    bool deleted = Registry::DeleteValue(RegistryRoot::LocalMachine, "Software\\Kept", "AppPath");
    ::_exit((wrote ? 1 : 0) + (deleted ? 2 : 0));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the write, 2: the delete claimed success";
  ::chmod(file.c_str(), 0600);
  EXPECT_EQ(testing_support::ReadFile(file), before);
}
