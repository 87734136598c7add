#include "editor/pages/sensitivity_page.h"

#include "editor/pages/sensitivity_controls.h"
#include "editor/selection.h"
#include "platform/dialogs.h"
#include "platform/text.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <optional>
#include <type_traits>

namespace editor {

namespace {

const char* const kPrecisionItems[] = {
    "Button A",       "Button B",       "Button C",       "Button D",       "Button E",    "Button F",
    "Chord None + C", "Chord None + D", "Chord None + E", "Chord None + F", "Chord A + C", "Chord A + D",
    "Chord A + E",    "Chord A + F",    "Chord B + C",    "Chord B + D",    "Chord B + E", "Chord B + F",
    "Chord A&B + C",  "Chord A&B + D",  "Chord A&B + E",  "Chord A&B + F"};

std::optional<long long> Number(const std::string& text) { return platform::ParseWholeNumber(text); }

void SetGreyText(QLabel* label, bool grey) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText,
                   QApplication::palette().color(grey ? QPalette::Disabled : QPalette::Active, QPalette::WindowText));
  label->setPalette(palette);
}

}  // namespace

SensitivityPage::SensitivityPage(QWidget* page, ControlRegistry& registry, config_store::ConfigSession& session,
                                 const AxisInfoTable& axes, QObject* parent)
    : Page(session, parent), AxisInfo(axes) {
  BuildControls(kSensitivityPage, page, registry);
  const ControlRegistry& c = registry;
  lblSensitivity = ControlArray<QLabel>(c, "lblSensitivity");
  lblGain = ControlArray<QLabel>(c, "lblGain");
  sldSensitivity = ControlArray<QSlider>(c, "sldSensitivity");
  sldGain = ControlArray<QSlider>(c, "sldGain");
  optMasterSettings = ControlArray<QRadioButton>(c, "optMasterSettings");
  optSkill = ControlArray<QRadioButton>(c, "optSkill");
  cmdSensitivityReset = c.Get<QPushButton>("cmdSensitivityReset");
  optPrecisionButton = ControlArray<QRadioButton>(c, "optPrecisionButton");
  cboPrecisionButton = c.Get<QComboBox>("cboPrecisionButton");
  lblPrecisionSensitivity = c.Get<QLabel>("lblPrecisionSensitivity");
  lblPrecisionGain = c.Get<QLabel>("lblPrecisionGain");
  sldPrecisionSensitivity = c.Get<QSlider>("sldPrecisionSensitivity");
  sldPrecisionGain = c.Get<QSlider>("sldPrecisionGain");
  sldNull = c.Get<QSlider>("sldNull");
  optSensCurves = ControlArray<QRadioButton>(c, "optSensCurves");
  cmdCurveLoad = c.Get<QPushButton>("cmdCurveLoad");
  cmdCurveSave = c.Get<QPushButton>("cmdCurveSave");
  cmdCurveReset = c.Get<QPushButton>("cmdCurveReset");
  ConnectHandlers();
}

void SensitivityPage::ConnectHandlers() {
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
  OnChange(sldNull, [this] { sldNull_Change(); });
  OnChange(sldPrecisionSensitivity, [this] { sldPrecisionSensitivity_Change(); });
  OnChange(sldPrecisionGain, [this] { sldPrecisionGain_Change(); });
  each(optMasterSettings, [this](int i) { optMasterSettings_Click(i); });
  each(optSkill, [this](int i) { optSkill_Click(i); });
  each(optPrecisionButton, [this](int i) { optPrecisionButton_Click(i); });
  each(optSensCurves, [this](int i) { optSensCurves_Click(i); });
  OnClick(cboPrecisionButton, [this] { cboPrecisionButton_Click(); });
  OnClick(cmdSensitivityReset, [this] { cmdSensitivityReset_Click(); });
  OnClick(cmdCurveSave, [this] { cmdCurveSave_Click(); });
  OnClick(cmdCurveLoad, [this] { cmdCurveLoad_Click(); });
  OnClick(cmdCurveReset, [this] { cmdCurveReset_Click(); });
}

// ------------------------------------------------------------------ handlers

void SensitivityPage::sldSensitivity_Change(int Index) {
  // A per-axis slider records nothing while the master values are in force.
  if (Flags.LoadingControls || MasterSwitching || (GameConfig.USE_MASTER.USER == "TRUE" && Index < 7)) return;
  const int value = sldSensitivity(Index)->value();
  GameConfig.SensitivityTable(Flags.SkillLevel, Index).USER = std::to_string(value);
  if (Index == 7)
    for (int row = 1; row <= 6; ++row) SetValue(sldSensitivity(row), value);
  AnyChanges("sldSensitivity_Change");
}

void SensitivityPage::sldGain_Change(int Index) {
  if (Flags.LoadingControls || MasterSwitching || (GameConfig.USE_MASTER.USER == "TRUE" && Index < 7)) return;
  const int value = sldGain(Index)->value();
  GameConfig.GainTable(Flags.SkillLevel, Index).USER = std::to_string(value);
  if (Index == 7)
    for (int row = 1; row <= 6; ++row)
      if (AxisInfo[row].Polarity != "0") SetValue(sldGain(row), value);
  AnyChanges("sldGain_Change");
}

void SensitivityPage::sldNull_Change() {
  if (Flags.LoadingControls) return;
  GameConfig.NULL_REGION.USER = std::to_string(sldNull->value());
  AnyChanges("sldNull_Change");
}

void SensitivityPage::sldPrecisionSensitivity_Change() {
  if (Flags.LoadingControls) return;
  GameConfig.PRECISION.SENS.USER = std::to_string(sldPrecisionSensitivity->value());
  AnyChanges("sldPrecisionSensitivity_Change");
}

void SensitivityPage::sldPrecisionGain_Change() {
  if (Flags.LoadingControls) return;
  GameConfig.PRECISION.GAIN.USER = std::to_string(sldPrecisionGain->value());
  AnyChanges("sldPrecisionGain_Change");
}

void SensitivityPage::optMasterSettings_Click(int Index) {
  MasterSwitching = true;
  SetUseMaster(Index);
  MasterSwitching = false;
}

void SensitivityPage::SetUseMaster(int Index) {
  // Enabled: the assigned rows show the master values; disabled: each row its own stored values.
  ShowMasterSettings(Index);
  GameConfig.USE_MASTER.USER = Index == 1 ? "TRUE" : "FALSE";
  AnyChanges("SetUseMaster");
}

void SensitivityPage::optSkill_Click(int Index) {
  if (Flags.LoadingControls) return;
  SetSkill("", Index, "optSkill_Click");
}

void SensitivityPage::SetSkill(const std::string& Level, int Index, const std::string& Caller) {
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

void SensitivityPage::optPrecisionButton_Click(int Index) {
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

void SensitivityPage::cboPrecisionButton_Click() {
  // The error lock empties the list: there is no button to store.
  if (cboPrecisionButton->count() == 0) return;
  // With no selection, item 0 is selected first; its own run stores it.
  if (cboPrecisionButton->currentIndex() < 0) Select(cboPrecisionButton, 0);
  const int n = cboPrecisionButton->currentIndex();
  if (n < 6) {
    Flags.PrecisionButtonBase = 0;
    GameConfig.PRECISION.MODE.USER = "PHYSICAL";
    GameConfig.PRECISION.BUTTON.USER = std::to_string(n);
  } else {
    Flags.PrecisionButtonBase = 6;
    GameConfig.PRECISION.MODE.USER = "LOGICAL";
    GameConfig.PRECISION.BUTTON.USER = std::to_string(n - 6);
  }
  AnyChanges("cboPrecisionButton_Click");
}

void SensitivityPage::optSensCurves_Click(int Index) { curveSlot_ = Index; }

// Bold with the file as tip when the slot holds a curve.
void SensitivityPage::ShowCurveSlot(int slot, const std::string& file) {
  const std::string& path = GameConfig.Curve(slot).USER;
  QFont font = optSensCurves(slot)->font();
  font.setBold(!path.empty());
  optSensCurves(slot)->setFont(font);
  optSensCurves(slot)->setToolTip(platform::FromAnsi(path.empty() ? "Default Curve" : file));
}

void SensitivityPage::cmdCurveSave_Click() {
  emit curveDownloadWanted(curveSlot_);
  AnyChanges("cmdCurveSave_Click");
}

void SensitivityPage::cmdCurveLoad_Click() {
  emit curveFileWanted(curveSlot_);
  AnyChanges("cmdCurveLoad_Click");
}

void SensitivityPage::SetCurve(int slot, const std::string& path, const std::string& file) {
  GameConfig.Curve(slot).USER = path;
  ShowCurveSlot(slot, file);
}

void SensitivityPage::cmdCurveReset_Click() {
  GameConfig.Curve(curveSlot_).USER = "";
  ShowCurveSlot(curveSlot_, "");
  AnyChanges("cmdCurveReset_Click");
}

void SensitivityPage::cmdSensitivityReset_Click() {
  if (!ConfirmReset(Flags)) return;
  config_store::TGameConfig& c = GameConfig;
  Flags.LoadingControls = true;
  for (int j = 1; j <= 7; ++j) {
    auto& sensitivity = c.SensitivityTable(Flags.SkillLevel, j);
    auto& gain = c.GainTable(Flags.SkillLevel, j);
    SetValue(sldSensitivity(j), static_cast<int>(Number(sensitivity.DFLT).value_or(0)));
    SetValue(sldGain(j), static_cast<int>(Number(gain.DFLT).value_or(0)));
    sensitivity.USER = sensitivity.DFLT;
    gain.USER = gain.DFLT;
  }
  // The null region stays within what the slider and the device take, as a load keeps it.
  const long long null = Number(c.NULL_REGION.DFLT).value_or(-1);
  c.NULL_REGION.USER = null >= 0 && null <= 127 ? c.NULL_REGION.DFLT : "0";
  SetValue(sldNull, static_cast<int>(Number(c.NULL_REGION.USER).value_or(0)));
  // The master switch runs its handler once, also when the option is already
  // selected, so the USER value and the sliders always follow the default.
  const int master = c.USE_MASTER.DFLT == "TRUE" ? 1 : 0;
  {
    QSignalBlocker blocker(optMasterSettings(master));
    optMasterSettings(master)->setChecked(true);
  }
  optMasterSettings_Click(master);
  emit curveDefaultsWanted();
  Flags.LoadingControls = false;
  AnyChanges("cmdSensitivityReset_Click");
}

void SensitivityPage::ResetPrecision() {
  const config_store::TGameConfig& c = GameConfig;
  SetOption(optPrecisionButton(c.USE_PRECISION.DFLT == "TRUE" ? 1 : 0));
  // A precision sensitivity missing from the file (read as 10) takes the
  // value a load gives a missing USER half, rather than locking a sound file.
  const long long sensitivity = Number(c.PRECISION.SENS.DFLT).value_or(-1);
  SetValue(sldPrecisionSensitivity, sensitivity >= 0 && sensitivity <= 5 ? static_cast<int>(sensitivity) : 3);
  const std::optional<long long> gain = Number(c.PRECISION.GAIN.DFLT);
  if (!gain || *gain < 0 || *gain > 1000)
    emit lockWanted("");
  else
    SetValue(sldPrecisionGain, static_cast<int>(*gain));  // the slider keeps it within its range
  // The precision button, counted from the default mode's own base.
  if (c.USE_PRECISION.DFLT == "TRUE" && (c.USE_CHORDING.DFLT == "TRUE" || c.USE_CHORDING.DFLT == "FALSE")) {
    const long long base = c.PRECISION.MODE.DFLT == "LOGICAL" ? 6 : 0;
    const long long item = Number(c.PRECISION.BUTTON.DFLT).value_or(0) + base;
    const int last = cboPrecisionButton->count() - 1;
    Select(cboPrecisionButton, item < 0 ? 0 : item > last ? last : static_cast<int>(item));
  } else {
    Select(cboPrecisionButton, 0);
    // The lone "Button A" of a list with precision off stands for no choice:
    // the default button is what comes back when precision is switched on.
    const bool logical = c.PRECISION.MODE.DFLT == "LOGICAL" && c.USE_CHORDING.DFLT == "TRUE";
    GameConfig.PRECISION.MODE.USER = logical ? "LOGICAL" : "PHYSICAL";
    const long long button = Number(c.PRECISION.BUTTON.DFLT).value_or(0);
    GameConfig.PRECISION.BUTTON.USER = std::to_string(std::clamp(button, 0LL, logical ? 15LL : 5LL));
    Flags.PrecisionButtonBase = logical ? 6 : 0;
  }
}

// ------------------------------------------------------- showing the record

void SensitivityPage::SetSkill(const std::string& Level) {
  Flags.SkillLevel = Level == "BEGINNER" ? 1 : Level == "EXPERT" ? 3 : 2;
  SetOption(optSkill(Flags.SkillLevel));
}

void SensitivityPage::ShowSkillSliders(int Skill) {
  for (int c = 1; c <= 7; ++c) {
    SetValue(sldSensitivity(c), ToInt(GameConfig.SensitivityTable(Skill, c).USER));
    SetValue(sldGain(c), ToInt(GameConfig.GainTable(Skill, c).USER));
  }
}

void SensitivityPage::ShowPrecision(int Flag) {
  SetOption(optPrecisionButton(Flag));
  SetValue(sldPrecisionSensitivity, ToInt(GameConfig.PRECISION.SENS.USER));
  SetValue(sldPrecisionGain, ToInt(GameConfig.PRECISION.GAIN.USER));
  FillPrecisionButtons();
}

void SensitivityPage::FillPrecisionButtons() {
  Flags.PrecisionButtonBase = GameConfig.PRECISION.MODE.USER == "LOGICAL" ? 6 : 0;
  const bool precision = GameConfig.USE_PRECISION.USER == "TRUE";
  const bool chording = GameConfig.USE_CHORDING.USER == "TRUE";
  FillPrecisionList(precision ? (chording ? 22 : 6) : 1);
  if (precision)
    ReselectPrecisionButton();
  else
    Select(cboPrecisionButton, 0);
  const bool on = GameConfig.USE_PRECISION.USER != "FALSE";
  for (QWidget* control : {static_cast<QWidget*>(sldPrecisionSensitivity), static_cast<QWidget*>(sldPrecisionGain),
                           static_cast<QWidget*>(cboPrecisionButton)})
    control->setEnabled(on);
  SetGreyText(lblPrecisionSensitivity, !on);
  SetGreyText(lblPrecisionGain, !on);
}

void SensitivityPage::FillPrecisionList(int items) {
  editor::Clear(cboPrecisionButton);
  for (int i = 0; i < items && i < static_cast<int>(std::size(kPrecisionItems)); ++i)
    AddItem(cboPrecisionButton, kPrecisionItems[i]);
}

void SensitivityPage::ReselectPrecisionButton() {
  const int count = cboPrecisionButton->count();
  const int p = static_cast<int>(platform::ParseWholeNumber(GameConfig.PRECISION.BUTTON.USER).value_or(0)) +
                Flags.PrecisionButtonBase;
  Select(cboPrecisionButton, p >= count ? count - 1 : std::max(p, 0));
}

void SensitivityPage::ShowChordingChoice(int Index) {
  if (Index == 1 || Index == 2) FillPrecisionList(Index == 1 ? 22 : 6);
  // Its handler stores mode and button for the item now selected: a chord
  // that is no longer offered becomes "Button F".
  ReselectPrecisionButton();
}

void SensitivityPage::ShowNullRegion() { SetValue(sldNull, ToInt(GameConfig.NULL_REGION.USER)); }

void SensitivityPage::ShowMasterSettings(int Index) {
  if (Index == 1) {
    for (int row = 1; row <= 6; ++row) {
      sldSensitivity(row)->setEnabled(false);
      sldGain(row)->setEnabled(false);
      if (AxisInfo[row].Polarity != "0") {
        SetValue(sldSensitivity(row), sldSensitivity(7)->value());
        SetValue(sldGain(row), sldGain(7)->value());
      }
    }
    sldSensitivity(7)->setEnabled(true);
    sldGain(7)->setEnabled(true);
  } else {
    for (int row = 1; row <= 6; ++row) {
      // A row without a motion has nothing to tune.
      bool assigned = lblSensitivity(row)->text() != QLatin1String("(None)");
      sldSensitivity(row)->setEnabled(assigned);
      sldGain(row)->setEnabled(assigned);
      if (!assigned) continue;
      sldSensitivity(row)->setEnabled(true);
      sldGain(row)->setEnabled(true);
      SetValue(sldSensitivity(row), ToInt(GameConfig.SensitivityTable(Flags.SkillLevel, row).USER));
      SetValue(sldGain(row), ToInt(GameConfig.GainTable(Flags.SkillLevel, row).USER));
    }
    sldSensitivity(7)->setEnabled(false);
    sldGain(7)->setEnabled(false);
  }
  SetGreyText(lblSensitivity(7), Index != 1);
  SetGreyText(lblGain(7), Index != 1);
  SetOption(optMasterSettings(Index == 1 ? 1 : 0));
}

void SensitivityPage::ShowCurves(const CurveFiles& files) {
  SetOption(optSensCurves(1));
  curveSlot_ = 1;
  for (int n = 6; n >= 1; --n) {
    // The load has made the path absolute, or emptied it when the file is missing.
    const std::string& path = GameConfig.Curve(n).USER;
    ShowCurveSlot(n, files[n]);
    if (!path.empty()) {
      SetOption(optSensCurves(n));
      curveSlot_ = n;
    }
  }
}

void SensitivityPage::SelectFirstCurveSlot() { SetOption(optSensCurves(1)); }

void SensitivityPage::ShowAxisNames() {
  for (int i = 1; i <= 6; ++i) lblSensitivity(i)->setText(platform::FromAnsi(AxisInfo[i].MotionText));
}

void SensitivityPage::ShowAxisRows() {
  if (optMasterSettings(0)->isChecked())
    for (int i = 1; i <= 6; ++i) {
      sldSensitivity(i)->setEnabled(true);
      sldGain(i)->setEnabled(true);
    }
  for (int r = 1; r <= 6; ++r)
    if (AxisInfo[r].MotionText == "(None)") {
      sldSensitivity(r)->setEnabled(false);
      sldGain(r)->setEnabled(false);
    }
  ShowAxisNames();
}

// ------------------------------------------------------------- error lock

void SensitivityPage::Lock() {
  for (int row = 1; row <= 6; ++row) {
    sldSensitivity(row)->setEnabled(false);
    sldGain(row)->setEnabled(false);
    lblSensitivity(row)->setEnabled(false);
    lblSensitivity(row)->setText(QString());
    optSensCurves(row)->setEnabled(false);
  }
  sldSensitivity(7)->setEnabled(false);
  sldGain(7)->setEnabled(false);
  for (QRadioButton* option : {optMasterSettings(0), optMasterSettings(1), optPrecisionButton(0), optPrecisionButton(1),
                               optSkill(1), optSkill(2), optSkill(3)})
    option->setEnabled(false);
  cboPrecisionButton->setEnabled(false);
  editor::Clear(cboPrecisionButton);
  for (QPushButton* button : {cmdSensitivityReset, cmdCurveSave, cmdCurveLoad, cmdCurveReset})
    button->setEnabled(false);
  sldPrecisionGain->setEnabled(false);
  sldPrecisionSensitivity->setEnabled(false);
  sldNull->setEnabled(false);
}

void SensitivityPage::Unlock() {
  const bool master = GameConfig.USE_MASTER.USER != "FALSE";
  if (master) {
    sldSensitivity(7)->setEnabled(true);
    sldGain(7)->setEnabled(true);
  } else {
    for (int row = 1; row <= 6; ++row)
      if (lblSensitivity(row)->text() != QLatin1String("(None)")) {
        sldSensitivity(row)->setEnabled(true);
        sldGain(row)->setEnabled(true);
      }
  }
  for (int row = 1; row <= 6; ++row) {
    lblSensitivity(row)->setEnabled(true);
    optSensCurves(row)->setEnabled(true);
  }
  for (QRadioButton* option : {optMasterSettings(0), optMasterSettings(1), optPrecisionButton(0), optPrecisionButton(1),
                               optSkill(1), optSkill(2), optSkill(3)})
    option->setEnabled(true);
  const bool precision = GameConfig.USE_PRECISION.USER == "TRUE";
  if (precision) cboPrecisionButton->setEnabled(true);
  for (QPushButton* button : {cmdSensitivityReset, cmdCurveSave, cmdCurveLoad, cmdCurveReset}) button->setEnabled(true);
  if (precision) {
    sldPrecisionGain->setEnabled(true);
    sldPrecisionSensitivity->setEnabled(true);
  }
  sldNull->setEnabled(true);
}

}  // namespace editor
