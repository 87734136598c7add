// Tunedeck's command line: words split at every blank, compared in lower case.
#pragma once

#include <string>

namespace editor {

struct EditorSwitches {
  enum class Outcome { Run, Kill, Usage };
  Outcome outcome = Outcome::Run;
  bool skipOsCheck = false;
};

EditorSwitches ParseEditorSwitches(const std::string& commandText);

// The usage box's text (its title is the program's title).
inline const std::string kEditorUsageText =
    "Command line Options:\r\n\r\n-s to skip Windows 2000/XP check\r\n-? to bring up this dialog";

}  // namespace editor
