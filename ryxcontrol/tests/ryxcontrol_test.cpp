// The stand-in driver tool as a real program in a temporary installation folder.
#include "ryxcontrol/driver_state.h"

#include "testing/test_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
class Ryxcontrol : public ::testing::Test {
 protected:
  Ryxcontrol() : install_({"ryxcontrol"}) {}
  RunResult Run(const std::vector<std::string>& args) { return RunProgram(install_ / "ryxcontrol", args); }
  ryxcontrol::DriverState State() { return ryxcontrol::ParseState(ReadFile(install_ / "ryxcontrol.state")); }
  TempInstall install_;
};
}  // namespace

TEST_F(Ryxcontrol, AcceptsEveryOptionFormAndRecordsTheState) {
  WriteFile(install_ / "crv/my curve.crv", "points");
  const std::string curve = install_.Folder() + "\\CRV\\my curve.crv";  // as a configuration writes it
  std::vector<std::vector<std::string>> runs = {
      {"--set-defaults"},
      {"--reset-sensitivity-curve", "0"},
      {"--upload-sensitivity-curve", "2", curve},
      {"--set-chording", "on"},
      {"--set-null-region", "127"},
      {"--set-master-sensitivity", "5"},
      {"--set-master-gain", "100"},
      {"--set-sensitivity", "5", "7"},
      {"--set-gain", "0", "7"},
      {"--set-axis", "1", "2"},
      {"--set-polarity", "2", "-"},
      {"--set-precision-button", "logical", "3"},
      {"--set-precision-sensitivity", "10"},
      {"--set-precision-gain", "10"},
      {"--download-sensitivity-curve", "2", install_ / "crv/saved.crv"},
      {"--download-sensitivity-curve", "3", install_ / "crv/default.crv"},
  };
  for (const auto& args : runs) {
    RunResult r = Run(args);
    EXPECT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
    EXPECT_EQ(r.err, "");
  }
  ryxcontrol::DriverState s = State();
  EXPECT_EQ(s.curves[2], install_ / "crv/my curve.crv");
  EXPECT_TRUE(s.chording);
  EXPECT_EQ(s.nullRegion, 127);
  EXPECT_EQ(s.masterSensitivity, 5);
  EXPECT_EQ(s.masterGain, 100);
  EXPECT_EQ(s.axes[5].sensitivity, 7);
  EXPECT_EQ(s.axes[0].gain, 7);
  EXPECT_EQ(s.axes[1].position, 2);
  EXPECT_EQ(s.axes[2].polarity, '-');
  EXPECT_EQ(s.precisionMode, "logical");
  EXPECT_EQ(s.precisionButton, 3);
  EXPECT_EQ(s.precisionSensitivity, 10);
  EXPECT_EQ(ReadFile(install_ / "crv/saved.crv"), "points");
  EXPECT_EQ(ReadFile(install_ / "crv/default.crv"), ryxcontrol::DefaultCurveText());
  std::string log = ReadFile(install_ / "ryxcontrol.log");
  EXPECT_EQ(log.substr(0, 46), "--set-defaults\n--reset-sensitivity-curve 0\n--u");
  EXPECT_NE(log.find("--upload-sensitivity-curve 2 \"" + curve + "\"\n"), std::string::npos);

  EXPECT_EQ(Run({"--set-defaults"}).exitCode, 0);
  s = State();
  EXPECT_EQ(s.curves[2], "");
  EXPECT_FALSE(s.masterGain);
  EXPECT_EQ(s.axes[1].position, 1);
}

TEST_F(Ryxcontrol, RefusesMalformedRunsAndChangesNothing) {
  ASSERT_EQ(Run({"--set-gain", "0", "60"}).exitCode, 0);
  std::string before = ReadFile(install_ / "ryxcontrol.state");
  std::vector<std::vector<std::string>> refused = {
      {},
      {"--set-turbo"},
      {"--set-null-region", "ERROR"},
      {"--set-null-region"},
      {"--set-null-region", "128"},
      {"--set-null-region", "1", "2"},
      {"--set-gain", "6", "10"},
      {"--set-gain", "0", "4x"},
      {"--set-axis", "0", "-1"},
      {"--set-polarity", "0", "ERROR"},
      {"--set-chording", "ON"},
      {"--set-precision-button", "ERROR", "0"},
      {"--upload-sensitivity-curve", "1", install_ / "crv/missing.crv"},
      {"--download-sensitivity-curve", "1", install_ / "no/folder/x.crv"},
      {"--set-defaults", "now"},
      {"--set-null-region", "5\n--set-chording on"},  // a line break in an argument forges no line
  };
  for (const auto& args : refused) {
    RunResult r = Run(args);
    EXPECT_NE(r.exitCode, 0) << (args.empty() ? "(none)" : args[0]);
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
    EXPECT_EQ(r.err.rfind("ryxcontrol: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(ReadFile(install_ / "ryxcontrol.state"), before);
  std::string log = ReadFile(install_ / "ryxcontrol.log");
  EXPECT_NE(log.find("--set-null-region ERROR\t(refused: --set-null-region: 'ERROR' is not a number)\n"),
            std::string::npos);
  EXPECT_EQ(log.find("\n--set-chording on"), std::string::npos) << log;
}

TEST_F(Ryxcontrol, AStateThatCannotBeWrittenIsAFailure) {
  MakeFolders(install_ / "ryxcontrol.state");  // a folder where the state file belongs
  RunResult r = Run({"--set-null-region", "5"});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_EQ(r.err.rfind("ryxcontrol: cannot write the driver state ", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}
