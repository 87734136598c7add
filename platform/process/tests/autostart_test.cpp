#include "platform/process/autostart.h"

#include "testing/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

using testing_support::ReadFile;
using testing_support::TempFolder;

namespace {
class AutostartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    saved_ = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
  }
  void TearDown() override {
    if (saved_.empty())
      ::unsetenv("XDG_CONFIG_HOME");
    else
      ::setenv("XDG_CONFIG_HOME", saved_.c_str(), 1);
  }
  TempFolder config_;
  std::string saved_;
};
}  // namespace

TEST_F(AutostartTest, AnEntryStartsExactlyTheProgramAndGoesAway) {
  EXPECT_EQ(platform::AutostartFile("heliryx360-watchpost"), config_ / "autostart/heliryx360-watchpost.desktop");
  for (std::string program : {"/opt/heliryx/watchpost", "/home/ann/my games/a\"b$c`d\\e%f/watchpost"}) {
    ASSERT_TRUE(platform::WriteAutostartEntry("heliryx360-watchpost", "Ryx Monitor", program));
    EXPECT_EQ(platform::AutostartProgram("heliryx360-watchpost"), program);
  }
  ASSERT_TRUE(platform::WriteAutostartEntry("heliryx360-watchpost", "Ryx Monitor", "/opt/h/watchpost"));
  EXPECT_EQ(ReadFile(platform::AutostartFile("heliryx360-watchpost")),
            "[Desktop Entry]\nType=Application\nName=Ryx Monitor\nExec=\"/opt/h/watchpost\"\n"
            "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
  EXPECT_TRUE(platform::RemoveAutostartEntry("heliryx360-watchpost"));
  EXPECT_FALSE(platform::AutostartProgram("heliryx360-watchpost"));
  EXPECT_TRUE(platform::RemoveAutostartEntry("heliryx360-watchpost"));  // already gone: no error
  EXPECT_FALSE(platform::WriteAutostartEntry("x", "Ryx Monitor", "/opt/a\nb"));
}
