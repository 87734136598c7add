// Chording on or off, as the tuning page and the motion reset need it. The
// chording page brings the full procedure; this keeps the two callers working
// until then.
#include "editor/main_window.h"

#include "editor/selection.h"
#include "platform/text.h"

#include <QComboBox>
#include <QRadioButton>

namespace editor {

void frmMain::UpdateChording(int Index) {
  static const char* const kItems[] = {
      "Button A",       "Button B",       "Button C",       "Button D",       "Button E",      "Button F",
      "Chord None + C", "Chord None + D", "Chord None + E", "Chord None + F", "Chord A + C",   "Chord A + D",
      "Chord A + E",    "Chord A + F",    "Chord B + C",    "Chord B + D",    "Chord B + E",   "Chord B + F",
      "Chord A&B + C",  "Chord A&B + D",  "Chord A&B + E",  "Chord A&B + F"};
  if (Index == 1 || Index == 2) {
    ShowChording(Index);
    Clear(cboPrecisionButton);
    for (int i = 0; i < (Index == 1 ? 22 : 6); ++i) AddItem(cboPrecisionButton, kItems[i]);
    GameConfig.USE_CHORDING.USER = Index == 1 ? "TRUE" : "FALSE";
  }
  long long p = platform::ParseWholeNumber(GameConfig.PRECISION.BUTTON.USER).value_or(0) + Flags.PrecisionButtonBase;
  Select(cboPrecisionButton, p >= 0 && p < cboPrecisionButton->count() ? static_cast<int>(p) : cboPrecisionButton->count() - 1);
  AnyChanges("UpdateChording");
  ResetImage();
}

}  // namespace editor
