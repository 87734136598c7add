// Page 0 of tabSensitivity, "Sensitivity": per-axis and master sensitivity and
// gain for the current skill level, the skill level, the precision button with
// its own values, the null region and the six curve slots. Each handler stores
// the control's value into the record's USER half and asks for the change
// check; while a configuration is being shown they store nothing.
#pragma once

#include "editor/control_table.h"
#include "editor/pages/axis_info.h"
#include "editor/pages/page.h"

#include <array>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace editor {

// Where each curve slot's file lies (index 1..6; empty for the default curve),
// which its button's tip shows.
using CurveFiles = std::array<std::string, 7>;

class SensitivityPage : public Page {
  Q_OBJECT
 public:
  // Builds the page's controls inside `page` and registers them in `registry`.
  // `axes` is the axis map's view of each row (whether it drives a motion).
  SensitivityPage(QWidget* page, ControlRegistry& registry, config_store::ConfigSession& session,
                  const AxisInfoTable& axes, QObject* parent);

  // --- Showing the record (the load has made every correction).
  void SetSkill(const std::string& Level);
  void ShowSkillSliders(int Skill);
  void ShowPrecision(int Flag);
  void ShowNullRegion();
  void ShowMasterSettings(int Index);
  void ShowCurves(const CurveFiles& files);
  // Each row's name is its axis's motion text.
  void ShowAxisNames();
  // After the axis map changed: the names, and the sliders of the rows that
  // drive no motion off (those of the others on while the master values are off).
  void ShowAxisRows();
  // The start's choice of curve slot 1.
  void SelectFirstCurveSlot();
  // The precision list after chording was switched (1 on, 2 off): its items,
  // and the stored button selected again, which stores it for the new list.
  void ShowChordingChoice(int Index);
  // The motion reset's part on this page: the precision switch, its values and its button from the defaults.
  void ResetPrecision();

  // --- The error lock.
  void Lock() override;
  void Unlock() override;

  // The curve slot (1..6) the curve buttons work on.
  int CurveSlot() const { return curveSlot_; }
  // Slot `slot` (1..6) holds the curve `path` as stored (empty: the default
  // curve), whose file is `file`.
  void SetCurve(int slot, const std::string& path, const std::string& file);

 signals:
  // A stored default is out of range: the window locks (with an empty item).
  void lockWanted(const std::string& ErrSection);
  // The curve buttons' work on files, which the window does: the device's
  // curve in `slot` saved to a file the player chooses; a curve file chosen
  // for `slot` (SetCurve); every slot back to its default curve where that
  // file exists (SetCurve for each).
  void curveDownloadWanted(int slot);
  void curveFileWanted(int slot);
  void curveDefaultsWanted();

 private:
  void ConnectHandlers();

  // --- Handlers (the page's controls run them).
  void sldSensitivity_Change(int Index);
  void sldGain_Change(int Index);
  void sldNull_Change();
  void sldPrecisionSensitivity_Change();
  void sldPrecisionGain_Change();
  void optMasterSettings_Click(int Index);
  void SetUseMaster(int Index);
  void optSkill_Click(int Index);
  // The skill level from the word `Level`, or from `Index` when `Level` is empty.
  void SetSkill(const std::string& Level, int Index, const std::string& Caller);
  void optPrecisionButton_Click(int Index);
  void cboPrecisionButton_Click();
  void optSensCurves_Click(int Index);
  void cmdCurveSave_Click();
  void cmdCurveLoad_Click();
  void cmdCurveReset_Click();
  void cmdSensitivityReset_Click();

  void FillPrecisionButtons();
  // The precision list with its first `items` entries ("Button A".."Chord A&B + F").
  void FillPrecisionList(int items);
  // Selects the stored precision button: item PRECISION_BUTTON_USER + base, the last item beyond the list.
  void ReselectPrecisionButton();
  // Shows slot `slot`'s curve button as Curve(slot) USER says.
  void ShowCurveSlot(int slot, const std::string& file);

  const AxisInfoTable& AxisInfo;
  int curveSlot_ = 0;
  bool MasterSwitching = false;

  ControlArray<QLabel> lblSensitivity;
  ControlArray<QLabel> lblGain;
  ControlArray<QSlider> sldSensitivity;
  ControlArray<QSlider> sldGain;
  ControlArray<QRadioButton> optMasterSettings;
  ControlArray<QRadioButton> optSkill;
  QPushButton* cmdSensitivityReset;
  ControlArray<QRadioButton> optPrecisionButton;
  QComboBox* cboPrecisionButton;
  QLabel* lblPrecisionSensitivity;
  QLabel* lblPrecisionGain;
  QSlider* sldPrecisionSensitivity;
  QSlider* sldPrecisionGain;
  QSlider* sldNull;
  ControlArray<QRadioButton> optSensCurves;
  QPushButton* cmdCurveLoad;
  QPushButton* cmdCurveSave;
  QPushButton* cmdCurveReset;
};

}  // namespace editor
