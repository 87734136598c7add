// What the activation reads of a configuration, and the active.ryx lines it
// makes of it.
#include "monitor/active_ryx.h"

#include "config_store/ryx_command_file.h"
#include "monitor/activation_values.h"
#include "monitor/tests/ryx_lines.h"
#include "monitor/tests/scg_fixture.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>

using monitor::ActiveRyxLines;
using monitor::ReadActivationValues;
using monitor_test::Joined;
using monitor_test::Lines;
using monitor_test::ScgText;
using testing_support::TempFolder;
using testing_support::WriteFile;

TEST(ReadActivationValues, AMalformedVectorIsReportedWithItsLength) {
  TempFolder dir;
  struct Case {
    std::map<std::string, std::string> values;
    std::set<std::string> omit;
    std::string error;
  } cases[] = {
      {{{"AXIS_MAP_USER", " { 0/1/2/3/4 }"}}, {}, "Axis Map Error13"},
      {{}, {"AXIS_MAP_USER"}, "Axis Map Error5"},                         // read as ERROR
      {{{"AXIS_MAP_USER", " { 0/1/2/3/4/6 }"}}, {}, "Axis Map Error15"},  // no axis 6
      {{{"AXIS_MAP_USER", " { 0/1/x/3/4/5 }"}}, {}, "Axis Map Error15"},
      {{{"POLARITY_USER", " { +/+/+/+/+/+/+ }"}}, {}, "Polarity Map Error17"},
      // The gain and sensitivity of the configuration's level only.
      {{{"LEVEL", "BEGINNER"}, {"GAIN_BEG_USER", " { 45, 45, 45, 45, 45, 45, 45 }"}}, {}, "Gain Map Error30"},
      {{{"LEVEL", "beginner"}, {"GAIN_INT_USER", " { 45 }"}}, {}, ""},
      {{{"LEVEL", "HARD"}, {"SENS_EXP_USER", " { 4/4/4/4/4/4 }"}}, {}, "Sensitivity Map Error15"},
      {{{"LEVEL", "Expert"}, {"SENS_INT_USER", ""}}, {}, ""},
  };
  for (const Case& c : cases) {
    WriteFile(dir / "g.scg", ScgText(c.values, c.omit));
    monitor::ActivationRead read = ReadActivationValues(dir / "g.scg");
    EXPECT_EQ(read.vectorError.value_or(""), c.error) << c.error;
  }
}

namespace {

Lines Resets() {
  Lines l;
  for (int k = 0; k < 6; ++k) l.push_back("--reset-sensitivity-curve " + std::to_string(k));
  return l;
}

}  // namespace

TEST(ActiveRyxLines, FollowTheConfiguration) {
  TempFolder program;
  WriteFile(program / "crv/Precise.crv", "curve");
  const Lines vertical = {"--set-axis 0 0",     "--set-axis 1 1",     "--set-axis 2 2",     "--set-axis 3 3",
                          "--set-axis 4 4",     "--set-axis 5 5",     "--set-polarity 0 +", "--set-polarity 1 +",
                          "--set-polarity 2 +", "--set-polarity 3 +", "--set-polarity 4 +", "--set-polarity 5 +"};
  const Lines master = {"--set-master-sensitivity 3", "--set-master-gain 55"};
  struct Case {
    std::string name;
    std::map<std::string, std::string> values;
    std::set<std::string> omit;
    Lines lines;
  } cases[] = {
      {"vertical, master", {}, {}, Joined({Resets(), {"--set-chording off", "--set-null-region 8"}, master, vertical})},
      {"horizontal, identity map: polarity first, third and sixth inverted, axes paired",
       {{"ORIENTATION", "horizontal"}, {"POLARITY_USER", " { +/-/+/+/-/+ }"}},
       {},
       Joined({Resets(),
               {"--set-chording off", "--set-null-region 8"},
               master,
               {"--set-polarity 0 +", "--set-polarity 1 -", "--set-polarity 2 -", "--set-polarity 3 +",
                "--set-polarity 4 -", "--set-polarity 5 -", "--set-axis 0 0", "--set-axis 1 2", "--set-axis 2 1",
                "--set-axis 3 3", "--set-axis 4 5", "--set-axis 5 4"}})},
      {"horizontal, mapped axes take the polarity of their axis",
       {{"ORIENTATION", "HORIZONTAL"}, {"AXIS_MAP_USER", " { 0/2/1/5/3/4 }"}, {"POLARITY_USER", " { +/-/+/-/+/- }"}},
       {},
       Joined({Resets(),
               {"--set-chording off", "--set-null-region 8"},
               master,
               {"--set-polarity 0 +", "--set-polarity 2 +", "--set-polarity 1 +", "--set-polarity 5 -",
                "--set-polarity 3 -", "--set-polarity 4 -", "--set-axis 0 0", "--set-axis 2 2", "--set-axis 1 1",
                "--set-axis 5 3", "--set-axis 3 5", "--set-axis 4 4"}})},
      {"vertical, mapped axes: polarity in axis order",
       {{"AXIS_MAP_USER", " { 0/2/1/5/3/4 }"}, {"POLARITY_USER", " { +/-/+/-/+/- }"}},
       {},
       Joined({Resets(),
               {"--set-chording off", "--set-null-region 8"},
               master,
               {"--set-axis 0 0", "--set-axis 2 1", "--set-axis 1 2", "--set-axis 5 3", "--set-axis 3 4",
                "--set-axis 4 5", "--set-polarity 0 +", "--set-polarity 1 -", "--set-polarity 2 +",
                "--set-polarity 3 -", "--set-polarity 4 +", "--set-polarity 5 -"}})},
      {"per axis, beginner: gains without leading zeros, axes by vector position",
       {{"USE_MASTER_USER", "false"},
        {"LEVEL", "BEGINNER"},
        {"AXIS_MAP_USER", " { 5/4/3/2/1/0 }"},
        {"GAIN_BEG_USER", " { 045, 100, 007, 045, 045, 045, 099 }"},
        {"SENS_BEG_USER", " { 1/2/3/4/5/6/7 }"}},
       {},
       Joined({Resets(),
               {"--set-chording off", "--set-null-region 8"},
               {"--set-sensitivity 0 1", "--set-sensitivity 1 2", "--set-sensitivity 2 3", "--set-sensitivity 3 4",
                "--set-sensitivity 4 5", "--set-sensitivity 5 6", "--set-gain 0 45", "--set-gain 1 100",
                "--set-gain 2 7", "--set-gain 3 45", "--set-gain 4 45", "--set-gain 5 45"},
               {"--set-axis 5 0", "--set-axis 4 1", "--set-axis 3 2", "--set-axis 2 3", "--set-axis 1 4",
                "--set-axis 0 5"},
               Lines(vertical.begin() + 6, vertical.end())})},
      {"curves, chording, precision",
       {{"CURVE_2_USER", "\".\\CRV\\precise.crv\""},
        {"CURVE_4_USER", "\"/elsewhere/missing.crv\""},
        {"USE_CHORDING_USER", "true"},
        {"USE_PRECISION_USER", "True"}},
       {},
       Joined({Resets(),
               {"--upload-sensitivity-curve 2 \"" + program / "crv/Precise.crv" + "\"",
                "--upload-sensitivity-curve 4 \"/elsewhere/missing.crv\"", "--set-chording on", "--set-null-region 8"},
               master,
               vertical,
               {"--set-precision-button logical 4", "--set-precision-sensitivity 7", "--set-precision-gain 20"}})},
      {"missing keys flow in as ERROR",
       {},
       {"NULL_REGION_USER", "USE_CHORDING_USER", "USE_MASTER_USER", "ORIENTATION"},
       Joined({Resets(),
               {"--set-chording off", "--set-null-region ERROR"},
               {"--set-sensitivity 0 3", "--set-sensitivity 1 3", "--set-sensitivity 2 3", "--set-sensitivity 3 3",
                "--set-sensitivity 4 3", "--set-sensitivity 5 3", "--set-gain 0 55", "--set-gain 1 55",
                "--set-gain 2 55", "--set-gain 3 55", "--set-gain 4 55", "--set-gain 5 55"},
               vertical})},
  };
  for (const Case& c : cases) {
    WriteFile(program / "scg/g.scg", ScgText(c.values, c.omit));
    monitor::ActivationRead read = ReadActivationValues(program / "scg/g.scg");
    ASSERT_FALSE(read.vectorError) << c.name;
    EXPECT_EQ(ActiveRyxLines(read.values, program.Path()), c.lines) << c.name;
  }
}

TEST(ActiveRyxFile, IsWrittenWithCrLfAndReadBack) {
  TempFolder dir;
  WriteFile(dir / "active.ryx", "old line\r\nanother\r\nthird\r\n");
  ASSERT_TRUE(config_store::WriteRyxLines(dir / "active.ryx", {"--set-defaults", "--set-gain 0 45"}).Written());
  EXPECT_EQ(testing_support::ReadFile(dir / "active.ryx"), "--set-defaults\r\n--set-gain 0 45\r\n");
  EXPECT_EQ(monitor::ReadRyxFile(dir / "active.ryx"), (Lines{"--set-defaults", "--set-gain 0 45"}));
}
