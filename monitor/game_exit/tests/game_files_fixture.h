// A game folder in a temporary folder, and the context CUSTOM actions run in.
#pragma once

#include "monitor/game_exit/custom_context.h"
#include "monitor/tests/log_into.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace game_exit_test {

class GameFiles : public ::testing::Test {
 protected:
  GameFiles() { testing_support::MakeFolders(folder_); }

  game_exit::CustomContext Context(bool alreadyConfigured = false) const {
    return {game_exit::GameFolder(folder_, ""), alreadyConfigured, false, logInto_};
  }
  static game_exit::ActionArgs Row(std::vector<std::string> fields) { return {std::move(fields)}; }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const { testing_support::WriteFile(Path(name), bytes); }
  std::string Read(const std::string& name) const { return testing_support::ReadFile(Path(name)); }
  bool Exists(const std::string& name) const { return platform::FileExists(Path(name)); }
  // The files of the game folder, sorted: no temporary file may be left over.
  std::vector<std::string> Files() const {
    std::vector<std::string> names = platform::ListFiles(folder_);
    std::sort(names.begin(), names.end());
    return names;
  }

  testing_support::TempFolder tmp_;
  std::string folder_ = tmp_ / "Game";
  mutable std::vector<std::string> log_;
  mutable monitor_test::LogInto logInto_{log_};
};

}  // namespace game_exit_test
