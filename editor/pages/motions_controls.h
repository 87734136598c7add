// Page 1 of tabSensitivity, "Motions & Actions": the axis map and its invert
// boxes, orientation, chording, the buttons A to F and the sixteen chord slots
// on the tabs of tabChording, with the controller pictures.
#pragma once

#include "editor/control_table.h"

#include <vector>

namespace editor {

inline const std::vector<ControlSpec> kMotionsPage = {
    {"frmMotions", Kind::Frame, kSingle, kSingle, "", 10, 4, 352, 214, 0, 0, "Axes"},
    {"lblAxisNumber", Kind::Label, 1, 6, "frmMotions", 10, 30, 54, 22, 0, 30,
     "Axis 1|Axis 2|Axis 3|Axis 4|Axis 5|Axis 6"},
    {"cboAxis", Kind::Combo, 1, 6, "frmMotions", 66, 28, 204, 26, 0, 30, ""},
    {"cbxInvertAxis", Kind::Check, 1, 6, "frmMotions", 278, 29, 68, 24, 0, 30, "Invert"},
    {"frmOrientation", Kind::Frame, kSingle, kSingle, "", 10, 222, 196, 56, 0, 0, "Orientation"},
    {"optOrientation", Kind::Option, 1, 2, "frmOrientation", 10, 24, 96, 24, 100, 0, "Horizontal|Vertical"},
    {"frmChording", Kind::Frame, kSingle, kSingle, "", 212, 222, 150, 80, 0, 0, "Button Chording"},
    {"optChording", Kind::Option, 1, 2, "frmChording", 10, 22, 100, 24, 0, 26, "Enable|Disable"},
    {"cmdMotionReset", Kind::Button, kSingle, kSingle, "", 10, 286, 150, 30, 0, 0, "Reset to Default"},
    {"imgStix", Kind::Image, kSingle, kSingle, "", 806, 268, 110, 110, 0, 0, ""},
    {"frmButtons", Kind::Frame, kSingle, kSingle, "", 370, 4, 376, 214, 0, 0, "Buttons"},
    {"lblButtonLetter", Kind::Label, 1, 6, "frmButtons", 12, 30, 18, 22, 0, 30, "A|B|C|D|E|F"},
    {"cboButton", Kind::Combo, 1, 6, "frmButtons", 30, 28, 190, 26, 0, 30, ""},
    {"cboButtonAlias", Kind::Combo, 1, 6, "frmButtons", 224, 28, 142, 26, 0, 30, ""},
    {"tabChording", Kind::Tabs, kSingle, kSingle, "", 370, 224, 376, 178, 0, 0, "None|  A  |  B  |A && B"},
    {"lblChordButton", Kind::Label, 1, 4, "tabChording/0", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 1, 4, "tabChording/0", 28, 8, 186, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 1, 4, "tabChording/0", 218, 8, 142, 26, 0, 34, ""},
    {"lblChordButton", Kind::Label, 5, 8, "tabChording/1", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 5, 8, "tabChording/1", 28, 8, 186, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 5, 8, "tabChording/1", 218, 8, 142, 26, 0, 34, ""},
    {"lblChordButton", Kind::Label, 9, 12, "tabChording/2", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 9, 12, "tabChording/2", 28, 8, 186, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 9, 12, "tabChording/2", 218, 8, 142, 26, 0, 34, ""},
    {"lblChordButton", Kind::Label, 13, 16, "tabChording/3", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 13, 16, "tabChording/3", 28, 8, 186, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 13, 16, "tabChording/3", 218, 8, 142, 26, 0, 34, ""},
    // The controller seen from above, with its lit overlays and the chord modifiers' marks stacked over it.
    {"imgMotion", Kind::Image, 0, 12, "", 756, 4, 210, 226, 0, 0, ""},
    {"imgMotion", Kind::Image, 50, 62, "", 756, 4, 210, 226, 0, 0, ""},
    {"imgChordAB", Kind::Image, 0, 5, "", 756, 4, 210, 226, 0, 0, ""},
    {"imgChordAB", Kind::Image, 50, 55, "", 756, 4, 210, 226, 0, 0, ""},
};

}  // namespace editor
