// Runs the playground's X tests in an X server of their own, one test per run.
#include "testing/test_support.h"

#include <gtest/gtest.h>

namespace {

class PlaygroundUnderXvfb : public ::testing::TestWithParam<const char*> {};

TEST_P(PlaygroundUnderXvfb, Passes) {
  std::string xvfbRun = testing_support::FindOnPath("xvfb-run");
  if (xvfbRun.empty()) GTEST_SKIP() << "xvfb-run is missing (Debian package xvfb): the pointer hold is not checked";
  testing_support::RunResult run = testing_support::RunProgram(
      xvfbRun,
      {"-a", "-s", "-screen 0 1024x768x24 -nolisten tcp", PLAYGROUND_X_TESTS,
       std::string("--gtest_filter=XPlayground.") + GetParam()},
      {{"QT_QPA_PLATFORM", "xcb"}, {"LSAN_OPTIONS", "suppressions=" X_SESSION_LSAN_SUPPRESSIONS}}, 200000);
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("[  PASSED  ] 1 test."), std::string::npos) << run.out << run.err;
}

INSTANTIATE_TEST_SUITE_P(WaysOut, PlaygroundUnderXvfb,
                         ::testing::Values("HeldWhileOpenAndFreeAfterTheExitButton", "FreeAfterTheCountdownEnds",
                                           "FreeAfterClosingTheWindow", "FreeWhenTheProgramIsToldToStop",
                                           "FreeOnceTheWindowIsUnmapped"));

}  // namespace
