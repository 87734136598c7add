// Runs the X session tests in an X server of their own, one test per run.
#include "testing/test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class UnderXvfb : public ::testing::TestWithParam<const char*> {};

TEST_P(UnderXvfb, Passes) {
  std::string xvfbRun = testing_support::FindOnPath("xvfb-run");
  if (xvfbRun.empty())
    GTEST_SKIP() << "xvfb-run is missing (Debian package xvfb): input synthesis is not checked end to end";
  if (::access("/dev/uinput", W_OK) == 0)
    GTEST_SKIP() << "/dev/uinput is writable here: the emulator would send through it to this machine's own "
                    "session rather than to the test's X server";
  testing_support::RunResult run = testing_support::RunProgram(
      xvfbRun,
      {"-a", "-s", "-screen 0 1024x768x24 -nolisten tcp", POINTERLY_X_TESTS,
       std::string("--gtest_filter=") + GetParam()},
      {{"QT_QPA_PLATFORM", "xcb"}, {"LSAN_OPTIONS", "suppressions=" X_SESSION_LSAN_SUPPRESSIONS}}, 200000);
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("[  PASSED  ] 1 test."), std::string::npos) << run.out << run.err;
}

INSTANTIATE_TEST_SUITE_P(XSession, UnderXvfb,
                         ::testing::Values("XSession.TheStickMovesTheRealPointerByTheCountsOfEachTick",
                                           "XSession.AButtonHoldsTheMouseButtonUntilTheCloseRequest",
                                           "XSession.KeyBindingsReachAWindowAsTheirOwnKeys"));

}  // namespace
