// The installation folder's names, which every program and older installations share.
#include "config_store/install_folder.h"

#include <gtest/gtest.h>

using namespace config_store;

TEST(InstallFolder, NamesTheSameFileWithOrWithoutATrailingSlash) {
  struct Row {
    std::string path, expected;
  };
  const Row rows[] = {
      {MonitorIniPath("/opt/h"), "/opt/h/watchpost.ini"},
      {MonitorIniPath("/opt/h/"), "/opt/h/watchpost.ini"},
      {EditorIniPath("/opt/h"), "/opt/h/tunedeck.ini"},
      {EmulatorIniPath("/opt/h/"), "/opt/h/pointerly.ini"},
      {ActiveRyxPath("/opt/h"), "/opt/h/active.ryx"},
      {UpdateListPath("/opt/h/"), "/opt/h/ryxupdate.nfo"},
      {ScgFolderPath("/opt/h"), "/opt/h/scg/"},
      {ScgFolderPath("/opt/h/"), "/opt/h/scg/"},
      {GamesFolderPath("/opt/h"), "/opt/h/games/"},
      {CurveFolderPath("/opt/h"), "/opt/h/crv/"},
      {RyxFolderPath("/opt/h"), "/opt/h/ryx/"},
      {ControlToolPath("/opt/h"), "/opt/h/ryxcontrol"},
      {EmulatorProgramPath("/opt/h/"), "/opt/h/pointerly"},
      {EditorProgramPath("/opt/h"), "/opt/h/tunedeck"},
      {MonitorProgramPath("/opt/h"), "/opt/h/watchpost"},
      {UpdaterProgramPath("/opt/h"), "/opt/h/fetchling"},
      // The root folder, and no folder at all: the working folder.
      {MonitorIniPath("/"), "/watchpost.ini"},
      {ScgFolderPath(""), "scg/"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.path, row.expected);
}
