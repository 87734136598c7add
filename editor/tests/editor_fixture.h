// A temporary installation folder with configurations, and the editor window
// loaded from such a folder. Tests reach the window's controls and answer its
// boxes and dialogs through the shared window helpers (testing/window_helpers.h).
#pragma once

#include "editor/main_window.h"
#include "testing/test_support.h"
#include "testing/window_helpers.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace editor_testing {

using testing_support::Answers;
using testing_support::Arr;
using testing_support::Ctl;
using testing_support::Menu;
using testing_support::ReadFile;
using testing_support::WriteFile;

// The shipped Half-Life configuration with some of its lines replaced.
inline std::string HalfLifeScg(const std::vector<std::pair<std::string, std::string>>& replacements = {}) {
  std::string text = ReadFile(std::string(HELIRYX_SOURCE_DIR) + "/install/scg/halflife.scg");
  for (const auto& [from, to] : replacements) {
    auto at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error("fixture has no " + from);
    text.replace(at, from.size(), to);
  }
  return text;
}

// Games of the fixture, in the list's (sorted) order: "Alpha Game", "Beta Game", "Gamma Game".
class EditorFolder {
 public:
  EditorFolder() {
    Add("gamma.scg", "Gamma Game");
    Add("alpha.scg", "Alpha Game");
    Add("beta.scg", "Beta Game");
  }
  void Add(const std::string& file, const std::string& name,
           std::vector<std::pair<std::string, std::string>> replacements = {}) {
    replacements.insert(replacements.begin(), {"APPLICATION_NAME=\"Half-Life\"", "APPLICATION_NAME=\"" + name + "\""});
    WriteFile(Scg(file), HalfLifeScg(replacements));
  }
  const std::string& Path() const { return folder_.Path(); }
  std::string operator/(const std::string& name) const { return folder_ / name; }
  std::string Scg(const std::string& file) const { return folder_ / ("scg/" + file); }

 private:
  testing_support::TempFolder folder_;
  testing_support::TempFolder config_;
  testing_support::ScopedEnv configHome_{"XDG_CONFIG_HOME", config_.Path()};
};

// A window loaded from `folder` as at start (answer its boxes with Answers).
class LoadedWindow {
 public:
  explicit LoadedWindow(const EditorFolder& folder) : window(folder.Path()) {
    window.Form_Load();
    if (window.Ended()) throw std::runtime_error("the window did not load");
  }
  ~LoadedWindow() {
    if (!window.Ended()) window.Terminate();
  }
  editor::frmMain window;
};

}  // namespace editor_testing
