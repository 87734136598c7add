// A temporary installation folder with configurations, and a script that
// answers the message boxes and file dialogs the editor shows, and the editor
// window loaded from such a folder.
#pragma once

#include "editor/main_window.h"
#include "platform/dialogs.h"
#include "platform/file_dialog.h"
#include "testing/test_support.h"

#include <cstdlib>
#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace editor_testing {

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

// Every box and dialog is recorded; boxes take the next scripted answer, or
// their default; dialogs the next scripted choice, or cancel.
class Answers {
 public:
  Answers() {
    platform::SetMsgBoxHandler([this](const platform::MsgBoxRequest& box) {
      boxes.push_back(box);
      if (replies.empty()) return platform::DefaultAnswer(box.buttons);
      auto reply = replies.front();
      replies.pop_front();
      return reply;
    });
    platform::SetFileDialogHandler([this](const platform::FileDialogRequest& request) {
      dialogs.push_back(request);
      if (files.empty()) return platform::FileDialogResult{};
      auto file = files.front();
      files.pop_front();
      return file;
    });
  }
  ~Answers() {
    platform::SetMsgBoxHandler({});
    platform::SetFileDialogHandler({});
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.title + ": " + box.text);
    return texts;
  }
  std::vector<platform::MsgBoxRequest> boxes;
  std::deque<platform::MsgResult> replies;
  std::vector<platform::FileDialogRequest> dialogs;
  std::deque<platform::FileDialogResult> files;
};

// A control of the window or one of its pages by name and index, as the
// window numbers them: Ctl<QComboBox>(w, "cboAxis", 3).
template <class T>
T* Ctl(const editor::frmMain& w, const std::string& name, int index = editor::kSingle) {
  return w.Controls().Get<T>(name, index);
}

// A control array by name: Arr<QLabel>(w, "imgMotion")(50).
template <class T>
editor::ControlArray<T> Arr(const editor::frmMain& w, const std::string& name) {
  return editor::ControlArray<T>(w.Controls(), name);
}

// A menu entry or menu of the window by name: Menu<QAction>(w, "mSaveAs"), Menu<QMenu>(w, "mPopupSys").
template <class T>
T* Menu(const editor::frmMain& w, const std::string& name) {
  T* item = w.findChild<T*>(QString::fromStdString(name));
  if (!item) throw std::logic_error("no menu " + name);
  return item;
}

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
