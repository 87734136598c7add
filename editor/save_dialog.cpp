#include "editor/save_dialog.h"

#include "platform/dialogs.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"

namespace editor {

std::optional<std::string> ChooseFileToWrite(const std::string& filter, const std::string& folder,
                                             const std::string& kindOfFile) {
  for (;;) {
    platform::FileDialogResult chosen = platform::ShowFileDialog({true, filter, folder, ""});
    if (chosen.fileTitle.empty()) return std::nullopt;
    if (!platform::FileExists(chosen.fileName)) return chosen.fileName;
    platform::MsgResult answer =
        platform::MsgBox(kindOfFile + " " + chosen.fileTitle + " already exists.  Would you like to overwrite it?",
                         platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question, "File Exists");
    if (answer == platform::MsgResult::Yes) return chosen.fileName;
    if (answer == platform::MsgResult::Cancel) return std::nullopt;
  }
}

}  // namespace editor
