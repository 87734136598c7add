// Button chording: with it on, buttons A and B modify C to F into sixteen
// logical buttons, shown on the tabs of tabChording, and the precision button
// may be one of the chords.
#include "editor/main_window.h"

#include "editor/selection.h"
#include "platform/text.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>

namespace editor {

namespace {

const char* const kPrecisionItems[] = {
    "Button A",       "Button B",       "Button C",       "Button D",       "Button E",       "Button F",
    "Chord None + C", "Chord None + D", "Chord None + E", "Chord None + F", "Chord A + C",    "Chord A + D",
    "Chord A + E",    "Chord A + F",    "Chord B + C",    "Chord B + D",    "Chord B + E",    "Chord B + F",
    "Chord A&B + C",  "Chord A&B + D",  "Chord A&B + E",  "Chord A&B + F"};

}  // namespace

void frmMain::FillPrecisionList(int items) {
  Clear(cboPrecisionButton);
  for (int i = 0; i < items && i < static_cast<int>(std::size(kPrecisionItems)); ++i)
    AddItem(cboPrecisionButton, kPrecisionItems[i]);
}

void frmMain::ReselectPrecisionButton() {
  const int count = cboPrecisionButton->count();
  const int p = static_cast<int>(platform::ParseWholeNumber(GameConfig.PRECISION.BUTTON.USER).value_or(0)) +
                Flags.PrecisionButtonBase;
  Select(cboPrecisionButton, p >= count ? count - 1 : std::max(p, 0));
}

void frmMain::UpdateChording(int Index) {
  if (Index == 1 || Index == 2) {
    {
      // The option's own handler is this procedure: ticking it runs nothing twice.
      QSignalBlocker quiet(optChording(Index));
      optChording(Index)->setChecked(true);
    }
    // Tab "None", the plain button lists, the chord tabs and their pictures.
    ShowChording(Index);
    FillPrecisionList(Index == 1 ? 22 : 6);
    GameConfig.USE_CHORDING.USER = Index == 1 ? "TRUE" : "FALSE";
  }
  // Its handler stores mode and button for the item now selected: a chord
  // that is no longer offered becomes "Button F".
  ReselectPrecisionButton();
  AnyChanges("UpdateChording");
  ResetImage();
}

}  // namespace editor
