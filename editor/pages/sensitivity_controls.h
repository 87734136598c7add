// Page 0 of tabSensitivity, "Sensitivity": per-axis and master sensitivity and
// gain, the skill level, the precision button, the null region and the curves.
#pragma once

#include "editor/control_table.h"

#include <vector>

namespace editor {

inline const std::vector<ControlSpec> kSensitivityPage = {
    {"lblSensitivityHeader", Kind::Label, kSingle, kSingle, "", 178, 8, 136, 20, 0, 0, "Sensitivity"},
    {"lblGainHeader", Kind::Label, kSingle, kSingle, "", 330, 8, 160, 20, 0, 0, "Gain"},
    {"lblSensitivity", Kind::Label, 1, 6, "", 10, 34, 164, 22, 0, 30, ""},
    {"sldSensitivity", Kind::Slider, 1, 6, "", 178, 32, 136, 28, 0, 30, "", 5, 1, 1},
    {"sldGain", Kind::Slider, 1, 6, "", 330, 32, 160, 28, 0, 30, "", 100, 1, 10},
    {"frmMasterSensitivity", Kind::Frame, kSingle, kSingle, "", 10, 216, 480, 92, 0, 0, "Master Settings"},
    {"optMasterSettings", Kind::Option, 0, 1, "frmMasterSensitivity", 12, 24, 84, 24, 90, 0, "Disable|Enable"},
    {"lblMasterNote", Kind::Label, kSingle, kSingle, "frmMasterSensitivity", 200, 26, 270, 20, 0, 0,
     "These settings apply to all motions"},
    {"lblSensitivity", Kind::Label, 7, 7, "frmMasterSensitivity", 12, 58, 74, 22, 0, 0, "Sensitivity"},
    {"sldSensitivity", Kind::Slider, 7, 7, "frmMasterSensitivity", 88, 56, 120, 28, 0, 0, "", 5, 1, 1},
    {"lblGain", Kind::Label, 7, 7, "frmMasterSensitivity", 226, 58, 40, 22, 0, 0, "Gain"},
    {"sldGain", Kind::Slider, 7, 7, "frmMasterSensitivity", 268, 56, 200, 28, 0, 0, "", 100, 1, 10},
    {"frmSkill", Kind::Frame, kSingle, kSingle, "", 10, 314, 480, 56, 0, 0, "Skill Level"},
    {"optSkill", Kind::Option, 1, 3, "frmSkill", 12, 24, 130, 24, 150, 0, "Basic|Full Freedom|Game Master"},
    {"cmdSensitivityReset", Kind::Button, kSingle, kSingle, "", 10, 378, 150, 30, 0, 0, "Reset to Default"},
    {"frmPrecision", Kind::Frame, kSingle, kSingle, "", 500, 4, 206, 184, 0, 0, "Precision Button"},
    {"optPrecisionButton", Kind::Option, 0, 1, "frmPrecision", 12, 22, 84, 24, 90, 0, "Disable|Enable"},
    {"cboPrecisionButton", Kind::Combo, kSingle, kSingle, "frmPrecision", 12, 50, 182, 26, 0, 0, ""},
    {"lblPrecisionSensitivity", Kind::Label, kSingle, kSingle, "frmPrecision", 12, 82, 180, 20, 0, 0, "Sensitivity"},
    {"sldPrecisionSensitivity", Kind::Slider, kSingle, kSingle, "frmPrecision", 12, 100, 182, 28, 0, 0, "", 5, 1, 5},
    {"lblPrecisionGain", Kind::Label, kSingle, kSingle, "frmPrecision", 12, 128, 180, 20, 0, 0, "Gain"},
    {"sldPrecisionGain", Kind::Slider, kSingle, kSingle, "frmPrecision", 12, 146, 182, 28, 0, 0, "", 100, 1, 5},
    {"frmNullRegion", Kind::Frame, kSingle, kSingle, "", 500, 192, 206, 74, 0, 0, "Null Region"},
    {"sldNull", Kind::Slider, kSingle, kSingle, "frmNullRegion", 12, 22, 182, 28, 0, 0, "", 127, 1, 10},
    {"lblNullSmall", Kind::Label, kSingle, kSingle, "frmNullRegion", 12, 50, 60, 18, 0, 0, "Small"},
    {"lblNullLarge", Kind::Label, kSingle, kSingle, "frmNullRegion", 150, 50, 44, 18, 0, 0, "Large"},
    {"frmCurves", Kind::Frame, kSingle, kSingle, "", 500, 270, 206, 140, 0, 0, "Sensitivity Curves"},
    {"optSensCurves", Kind::Option, 1, 6, "frmCurves", 12, 24, 32, 24, 31, 0, "0|1|2|3|4|5"},
    {"cmdCurveLoad", Kind::Button, kSingle, kSingle, "frmCurves", 12, 56, 88, 30, 0, 0, "Load..."},
    {"cmdCurveSave", Kind::Button, kSingle, kSingle, "frmCurves", 106, 56, 88, 30, 0, 0, "Save..."},
    {"cmdCurveReset", Kind::Button, kSingle, kSingle, "frmCurves", 12, 94, 182, 30, 0, 0, "Reset Selected Curve"},
};

}  // namespace editor
