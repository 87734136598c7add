// The tuning page: sensitivity and gain per skill level, the master values,
// dead zones, null region, precision values and the page's switches. Each
// handler stores the control's value into the record's USER half and runs the
// change check; while a configuration is being shown they store nothing.
#include "editor/main_window.h"

#include "editor/selection.h"
#include "platform/text.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <type_traits>

namespace editor {

void frmMain::ConnectTuningHandlers() {
  // Each member of an array runs the handler with its own index.
  auto each = [](auto& array, auto handler) {
    for (auto& [index, control] : array.Members()) {
      const int i = index;
      if constexpr (std::is_same_v<std::decay_t<decltype(*control)>, QSlider>)
        OnChange(control, [handler, i] { handler(i); });
      else
        OnClick(control, [handler, i] { handler(i); });
    }
  };
  each(sldSensitivity, [this](int i) { sldSensitivity_Change(i); });
  each(sldGain, [this](int i) { sldGain_Change(i); });
  each(sldDeadzone, [this](int i) { sldDeadzone_Change(i); });
  OnChange(sldNull, [this] { sldNull_Change(); });
  OnChange(sldPrecisionSensitivity, [this] { sldPrecisionSensitivity_Change(); });
  OnChange(sldPrecisionGain, [this] { sldPrecisionGain_Change(); });
  each(optMasterSettings, [this](int i) { optMasterSettings_Click(i); });
  each(optSkill, [this](int i) { optSkill_Click(i); });
  each(optOrientation, [this](int i) { optOrientation_Click(i); });
  each(optChording, [this](int i) { optChording_Click(i); });
  each(optPrecisionButton, [this](int i) { optPrecisionButton_Click(i); });
  OnClick(cmdMotionReset, [this] { cmdMotionReset_Click(); });
  OnClick(cmdPointerlyReset, [this] { cmdPointerlyReset_Click(); });
  OnClick(cmdSensitivityReset, [this] { cmdSensitivityReset_Click(); });
  OnClick(cmdApplySettings, [this] { cmdApplySettings_Click(); });
  OnClick(cmdCurveSave, [this] { cmdCurveSave_Click(); });
  OnClick(cmdCurveLoad, [this] { cmdCurveLoad_Click(); });
  OnClick(cmdCurveReset, [this] { cmdCurveReset_Click(); });
  connect(mExport, &QAction::triggered, this, [this] { mExport_Click(); });
}

void frmMain::sldSensitivity_Change(int Index) {
  // A per-axis slider records nothing while the master values are in force.
  if (Flags.LoadingControls || MasterSwitching || (GameConfig.USE_MASTER.USER == "TRUE" && Index < 7)) return;
  const int value = sldSensitivity(Index)->value();
  GameConfig.SensitivityTable(Flags.SkillLevel, Index).USER = std::to_string(value);
  if (Index == 7)
    for (int row = 1; row <= 6; ++row) SetValue(sldSensitivity(row), value);
  AnyChanges("sldSensitivity_Change");
}

void frmMain::sldGain_Change(int Index) {
  if (Flags.LoadingControls || MasterSwitching || (GameConfig.USE_MASTER.USER == "TRUE" && Index < 7)) return;
  const int value = sldGain(Index)->value();
  GameConfig.GainTable(Flags.SkillLevel, Index).USER = std::to_string(value);
  if (Index == 7)
    for (int row = 1; row <= 6; ++row)
      if (AxisInfo[row].Polarity != "0") SetValue(sldGain(row), value);
  AnyChanges("sldGain_Change");
}

void frmMain::sldDeadzone_Change(int Index) {
  if (Flags.LoadingControls) return;
  GameConfig.DeadzoneValues(Index).USER = std::to_string(sldDeadzone(Index)->value());
  AnyChanges("sldDeadzone_Change");
}

void frmMain::sldNull_Change() {
  if (Flags.LoadingControls) return;
  GameConfig.NULL_REGION.USER = std::to_string(sldNull->value());
  AnyChanges("sldNull_Change");
}

void frmMain::sldPrecisionSensitivity_Change() {
  if (Flags.LoadingControls) return;
  GameConfig.PRECISION.SENS.USER = std::to_string(sldPrecisionSensitivity->value());
  AnyChanges("sldPrecisionSensitivity_Change");
}

void frmMain::sldPrecisionGain_Change() {
  if (Flags.LoadingControls) return;
  GameConfig.PRECISION.GAIN.USER = std::to_string(sldPrecisionGain->value());
  AnyChanges("sldPrecisionGain_Change");
}

void frmMain::optMasterSettings_Click(int Index) {
  MasterSwitching = true;
  SetUseMaster(Index);
  MasterSwitching = false;
}

void frmMain::SetUseMaster(int Index) {
  // Enabled: the assigned rows show the master values; disabled: each row its own stored values.
  ShowMasterSettings(Index);
  GameConfig.USE_MASTER.USER = Index == 1 ? "TRUE" : "FALSE";
  AnyChanges("SetUseMaster");
}

void frmMain::optSkill_Click(int Index) {
  if (Flags.LoadingControls) return;
  SetSkill("", Index, "optSkill_Click");
}

void frmMain::SetSkill(const std::string& Level, int Index, const std::string& Caller) {
  (void)Caller;  // a trace label only
  if (!Level.empty()) {
    SetSkill(Level);
    return;
  }
  Flags.SkillLevel = Index;
  GameConfig.LEVEL = Index == 1 ? "BEGINNER" : Index == 3 ? "EXPERT" : "INTERMEDIATE";
  {
    // The level's stored values are shown, never stored: copying the master
    // slider into the rows would overwrite the player's values of that level.
    FillScope showing;
    ShowSkillSliders(Flags.SkillLevel);
    if (GameConfig.USE_MASTER.USER == "TRUE")
      for (int row = 1; row <= 6; ++row) {
        SetValue(sldSensitivity(row), sldSensitivity(7)->value());
        if (AxisInfo[row].Polarity != "0") SetValue(sldGain(row), sldGain(7)->value());
      }
  }
  AnyChanges("SetSkill");
}

void frmMain::optOrientation_Click(int Index) {
  UpdateOrientation(Index);
  AnyChanges("optOrientation_Click");
}

void frmMain::optChording_Click(int Index) {
  UpdateChording(Index);
  PictureSetBase = OrientationIndex == 1 ? 0 : 50;
  tabChording_Click();
  AnyChanges("optChording_Click");
}

void frmMain::optPrecisionButton_Click(int Index) {
  if (Flags.LoadingControls) return;
  GameConfig.USE_PRECISION.USER = Index == 1 ? "TRUE" : "FALSE";
  if (Index == 1) {
    // Selecting the stored button stores it again, through the list's own handler.
    FillPrecisionButtons();
  } else {
    // Off, the list holds only "Button A": shown, not stored, so the button
    // chosen is still there when precision is switched on again.
    FillScope showing;
    FillPrecisionButtons();
  }
  AnyChanges("optPrecisionButton_Click");
}

}  // namespace editor
