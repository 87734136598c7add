#include "monitor/game_exit/marker_file.h"

#include "testing/test_support.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

TEST(RevisionNotLower, ComparesWholeNumbersAsNumbersAndTheRestAsText) {
  struct Case {
    std::string marker, config;
    bool notLower;
  };
  const Case cases[] = {
      {"3", "3", true},       {"3", "4", false},   {"4", "3", true},      {"9", "10", false},
      {"10", "9", true},      {" 10", "10", true}, {"1.9", "1.10", true},  // not whole numbers: text order
      {"1.10", "1.9", false}, {"b", "A", true},    {"a", "B", false},     {"ERROR", "ERROR", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(game_exit::RevisionNotLower(c.marker, c.config), c.notLower) << c.marker << " vs " << c.config;
}

TEST(Marker, WrittenWithItsKeysInOrderAndReadBack) {
  TempFolder tmp;
  std::string marker = game_exit::MarkerPath(tmp.Path());
  ASSERT_TRUE(game_exit::WriteMarker(marker, "foo.scg", "3"));
  EXPECT_EQ(ReadFile(tmp / "heliryx.360"), "[Heliryx 360]\r\nVersion=5.1\r\n[Games]\r\nSCG=foo.scg\r\nRevision=3\r\n");
  const std::string program = "/opt/heliryx";
  EXPECT_TRUE(game_exit::MarkerShowsApplied(marker, program, program + "/scg/foo.scg", "3"));
  EXPECT_TRUE(game_exit::MarkerShowsApplied(marker, program, program + "/SCG/FOO.SCG", "2"));
  EXPECT_FALSE(game_exit::MarkerShowsApplied(marker, program, program + "/scg/bar.scg", "3"));
  EXPECT_FALSE(game_exit::MarkerShowsApplied(marker, program, program + "/scg/foo.scg", "4"));
  EXPECT_FALSE(game_exit::MarkerShowsApplied(marker, "/elsewhere", program + "/scg/foo.scg", "3"));
}

TEST(Marker, AnyMissingOrWrongKeyMeansNotApplied) {
  TempFolder tmp;
  const std::string program = "/p";
  const std::string cases[] = {
      "[Heliryx 360]\r\nVersion=5.0\r\n[Games]\r\nSCG=foo.scg\r\nRevision=3\r\n",
      "[Games]\r\nSCG=foo.scg\r\nRevision=3\r\n",
      "[Heliryx 360]\r\nVersion=5.1\r\n[Games]\r\nRevision=3\r\n",
      "\x01\x02 junk \xff\r\n",
      "",
  };
  for (const std::string& text : cases) {
    WriteFile(tmp / "heliryx.360", text);
    EXPECT_FALSE(game_exit::MarkerShowsApplied(tmp / "heliryx.360", program, "/p/scg/foo.scg", "3")) << text;
  }
}

TEST(Marker, FoundInAnyLetterCase) {
  TempFolder tmp;
  WriteFile(tmp / "HELIRYX.360", "x");
  EXPECT_EQ(game_exit::MarkerPath(tmp.Path()), tmp / "HELIRYX.360");
}

}  // namespace
