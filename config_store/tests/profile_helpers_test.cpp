#include "config_store/profile_helpers.h"

#include "testing/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace config_store;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

TEST(ProfileHelpers, ErrorWordAndDefaults) {
  TempFolder dir;
  std::string file = dir / "a.scg";
  WriteFile(file, "[TUNING]\r\nEMPTY=\r\nSTORED=ERROR\r\nSET=7\r\n");
  EXPECT_EQ(ReadIni(file, "TUNING", "EMPTY"), "");
  EXPECT_EQ(ReadIni(file, "TUNING", "MISSING"), "ERROR");
  EXPECT_EQ(ReadConfigValue("TUNING", "MISSING", "10", file), "10");
  EXPECT_EQ(ReadConfigValue("TUNING", "STORED", "10", file), "10");  // the word reads like a missing key
  EXPECT_EQ(ReadConfigValue("TUNING", "MISSING", "", file), "ERROR");
  EXPECT_EQ(ReadConfigValue("TUNING", "EMPTY", "10", file), "");
  EXPECT_EQ(ReadConfigValue("TUNING", "SET", "", file), "7");
}

TEST(ProfileHelpers, WriteIniCreatesTheFile) {
  TempFolder dir;
  WriteIni(dir / "tunedeck.ini", "Version", "Version", "5.1");
  EXPECT_EQ(ReadFile(dir / "tunedeck.ini"), "[Version]\r\nVersion=5.1\r\n");
}

TEST(ProfileHelpers, RegistryStringsAndCheckAttached) {
  TempFolder config;
  testing_support::ScopedEnv configHome("XDG_CONFIG_HOME", config.Path());
  EXPECT_TRUE(ReadCheckAttached());
  SaveRegString(platform::RegistryRoot::LocalMachine, kKelvaneKey, "CheckAttached", "False");
  auto value = platform::Registry::Query(platform::RegistryRoot::LocalMachine, kKelvaneKey, "CheckAttached");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->text, "False");
  EXPECT_EQ(value->text.size(), 5u);
  EXPECT_TRUE(ReadCheckAttached());
}
