// Starts each of the monitor's desktop tests (desktop_test.cpp) inside a desktop
// of its own, with what that test needs of it.
#include "testing/desktop_session.h"

#include <gtest/gtest.h>

namespace {

struct DesktopCase {
  const char* test;
  testing_support::DesktopParts parts;
  bool tray;  // an XEmbed tray program (trayer) is needed
};

class MonitorOnADesktop : public ::testing::TestWithParam<DesktopCase> {};

TEST_P(MonitorOnADesktop, Passes) {
  const DesktopCase& c = GetParam();
  std::string missing = testing_support::MissingDesktopTool(c.parts);
  if (missing.empty() && c.tray && testing_support::FindOnPath("trayer").empty())
    missing = "trayer (Debian package trayer)";
  if (!missing.empty()) GTEST_SKIP() << missing << " is missing: " << c.test << " is not checked";
  testing_support::RunResult run =
      testing_support::RunInDesktop(WATCHPOST_DESKTOP_TESTS, std::string("MonitorDesktop.") + c.test, c.parts);
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("[  PASSED  ] 1 test."), std::string::npos) << run.out << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, MonitorOnADesktop,
    ::testing::Values(DesktopCase{"AStatusNotifierHostGetsTheMenuAndItsEntriesRunTheirHandlers", {true, false}, false},
                      DesktopCase{"AnXEmbedTrayOpensTheMenuOnARightClick", {false, false}, true},
                      DesktopCase{"CustomizeBringsTheEditorUpRestoredInFrontAndFocused", {false, true}, false},
                      DesktopCase{
                          "WithoutATrayTheMonitorSaysSoOnceRunsOnAndDocksWhenOneAppears", {false, false}, true}),
    [](const ::testing::TestParamInfo<DesktopCase>& info) { return std::string(info.param.test); });

}  // namespace
