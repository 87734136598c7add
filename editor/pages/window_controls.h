// The controls of frmMain outside the three tuning pages: the game choice, the
// state labels, the page tabs, the controller picture frame, the instructions
// and the command buttons.
#pragma once

#include "editor/control_table.h"

#include <vector>

namespace editor {

inline const std::vector<ControlSpec> kWindowControls = {
    {"grpSelectGame", Kind::Frame, kSingle, kSingle, "", 10, 6, 520, 62, 0, 0, "Select Game"},
    {"cboGameList", Kind::Combo, kSingle, kSingle, "grpSelectGame", 12, 26, 396, 26, 0, 0, ""},
    {"cmdReload", Kind::Button, kSingle, kSingle, "grpSelectGame", 418, 24, 90, 30, 0, 0, "Reload"},
    {"lblRevision", Kind::Label, kSingle, kSingle, "", 545, 12, 150, 20, 0, 0, "Configuration revision:"},
    {"lblConfigVer", Kind::Label, kSingle, kSingle, "", 700, 12, 120, 20, 0, 0, ""},
    {"lblChanges", Kind::Label, kSingle, kSingle, "", 545, 40, 445, 20, 0, 0,
     "Configuration file has been modified..."},
    {"lblError", Kind::Label, kSingle, kSingle, "", 545, 40, 445, 20, 0, 0, ""},
    {"frmTabs", Kind::PlainFrame, kSingle, kSingle, "", 10, 74, 980, 446, 0, 0, ""},
    {"tabSensitivity", Kind::Tabs, kSingle, kSingle, "frmTabs", 0, 0, 980, 446, 0, 0,
     "Sensitivity|Motions && Actions|Mouse/Keyboard"},
    // The picture frame lies over the pages; PositionSensitivityLights moves it per page.
    {"frmSensitivityLights", Kind::PlainFrame, kSingle, kSingle, "", 762, 140, 226, 246, 0, 0, ""},
    {"imgSensitivity", Kind::Image, 0, 7, "frmSensitivityLights", 8, 12, 210, 226, 0, 0, ""},
    {"imgSensitivity", Kind::Image, 50, 57, "frmSensitivityLights", 8, 12, 210, 226, 0, 0, ""},
    {"txtGameInstructions", Kind::Text, kSingle, kSingle, "", 10, 528, 600, 82, 0, 0, ""},
    {"txtGameInstructionsCompare", Kind::Text, kSingle, kSingle, "", 10, 528, 600, 82, 0, 0, ""},
    {"chkModifyInstructions", Kind::Check, kSingle, kSingle, "", 620, 528, 200, 24, 0, 0, "Edit the instructions"},
    {"cmdApplySettings", Kind::Button, kSingle, kSingle, "", 620, 580, 210, 30, 0, 0, "Activate Current Settings"},
    {"cmdSaveChanges", Kind::Button, kSingle, kSingle, "", 840, 544, 150, 30, 0, 0, "Save Changes"},
    {"cmdExit", Kind::Button, kSingle, kSingle, "", 840, 580, 150, 30, 0, 0, "Exit"},
    {"Command1", Kind::Button, kSingle, kSingle, "", 620, 556, 80, 20, 0, 0, "Command1"},
    {"Command2", Kind::Button, kSingle, kSingle, "", 710, 556, 80, 20, 0, 0, "Command2"},
};

}  // namespace editor
