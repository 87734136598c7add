// Page 2 of tabSensitivity, "Mouse/Keyboard": per axis the commands and keys of
// both directions and the emulator's dead zone; the mouse-axis lists are moved
// onto the row of the axis that drives the mouse.
#pragma once

#include "editor/control_table.h"

#include <vector>

namespace editor {

inline const std::vector<ControlSpec> kKeyboardPage = {
    {"frmKeys", Kind::Frame, kSingle, kSingle, "", 8, 4, 740, 250, 0, 0, "Axes as keys and mouse"},
    {"lblKeysPosCommand", Kind::Label, kSingle, kSingle, "frmKeys", 50, 22, 190, 20, 0, 0, "Positive command"},
    {"lblKeysPosAlias", Kind::Label, kSingle, kSingle, "frmKeys", 244, 22, 110, 20, 0, 0, "Positive key"},
    {"lblKeysNegCommand", Kind::Label, kSingle, kSingle, "frmKeys", 358, 22, 190, 20, 0, 0, "Negative command"},
    {"lblKeysNegAlias", Kind::Label, kSingle, kSingle, "frmKeys", 552, 22, 110, 20, 0, 0, "Negative key"},
    {"lblKeysDeadzone", Kind::Label, kSingle, kSingle, "frmKeys", 664, 22, 70, 20, 0, 0, "Dead zone"},
    {"lblKeysAxis", Kind::Label, 1, 6, "frmKeys", 8, 48, 42, 22, 0, 32, "Axis 1|Axis 2|Axis 3|Axis 4|Axis 5|Axis 6"},
    {"cboPosAxisCommand", Kind::Combo, 1, 6, "frmKeys", 50, 46, 190, 26, 0, 32, ""},
    {"cboButtonAxisPOSAlias", Kind::Combo, 1, 6, "frmKeys", 244, 46, 110, 26, 0, 32, ""},
    {"cboNegAxisCommand", Kind::Combo, 1, 6, "frmKeys", 358, 46, 190, 26, 0, 32, ""},
    {"cboButtonAxisNEGAlias", Kind::Combo, 1, 6, "frmKeys", 552, 46, 110, 26, 0, 32, ""},
    {"sldDeadzone", Kind::Slider, 1, 6, "frmKeys", 664, 44, 70, 28, 0, 32, "", 6000, 10, 100},
    // Hidden until PlaceMouseCommands puts them over the row of the mouse axis.
    {"cboPosMouseXCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 50, 46, 190, 26, 0, 0, ""},
    {"cboButtonMouseXPOSAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 244, 46, 110, 26, 0, 0, ""},
    {"cboNegMouseXCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 358, 46, 190, 26, 0, 0, ""},
    {"cboButtonMouseXNEGAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 552, 46, 110, 26, 0, 0, ""},
    {"cboPosMouseYCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 50, 78, 190, 26, 0, 0, ""},
    {"cboButtonMouseYPOSAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 244, 78, 110, 26, 0, 0, ""},
    {"cboNegMouseYCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 358, 78, 190, 26, 0, 0, ""},
    {"cboButtonMouseYNEGAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 552, 78, 110, 26, 0, 0, ""},
    {"cmdPointerlyReset", Kind::Button, kSingle, kSingle, "", 10, 262, 150, 30, 0, 0, "Reset to Default"},
};

}  // namespace editor
