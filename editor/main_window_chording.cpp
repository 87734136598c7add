// Button chording: with it on, buttons A and B modify C to F into sixteen
// logical buttons, shown on the tabs of tabChording, and the precision button
// may be one of the chords.
#include "editor/main_window.h"

#include "editor/pages/sensitivity_page.h"

#include <QRadioButton>
#include <QSignalBlocker>

namespace editor {

void frmMain::UpdateChording(int Index) {
  if (Index == 1 || Index == 2) {
    {
      // The option's own handler is this procedure: ticking it runs nothing twice.
      QSignalBlocker quiet(optChording(Index));
      optChording(Index)->setChecked(true);
    }
    // Tab "None", the plain button lists, the chord tabs and their pictures.
    ShowChording(Index);
    GameConfig.USE_CHORDING.USER = Index == 1 ? "TRUE" : "FALSE";
  }
  sensitivity_->ShowChordingChoice(Index);
  AnyChanges("UpdateChording");
  ResetImage();
}

}  // namespace editor
