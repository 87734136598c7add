#include "editor/pages/page.h"

#include "editor/selection.h"
#include "platform/dialogs.h"
#include "platform/text.h"

#include <QComboBox>

namespace editor {

Page::Page(config_store::ConfigSession& session, QObject* parent)
    : QObject(parent), Session(session), GameConfig(session.GameConfig), Lists(session.Lists), Flags(session.Flags) {}

bool ConfirmReset(const config_store::EditorFlags& flags) {
  if (flags.ConfigModified != 1) return true;
  return platform::MsgBox(
             "This configuration has been modified.  If you reset to the defaults, your\r\n"
             "changes will be lost.   Would you still like to continue?",
             platform::MsgButtons::YesNo, platform::MsgIcon::Question, "Reset") == platform::MsgResult::Yes;
}

int ToInt(const std::string& text, int fallback) {
  auto value = platform::ParseDecimal(text);
  return value ? static_cast<int>(*value) : fallback;
}

void SelectIfPresent(QComboBox* box, int index) {
  if (index >= 0 && index < box->count()) Select(box, index);
}

}  // namespace editor
