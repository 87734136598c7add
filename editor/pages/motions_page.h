// Page 1 of tabSensitivity, "Motions & Actions": the axis map and its invert
// boxes, orientation, chording, the buttons A to F and the sixteen chord slots
// on the tabs of tabChording, with the controller pictures.
#pragma once

#include "editor/control_table.h"

#include <vector>

namespace editor {

inline const std::vector<ControlSpec> kMotionsPage = {
    {"frmMotions", Kind::Frame, kSingle, kSingle, "", 10, 4, 330, 214, 0, 0, "Axes"},
    {"lblAxisNumber", Kind::Label, 1, 6, "frmMotions", 12, 30, 56, 22, 0, 30, "Axis 1|Axis 2|Axis 3|Axis 4|Axis 5|Axis 6"},
    {"cboAxis", Kind::Combo, 1, 6, "frmMotions", 70, 28, 172, 26, 0, 30, ""},
    {"cbxInvertAxis", Kind::Check, 1, 6, "frmMotions", 252, 29, 72, 24, 0, 30, "Invert"},
    {"frmOrientation", Kind::Frame, kSingle, kSingle, "", 10, 222, 196, 56, 0, 0, "Orientation"},
    {"optOrientation", Kind::Option, 1, 2, "frmOrientation", 10, 24, 96, 24, 100, 0, "Horizontal|Vertical"},
    {"frmChording", Kind::Frame, kSingle, kSingle, "", 212, 222, 128, 80, 0, 0, "Button Chording"},
    {"optChording", Kind::Option, 1, 2, "frmChording", 10, 22, 100, 24, 0, 26, "Enable|Disable"},
    {"cmdMotionReset", Kind::Button, kSingle, kSingle, "", 10, 286, 150, 30, 0, 0, "Reset to Default"},
    {"imgStix", Kind::Image, kSingle, kSingle, "", 170, 310, 170, 100, 0, 0, ""},
    {"frmButtons", Kind::Frame, kSingle, kSingle, "", 350, 4, 356, 214, 0, 0, "Buttons"},
    {"lblButtonLetter", Kind::Label, 1, 6, "frmButtons", 12, 30, 18, 22, 0, 30, "A|B|C|D|E|F"},
    {"cboButton", Kind::Combo, 1, 6, "frmButtons", 32, 28, 170, 26, 0, 30, ""},
    {"cboButtonAlias", Kind::Combo, 1, 6, "frmButtons", 208, 28, 136, 26, 0, 30, ""},
    {"tabChording", Kind::Tabs, kSingle, kSingle, "", 350, 224, 356, 178, 0, 0, "None|  A  |  B  |A && B"},
    {"lblChordButton", Kind::Label, 1, 4, "tabChording/0", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 1, 4, "tabChording/0", 30, 8, 170, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 1, 4, "tabChording/0", 206, 8, 136, 26, 0, 34, ""},
    {"lblChordButton", Kind::Label, 5, 8, "tabChording/1", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 5, 8, "tabChording/1", 30, 8, 170, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 5, 8, "tabChording/1", 206, 8, 136, 26, 0, 34, ""},
    {"lblChordButton", Kind::Label, 9, 12, "tabChording/2", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 9, 12, "tabChording/2", 30, 8, 170, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 9, 12, "tabChording/2", 206, 8, 136, 26, 0, 34, ""},
    {"lblChordButton", Kind::Label, 13, 16, "tabChording/3", 10, 10, 18, 22, 0, 34, "C|D|E|F"},
    {"cboButtonChord", Kind::Combo, 13, 16, "tabChording/3", 30, 8, 170, 26, 0, 34, ""},
    {"cboButtonChordAlias", Kind::Combo, 13, 16, "tabChording/3", 206, 8, 136, 26, 0, 34, ""},
    // The controller seen from above, its lit overlays and the chord modifier pictures.
    {"imgMotion", Kind::Image, 0, 12, "", 716, 4, 210, 226, 0, 0, ""},
    {"imgMotion", Kind::Image, 50, 62, "", 716, 4, 210, 226, 0, 0, ""},
    {"imgChordAB", Kind::Image, 0, 5, "", 716, 240, 210, 160, 0, 0, ""},
    {"imgChordAB", Kind::Image, 50, 55, "", 716, 240, 210, 160, 0, 0, ""},
};

}  // namespace editor
