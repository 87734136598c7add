#include "editor/editor_switches.h"

#include "platform/text.h"

namespace editor {

EditorSwitches ParseEditorSwitches(const std::string& commandText) {
  EditorSwitches result;
  if (commandText.empty()) return result;
  // Two blanks in a row give an empty word between them, which is no switch.
  for (const std::string& raw : platform::SplitOn(commandText, ' ')) {
    std::string word = platform::ToLower(raw);
    if (word == "-k" || word == "-kill" || word == "/k" || word == "/kill") {
      result.outcome = EditorSwitches::Outcome::Kill;
      return result;
    }
    if (word == "-s" || word == "-skiposcheck" || word == "/s" || word == "/skiposcheck") {
      result.skipOsCheck = true;
      continue;
    }
    result.outcome = EditorSwitches::Outcome::Usage;
    return result;
  }
  return result;
}

}  // namespace editor
