// Showing a loaded configuration: each page fills its own lists, sliders and
// options, in the order the load has always shown them, and the window its
// instructions. The load has already corrected the record, so these
// procedures only show it.
#include "editor/main_window.h"

#include "editor/curve_files.h"
#include "editor/pages/keyboard_page.h"
#include "editor/pages/motions_page.h"
#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace editor {

void frmMain::ClearGameControls() {
  for (Page* page : pages_) page->Clear();
  QSignalBlocker blocker(txtGameInstructions);
  txtGameInstructions->clear();
}

void frmMain::ShowConfiguration() {
  FillScope filling;
  motions_->UpdateOrientation(GameConfig.ORIENTATION == "HORIZONTAL" ? 1 : 2);
  ShowInstructionsOptions();
  sensitivity_->SetSkill(GameConfig.LEVEL);
  sensitivity_->ShowSkillSliders(Flags.SkillLevel);
  motions_->ShowChording(GameConfig.USE_CHORDING.USER == "TRUE" ? 1 : 2);
  sensitivity_->ShowPrecision(GameConfig.USE_PRECISION.USER == "TRUE" ? 1 : 0);
  sensitivity_->ShowNullRegion();
  motions_->ShowAliasLists();
  keyboard_->ShowAliasLists();
  motions_->ShowAxisMap();
  sensitivity_->ShowAxisNames();
  motions_->ShowButtonCommands();
  keyboard_->ShowButtonCommands();
  sensitivity_->ShowMasterSettings(GameConfig.USE_MASTER.USER == "FALSE" ? 0 : 1);
  sensitivity_->ShowCurves(CurveFilesOf(GameConfig, ProgramFolder));
  keyboard_->ShowDeadzones("User");
}

void frmMain::ShowInstructionsOptions() {
  SetChecked(chkModifyInstructions, false);
  chkModifyInstructions->setEnabled(GameConfig.SHOW_INSTRUCTIONS == "TRUE" && GameConfig.OWNER == "USER");
  txtGameInstructions->setReadOnly(true);
  // The text as loaded, and the copy the change check compares it with.
  QString text = platform::FromAnsi(Session.Instructions);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  for (QPlainTextEdit* box : {txtGameInstructions, txtGameInstructionsCompare}) {
    QSignalBlocker blocker(box);
    box->setPlainText(text);
  }
}

}  // namespace editor
