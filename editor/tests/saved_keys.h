// What a save changed: the keys whose lines differ between two saves of a
// configuration, with their new values; and a test fixture that loads a game,
// lets the test edit it and gives the keys the edit's save changed.
#pragma once

#include "editor/main_window.h"
#include "editor/tests/editor_fixture.h"
#include "platform/file_system.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

namespace editor_testing {

inline std::map<std::string, std::string> KeyLines(const std::string& path) {
  std::map<std::string, std::string> keys;
  for (const std::string& line : platform::SplitLines(testing_support::ReadFile(path))) {
    auto eq = line.find('=');
    if (eq != std::string::npos && eq > 0) keys.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
  return keys;
}

// Every key of `after` whose value differs from `before` (or is new there), and
// every key `after` lacks (with the value "<gone>").
inline std::map<std::string, std::string> ChangedKeys(const std::string& before, const std::string& after) {
  std::map<std::string, std::string> a = KeyLines(before), b = KeyLines(after), changed;
  for (const auto& [key, value] : b)
    if (!a.count(key) || a.at(key) != value) changed[key] = value;
  for (const auto& [key, value] : a)
    if (!b.count(key)) changed[key] = "<gone>";
  return changed;
}

// "Alpha Game" loaded as written with some lines replaced; the store's own save
// of the unedited record is what every edit is compared with.
class EditedGameTest : public ::testing::Test {
 public:
  using Keys = std::map<std::string, std::string>;
  using Replacements = std::vector<std::pair<std::string, std::string>>;

 protected:
  editor::frmMain& Load(const Replacements& replacements) {
    folder.Add("alpha.scg", "Alpha Game", replacements);
    loaded_.reset();
    loaded_ = std::make_unique<LoadedWindow>(folder);
    window = &loaded_->window;
    EXPECT_TRUE(window->SaveChanges(folder / "unedited.scg"));
    return *window;
  }
  // Saves the edited record and gives the keys that differ from the unedited save.
  Keys SavedChanges() {
    EXPECT_TRUE(window->SaveChanges(folder.Scg("alpha.scg")));
    return ChangedKeys(folder / "unedited.scg", folder.Scg("alpha.scg"));
  }
  EditorFolder folder;
  Answers answers;
  editor::frmMain* window = nullptr;

 private:
  std::unique_ptr<LoadedWindow> loaded_;
};

}  // namespace editor_testing
