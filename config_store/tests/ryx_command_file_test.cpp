// The editor's controller command file.
#include "config_store/ryx_command_file.h"
#include "config_store/scg_reader.h"
#include "config_store/tests/store_fixture.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

using namespace config_store;
using Lines = std::vector<std::string>;

namespace {

// A record with the identity axis map, all "+", distinct gains and sensitivities.
TGameConfig Identity(const std::string& orientation) {
  TGameConfig c;
  c.ORIENTATION = orientation;
  c.USE_CHORDING.USER = "FALSE";
  c.NULL_REGION.USER = "12";
  c.USE_MASTER.USER = "FALSE";
  c.USE_PRECISION.USER = "FALSE";
  for (int i = 1; i <= 6; ++i) {
    c.AxisMap(i).USER = std::to_string(i);
    c.Polarity(i).USER = "+";
  }
  for (int col = 1; col <= 7; ++col)
    for (int level = 1; level <= 3; ++level) {
      c.SensitivityTable(level, col).USER = std::to_string(level);
      c.GainTable(level, col).USER = std::to_string(level * 10 + col);
    }
  return c;
}

Lines Slice(const Lines& lines, std::size_t from, std::size_t count) {
  return Lines(lines.begin() + from, lines.begin() + std::min(lines.size(), from + count));
}

TEST(RyxCommandFile, VerticalIdentityAxesAndPerAxisValues) {
  TGameConfig c = Identity("VERTICAL");
  Lines lines = RyxCommandLines(c, 2, AxisAssignmentsFromRecord(c), "/nowhere");
  Lines expected = {
      "--reset-sensitivity-curve 0",
      "--reset-sensitivity-curve 1",
      "--reset-sensitivity-curve 2",
      "--reset-sensitivity-curve 3",
      "--reset-sensitivity-curve 4",
      "--reset-sensitivity-curve 5",
      "--set-chording off",
      "--set-null-region 12",
      "--set-sensitivity 0 2",
      "--set-sensitivity 1 2",
      "--set-sensitivity 2 2",
      "--set-sensitivity 3 2",
      "--set-sensitivity 4 2",
      "--set-sensitivity 5 2",
      "--set-gain 0 21",
      "--set-gain 1 22",
      "--set-gain 2 23",
      "--set-gain 3 24",
      "--set-gain 4 25",
      "--set-gain 5 26",
      "--set-axis 0 0",
      "--set-axis 1 1",
      "--set-axis 2 2",
      "--set-axis 3 3",
      "--set-axis 4 4",
      "--set-axis 5 5",
      "--set-polarity 0 +",
      "--set-polarity 1 +",
      "--set-polarity 2 +",
      "--set-polarity 3 +",
      "--set-polarity 4 +",
      "--set-polarity 5 +",
  };
  EXPECT_EQ(lines, expected);
}

TEST(RyxCommandFile, HorizontalPolaritiesFirstWithAxes3And6Inverted) {
  TGameConfig c = Identity("HORIZONTAL");
  c.Polarity(3).USER = "-";
  Lines lines = RyxCommandLines(c, 1, AxisAssignmentsFromRecord(c), "/nowhere");
  EXPECT_EQ(Slice(lines, 20, 12),
            (Lines{"--set-polarity 0 +", "--set-polarity 1 +", "--set-polarity 2 +", "--set-polarity 3 +",
                   "--set-polarity 4 +", "--set-polarity 5 -", "--set-axis 0 0", "--set-axis 1 2", "--set-axis 2 1",
                   "--set-axis 3 3", "--set-axis 4 5", "--set-axis 5 4"}));
  EXPECT_EQ(lines.size(), 32u);  // nothing after the last axis line without precision
}

TEST(RyxCommandFile, MappedAxesMasterAndPrecision) {
  TGameConfig c = Identity("VERTICAL");
  c.USE_MASTER.USER = "TRUE";
  c.USE_CHORDING.USER = "TRUE";
  c.USE_PRECISION.USER = "TRUE";
  c.PRECISION.MODE.USER = "LOGICAL";
  c.PRECISION.BUTTON.USER = "15";
  c.PRECISION.SENS.USER = "4";
  c.PRECISION.GAIN.USER = "60";
  AxisAssignments axes = AxisAssignmentsFromRecord(c);
  axes[0] = {3, "-"};
  axes[2] = {1, "+"};
  Lines lines = RyxCommandLines(c, 3, axes, "/nowhere");
  EXPECT_EQ(Slice(lines, 6, 4),
            (Lines{"--set-chording on", "--set-null-region 12", "--set-master-sensitivity 3", "--set-master-gain 37"}));
  EXPECT_EQ(Slice(lines, 10, 1), Lines{"--set-axis 2 0"});
  EXPECT_EQ(Slice(lines, 16, 1), Lines{"--set-polarity 2 -"});
  EXPECT_EQ(Slice(lines, 22, 3),
            (Lines{"--set-precision-button logical 15", "--set-precision-sensitivity 4", "--set-precision-gain 60"}));
}

TEST(RyxCommandFile, CurvesAreUploadedOnlyWhenTheirFileExistsAndCanBeQuoted) {
  store_test::ProgramFolder program;
  testing_support::WriteFile(program.folder / "crv/with\"quote.crv", "curve");
  TGameConfig c = Identity("VERTICAL");
  c.Curve(1).USER = ".\\CRV\\Fast.crv";  // found without regard to case
  c.Curve(2).USER = ".\\crv\\missing.crv";
  c.Curve(4).USER = program.Path() + "\\crv\\fast.crv";       // as a load holds it
  c.Curve(6).USER = program.Path() + "/crv/with\"quote.crv";  // cannot be quoted
  Lines lines = RyxCommandLines(c, 2, AxisAssignmentsFromRecord(c), program.Path());
  std::string path = program.Path() + "/crv/fast.crv";
  EXPECT_EQ(Slice(lines, 6, 3), (Lines{"--upload-sensitivity-curve 0 \"" + path + "\"",
                                       "--upload-sensitivity-curve 3 \"" + path + "\"", "--set-chording off"}));

  std::string file = program.folder / "active.ryx";
  ASSERT_TRUE(WriteRyxCommandFile(file, c, 2, AxisAssignmentsFromRecord(c), program.Path()).Written());
  std::string bytes = testing_support::ReadFile(file);
  EXPECT_EQ(bytes.substr(0, 29), "--reset-sensitivity-curve 0\r\n");
  EXPECT_EQ(platform::SplitLines(bytes), lines);
}

}  // namespace
