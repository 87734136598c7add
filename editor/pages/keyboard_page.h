// Page 2 of tabSensitivity, "Mouse/Keyboard": per axis the commands and keys of
// both directions and the emulator's dead zone; the mouse-axis lists are moved
// onto the row of the axis that drives the mouse.
#pragma once

#include "editor/control_table.h"

#include <vector>

namespace editor {

inline const std::vector<ControlSpec> kKeyboardPage = {
    {"frmKeys", Kind::Frame, kSingle, kSingle, "", 10, 4, 690, 250, 0, 0, "Axes as keys and mouse"},
    {"lblKeysPosCommand", Kind::Label, kSingle, kSingle, "frmKeys", 60, 22, 140, 20, 0, 0, "Positive command"},
    {"lblKeysPosAlias", Kind::Label, kSingle, kSingle, "frmKeys", 206, 22, 116, 20, 0, 0, "Positive key"},
    {"lblKeysNegCommand", Kind::Label, kSingle, kSingle, "frmKeys", 328, 22, 140, 20, 0, 0, "Negative command"},
    {"lblKeysNegAlias", Kind::Label, kSingle, kSingle, "frmKeys", 474, 22, 116, 20, 0, 0, "Negative key"},
    {"lblKeysDeadzone", Kind::Label, kSingle, kSingle, "frmKeys", 596, 22, 86, 20, 0, 0, "Dead zone"},
    {"lblKeysAxis", Kind::Label, 1, 6, "frmKeys", 10, 48, 48, 22, 0, 32, "Axis 1|Axis 2|Axis 3|Axis 4|Axis 5|Axis 6"},
    {"cboPosAxisCommand", Kind::Combo, 1, 6, "frmKeys", 60, 46, 140, 26, 0, 32, ""},
    {"cboButtonAxisPOSAlias", Kind::Combo, 1, 6, "frmKeys", 206, 46, 116, 26, 0, 32, ""},
    {"cboNegAxisCommand", Kind::Combo, 1, 6, "frmKeys", 328, 46, 140, 26, 0, 32, ""},
    {"cboButtonAxisNEGAlias", Kind::Combo, 1, 6, "frmKeys", 474, 46, 116, 26, 0, 32, ""},
    {"sldDeadzone", Kind::Slider, 1, 6, "frmKeys", 596, 44, 86, 28, 0, 32, "", 6000, 10, 100},
    // Hidden until PlaceMouseCommands puts them over the row of the mouse axis.
    {"cboPosMouseXCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 60, 46, 140, 26, 0, 0, ""},
    {"cboButtonMouseXPOSAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 206, 46, 116, 26, 0, 0, ""},
    {"cboNegMouseXCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 328, 46, 140, 26, 0, 0, ""},
    {"cboButtonMouseXNEGAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 474, 46, 116, 26, 0, 0, ""},
    {"cboPosMouseYCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 60, 78, 140, 26, 0, 0, ""},
    {"cboButtonMouseYPOSAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 206, 78, 116, 26, 0, 0, ""},
    {"cboNegMouseYCommand", Kind::Combo, kSingle, kSingle, "frmKeys", 328, 78, 140, 26, 0, 0, ""},
    {"cboButtonMouseYNEGAlias", Kind::Combo, kSingle, kSingle, "frmKeys", 474, 78, 116, 26, 0, 0, ""},
    {"cmdPointerlyReset", Kind::Button, kSingle, kSingle, "", 10, 262, 150, 30, 0, 0, "Reset to Default"},
};

}  // namespace editor
