// The replay of active.ryx without the window, over the stand-in tool runner.
#include "editor/settings_activation.h"

#include "testing/fake_runner.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

using editor::ReplayActiveRyx;
using platform::MsgIcon;
using testing_support::FakeRunner;
using testing_support::TempFolder;
using testing_support::WriteFile;
using Lines = std::vector<std::string>;

namespace {

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder / "ryxcontrol", "");
    WriteFile(folder / "active.ryx", "--set-null-region 8\r\n--set-chording on\r\n");
  }
  Lines Runs() const { return runner.Runs(folder.Path()); }
  TempFolder folder;
  FakeRunner runner;
};

}  // namespace

TEST_F(ReplayTest, TheDefaultsThenEveryLineOneRunEach) {
  auto box = ReplayActiveRyx(folder.Path(), "Done", runner);
  EXPECT_EQ(Runs(), (Lines{"--set-defaults", "--set-null-region 8", "--set-chording on"}));
  EXPECT_EQ(runner.mostAtOnce, 1);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Done");
  EXPECT_EQ(box->text, "Current settings successfully loaded.");
  EXPECT_EQ(box->icon, MsgIcon::None);
}

TEST_F(ReplayTest, RunsThatDidNotDoTheirWorkAreListed) {
  runner.overLimit = {1};
  auto box = ReplayActiveRyx(folder.Path(), "Done", runner);
  EXPECT_EQ(Runs().size(), 3u);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->icon, MsgIcon::Critical);
  EXPECT_NE(box->text.find("\r\n--set-null-region 8   (ran too long and was ended)\r\n"), std::string::npos)
      << box->text;
  runner = FakeRunner{};
  runner.toolMissing = true;
  box = ReplayActiveRyx(folder.Path(), "Done", runner);
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find("\r\n--set-defaults   (could not be started)\r\n"), std::string::npos) << box->text;
}

TEST_F(ReplayTest, AStoppedRunEndsTheReplayWithoutABox) {
  runner.stoppedAt = {1};
  EXPECT_FALSE(ReplayActiveRyx(folder.Path(), "Done", runner));
  EXPECT_EQ(Runs(), (Lines{"--set-defaults", "--set-null-region 8"}));
}
