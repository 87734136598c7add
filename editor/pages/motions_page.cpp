#include "editor/pages/motions_page.h"

#include "common_ui/controller_art.h"
#include "config_store/scg_values.h"
#include "editor/pages/binding_lists.h"
#include "editor/pages/motions_controls.h"
#include "editor/picture_paint.h"
#include "editor/selection.h"
#include "platform/dialogs.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>
#include <optional>

namespace editor {

namespace {

namespace art = common_ui::art;

std::optional<long long> Number(const std::string& text) { return platform::ParseWholeNumber(text); }

// Shows in `twin` the entry `list` shows: the same item when the twin holds it
// with the same text (two commands may share a list text), else the equal text.
void Mirror(const QComboBox* list, QComboBox* twin) {
  const int k = list->currentIndex();
  if (k >= 0 && k < twin->count() && twin->itemText(k) == list->currentText())
    Select(twin, k);
  else
    SetText(twin, Text(list));
}

}  // namespace

MotionsPage::MotionsPage(QWidget* page, ControlRegistry& registry, config_store::ConfigSession& session,
                         QObject* parent)
    : Page(session, parent) {
  BuildControls(kMotionsPage, page, registry);
  const ControlRegistry& c = registry;
  cboAxis = ControlArray<QComboBox>(c, "cboAxis");
  cbxInvertAxis = ControlArray<QCheckBox>(c, "cbxInvertAxis");
  optOrientation = ControlArray<QRadioButton>(c, "optOrientation");
  optChording = ControlArray<QRadioButton>(c, "optChording");
  cmdMotionReset = c.Get<QPushButton>("cmdMotionReset");
  cboButton = ControlArray<QComboBox>(c, "cboButton");
  cboButtonAlias = ControlArray<QComboBox>(c, "cboButtonAlias");
  tabChording = c.Get<QTabWidget>("tabChording");
  cboButtonChord = ControlArray<QComboBox>(c, "cboButtonChord");
  cboButtonChordAlias = ControlArray<QComboBox>(c, "cboButtonChordAlias");
  imgMotion = ControlArray<QLabel>(c, "imgMotion");
  imgChordAB = ControlArray<QLabel>(c, "imgChordAB");
  imgStix = c.Get<QLabel>("imgStix");
  ConnectHandlers();
}

void MotionsPage::ConnectHandlers() {
  // Each member of an array runs the handler with its own index.
  auto each = [](auto& array, auto handler) {
    for (auto& [index, control] : array.Members()) {
      const int i = index;
      OnClick(control, [handler, i] { handler(i); });
    }
  };
  each(cboButton, [this](int i) { cboButton_Click(i); });
  each(cboButtonChord, [this](int i) { cboButtonChord_Click(i); });
  each(cboButtonAlias, [this](int i) { cboButtonAlias_Click(i); });
  each(cboButtonChordAlias, [this](int i) { cboButtonChordAlias_Click(i); });
  each(cbxInvertAxis, [this](int i) { cbxInvertAxis_Click(i); });
  each(cboAxis, [this](int i) { cboAxis_Click(i); });
  each(optOrientation, [this](int i) { optOrientation_Click(i); });
  each(optChording, [this](int i) { optChording_Click(i); });
  OnClick(cmdMotionReset, [this] { cmdMotionReset_Click(); });
  connect(tabChording, &QTabWidget::currentChanged, this, [this](int) { tabChording_Click(); });
}

void MotionsPage::PaintPictures() {
  PaintWhenShown(imgMotion, art::PictureSet::Motion);
  PaintWhenShown(imgChordAB, art::PictureSet::ChordAB);
  PaintWhenShown(imgStix, art::PictureSet::Stick, 0);
}

void MotionsPage::ShowPictures(const PictureLights& lights) {
  for (auto& [index, image] : imgMotion.Members()) image->setVisible(lights.imgMotion.at(index));
  for (auto& [index, image] : imgChordAB.Members()) image->setVisible(lights.imgChordAB.at(index));
}

ShownMotions MotionsPage::Shown() const {
  ShownMotions shown{};
  for (int axis = 1; axis <= 6; ++axis) shown[axis] = AxisMotionOfItem(cboAxis(axis)->currentIndex());
  return shown;
}

bool MotionsPage::ChordingOff() const { return optChording(2)->isChecked(); }

// ------------------------------------------------------------------ axis map

std::string MotionsPage::AxisMotionText(int Motion) const {
  return GameConfig.MotionLabel(Motion).POS + "/" + GameConfig.MotionLabel(Motion).NEG;
}

// The lists hold "(None)" and then the motions whose default polarity is not
// "0", in motion order; the defaults do not change after a load.
int MotionsPage::AxisMotionOfItem(int item) const {
  int k = 0;
  for (int m = 1; m <= 6 && item >= 1; ++m)
    if (GameConfig.Polarity(m).DFLT != "0" && ++k == item) return m;
  return 0;
}

int MotionsPage::AxisItemOfMotion(int Motion) const {
  if (Motion < 1 || Motion > 6 || GameConfig.Polarity(Motion).DFLT == "0") return -1;
  int item = 0;
  for (int m = 1; m <= Motion; ++m)
    if (GameConfig.Polarity(m).DFLT != "0") ++item;
  return item;
}

void MotionsPage::cboAxis_Click(int Index) {
  if (mbBusy) return;
  mbBusy = true;
  UpdateAxis(Index);
  AnyChanges("cboAxis_Click");
  mbBusy = false;
}

// A motion is driven by at most one axis; internally the six axes always hold
// the six motions in some order (an axis showing "(None)" silently keeps a
// freed one with polarity "0"), which is what the axis-map vector stores.
void MotionsPage::UpdateAxis(int Index) {
  if (Flags.LoadingControls) return;
  AxisUpdating = true;
  for (int i = 1; i <= 6; ++i) cbxInvertAxis(i)->setEnabled(true);

  // The motion chosen leaves the axis that drove it. Motions are compared by
  // number: two motions may carry the same label.
  auto motionShown = [this](int axis) { return AxisMotionOfItem(cboAxis(axis)->currentIndex()); };
  const int chosen = motionShown(Index);
  if (chosen != 0)
    for (int k = 1; k <= 6; ++k)
      if (k != Index && motionShown(k) == chosen) {
        Select(cboAxis(k), 0);  // its handler returns: a binding handler is at work
        AxisInfo[k].MotionText = "(None)";
        AxisInfo[k].Motion = 0;
        AxisInfo[k].Polarity = "0";
      }

  for (int a = 1; a <= 6; ++a) {
    const int m = motionShown(a);
    TAxisInfo& info = AxisInfo[a];
    if (m != 0) {
      info.MotionText = AxisMotionText(m);
      info.Motion = m;
      // A newly assigned axis starts normal; an assigned one keeps its sign.
      if (info.Polarity != "+" && info.Polarity != "-") info.Polarity = "+";
    } else {
      info.MotionText = "(None)";
      info.Polarity = "0";
    }
  }
  for (int r = 1; r <= 6; ++r)
    if (AxisInfo[r].MotionText == "(None)") {
      AxisInfo[r].Motion = 0;
      AxisInfo[r].Polarity = "0";
      cbxInvertAxis(r)->setEnabled(false);
    }
  for (int s = 1; s <= 6; ++s) {
    TAxisInfo& info = AxisInfo[s];
    SetChecked(cbxInvertAxis(s), info.Polarity == "-");  // its handler returns while the page is rewritten
    if (info.Polarity != "-" && info.Polarity != "+") {
      info.Polarity = "0";
      cbxInvertAxis(s)->setEnabled(false);
    }
  }

  // Free motions go to the axes without one, lowest first.
  bool held[7] = {};
  for (int a = 1; a <= 6; ++a)
    if (AxisInfo[a].Motion >= 1 && AxisInfo[a].Motion <= 6) held[AxisInfo[a].Motion] = true;
  int freeMotion = 1;
  for (int a = 1; a <= 6; ++a) {
    if (AxisInfo[a].Motion != 0) continue;
    while (freeMotion <= 6 && held[freeMotion]) ++freeMotion;
    if (freeMotion > 6) break;
    AxisInfo[a].Motion = freeMotion;
    held[freeMotion] = true;
  }

  for (int i = 1; i <= 6; ++i) GameConfig.AxisMap(i).USER = std::to_string(AxisInfo[i].Motion);
  // The sensitivity rows and the key rows follow the axes.
  emit axesChanged();
  AxisUpdating = false;
}

void MotionsPage::StoreAxisInfo() {
  for (int i = 1; i <= 6; ++i) {
    int m = AxisInfo[i].Motion;
    AxisInfo[i].ComboText = Text(cboAxis(i));
    if (m < 1 || m > 6) continue;
    AxisPolarity[m] = AxisInfo[i].Polarity;
    GameConfig.Polarity(m).USER = AxisInfo[i].Polarity;
  }
}

void MotionsPage::cbxInvertAxis_Click(int Index) {
  if (Flags.LoadingControls || AxisUpdating) return;
  AxisInfo[Index].Polarity = cbxInvertAxis(Index)->isChecked() ? "-" : "+";
  // The change check stores the sign into the polarity of the axis's motion first.
  AnyChanges("cbxInvertAxis_Click");
}

// ------------------------------------------------- orientation and chording

void MotionsPage::optOrientation_Click(int Index) {
  UpdateOrientation(Index);
  AnyChanges("optOrientation_Click");
}

void MotionsPage::UpdateOrientation(int Index) {
  if (Index == 1 || Index == 2) {
    OrientationIndex = Index;
    emit orientationChanged(Index);
    SetOption(optOrientation(Index));
    GameConfig.ORIENTATION = Index == 1 ? "HORIZONTAL" : "VERTICAL";
  } else {
    platform::MsgBox("BOO BOO", platform::MsgButtons::Ok, platform::MsgIcon::None, "");
  }
  tabChording_Click();
}

void MotionsPage::optChording_Click(int Index) {
  UpdateChording(Index);
  tabChording_Click();
  AnyChanges("optChording_Click");
}

// With chording on, buttons A and B modify C to F into sixteen logical
// buttons, shown on the tabs of tabChording, and the precision button may be
// one of the chords.
void MotionsPage::UpdateChording(int Index) {
  if (Index == 1 || Index == 2) {
    {
      // The option's own handler is this procedure: ticking it runs nothing twice.
      QSignalBlocker quiet(optChording(Index));
      optChording(Index)->setChecked(true);
    }
    // Tab "None", the plain button lists, the chord tabs and their pictures.
    ShowChording(Index);
    GameConfig.USE_CHORDING.USER = Index == 1 ? "TRUE" : "FALSE";
  }
  emit chordingSwitched(Index);
  AnyChanges("UpdateChording");
}

void MotionsPage::tabChording_Click() { emit chordTabChanged(tabChording->currentIndex()); }

// ------------------------------------------------------------ binding lists

void MotionsPage::cboButton_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.ButtonSlot(Index).GameCommand.USER = ChosenCommand(Lists, cboButton(Index));
  Mirror(cboButton(Index), cboButtonChord(Index));
  AnyChanges("cboButton_Change");
}

void MotionsPage::cboButtonChord_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  GameConfig.ButtonSlot(Index).GameCommand.USER = ChosenCommand(Lists, cboButtonChord(Index));
  if (Index <= 6) Mirror(cboButtonChord(Index), cboButton(Index));
  AnyChanges("cboButtonChord_Change");
}

void MotionsPage::cboButtonAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.ButtonSlot(Index);
  StoreAlias(Lists, cboButtonAlias(Index), slot.ALIAS.GameInput, slot.ALIAS.SendEvent, slot.GameInput, slot.SendEvent);
  Mirror(cboButtonAlias(Index), cboButtonChordAlias(Index));
  AnyChanges("cboButtonAlias_Change");
}

void MotionsPage::cboButtonChordAlias_Click(int Index) {
  if (Flags.LoadingControls || mbBusy) return;
  BusyScope busy(mbBusy);
  auto& slot = GameConfig.ButtonSlot(Index);
  StoreAlias(Lists, cboButtonChordAlias(Index), slot.ALIAS.GameInput, slot.ALIAS.SendEvent, slot.GameInput,
             slot.SendEvent);
  if (Index <= 6) Mirror(cboButtonChordAlias(Index), cboButtonAlias(Index));
  AnyChanges("cboButtonChordAlias_Change");
}

// -------------------------------------------------------------------- reset

// The page back to the configuration's _DFLT values, mostly by selecting in
// code, so that the handlers that store a player's choice store the defaults.
void MotionsPage::cmdMotionReset_Click() {
  if (!ConfirmReset(Flags)) return;
  const config_store::TGameConfig& c = GameConfig;
  // The axis map. A motion is found by its number, never by its label: two
  // motions may carry the same text.
  for (int i = 1; i <= 6; ++i) {
    const int m = static_cast<int>(Number(c.AxisMap(i).DFLT).value_or(0));
    const std::string s = m >= 1 && m <= 6 ? c.Polarity(m).DFLT : "0";
    const int item = s == "+" || s == "-" ? AxisItemOfMotion(m) : -1;
    SetChecked(cbxInvertAxis(i), item > 0 && s == "-");
    Select(cboAxis(i), item > 0 ? item : 0);
    AxisInfo[i].ComboText = Text(cboAxis(i));
  }
  // Orientation has no default of its own: the current one is applied again.
  UpdateOrientation(c.ORIENTATION == "HORIZONTAL" ? 1 : 2);
  // Chording, then the precision button on its own page.
  UpdateChording(c.USE_CHORDING.DFLT == "TRUE" ? 1 : 2);
  emit precisionDefaultsWanted();
  // Button commands; the last equal entry wins.
  const auto& commands = Lists.GameCommands;
  if (platform::EqualsNoCase(GameConfig.USE_BUTTONS, "TRUE"))
    for (int b = 1; b <= 16; ++b) {
      const std::string& d = GameConfig.ButtonSlot(b).GameCommand.DFLT;
      if (d.empty()) {
        if (b <= 6) Select(cboButton(b), 0);
        Select(cboButtonChord(b), 0);
        continue;
      }
      for (size_t j = 0; j < commands.size(); ++j)
        if (commands[j].GameCommand == d) {
          if (b <= 6) SelectIfPresent(cboButton(b), static_cast<int>(j) + 1);
          SelectIfPresent(cboButtonChord(b), static_cast<int>(j) + 1);
        }
    }
  // Button aliases, the first equal entry; a list without that entry (keys off) stays as it is.
  const auto& aliases = Lists.CustomAliases;
  for (int b = 1; b <= 16; ++b)
    for (size_t k = 0; k < aliases.size(); ++k)
      if (config_store::AliasNamedBy(aliases[k], GameConfig.ButtonSlot(b).GameInput.DFLT)) {
        SelectIfPresent(b <= 6 ? cboButtonAlias(b) : cboButtonChordAlias(b), static_cast<int>(k) + 1);
        break;
      }
  AnyChanges("cmdMotionReset_Click");
}

// ------------------------------------------------------- showing the record

void MotionsPage::Clear() {
  for (int i = 1; i <= 6; ++i)
    for (auto* list : {&cboAxis, &cboButton, &cboButtonAlias}) editor::Clear((*list)(i));
  for (int i = 1; i <= 16; ++i) {
    editor::Clear(cboButtonChord(i));
    editor::Clear(cboButtonChordAlias(i));
  }
  QSignalBlocker blocker(tabChording);
  tabChording->setCurrentIndex(0);
}

void MotionsPage::ShowChording(int Index) {
  SetOption(optChording(Index));
  {
    QSignalBlocker blocker(tabChording);
    tabChording->setCurrentIndex(0);
  }
  if (Index == 2) {
    if (GameConfig.USE_BUTTONS == "TRUE")
      for (int i = 1; i <= 6; ++i) cboButton(i)->setEnabled(true);
    tabChording->hide();
  } else {
    tabChording->show();
    tabChording->setEnabled(true);
    for (int i = 1; i <= 6; ++i) cboButton(i)->setEnabled(false);
  }
  tabChording_Click();
}

void MotionsPage::ShowAliasLists() {
  const auto& aliases = Lists.CustomAliases;
  const bool useKeys = GameConfig.USE_KEYS == "TRUE";
  for (int i = 1; i <= 16; ++i) {
    const std::string& own = GameConfig.ButtonSlot(i).ALIAS.ListName;
    std::string first = own.empty() ? "(None)" : own;
    AddItem(cboButtonChordAlias(i), first);
    Select(cboButtonChordAlias(i), 0);
    if (i <= 6) {
      AddItem(cboButtonAlias(i), first);
      Select(cboButtonAlias(i), 0);
    }
  }
  if (useKeys) {
    for (int i = 1; i <= 16; ++i)
      for (const auto& alias : aliases) {
        AddItem(cboButtonChordAlias(i), alias.ListName);
        if (i <= 6) AddItem(cboButtonAlias(i), alias.ListName);
      }
    for (int i = 1; i <= 16; ++i)
      for (size_t k = 0; k < aliases.size(); ++k)
        if (config_store::AliasNamedBy(aliases[k], GameConfig.ButtonSlot(i).GameInput.USER)) {
          Select(cboButtonChordAlias(i), static_cast<int>(k) + 1);
          if (i <= 6) Select(cboButtonAlias(i), static_cast<int>(k) + 1);
          break;
        }
  }
  for (int i = 1; i <= 16; ++i) {
    cboButtonChordAlias(i)->setEnabled(useKeys);
    if (i <= 6) cboButtonAlias(i)->setEnabled(useKeys);
  }
}

void MotionsPage::ShowAxisMap() {
  for (int i = 1; i <= 6; ++i) {
    AddItem(cboAxis(i), "(None)");
    for (int m = 1; m <= 6; ++m)
      if (GameConfig.Polarity(m).DFLT != "0") AddItem(cboAxis(i), AxisMotionText(m));
    int m = ToInt(GameConfig.AxisMap(i).USER);
    AxisInfo[i].Motion = m;
    // A motion outside 1..6 names none: the axis shows "(None)".
    AxisInfo[i].Polarity = (m >= 1 && m <= 6) ? GameConfig.Polarity(m).USER : "0";
    // The motion's own item (labels may repeat); one the list does not offer shows "(None)" too.
    int item = AxisInfo[i].Polarity != "0" ? std::max(AxisItemOfMotion(m), 0) : 0;
    std::string text = item > 0 ? AxisMotionText(m) : "(None)";
    AxisInfo[i].MotionText = text;
    Select(cboAxis(i), item);
    AxisInfo[i].ComboText = text;
    if (text == "(None)") cbxInvertAxis(i)->setEnabled(false);
    SetChecked(cbxInvertAxis(i), AxisInfo[i].Polarity == "-");
  }
}

void MotionsPage::ShowButtonCommands() {
  const auto& commands = Lists.GameCommands;
  const int rows = static_cast<int>(commands.size()) - 1;  // the last entry is "(Button defined in game)"
  const bool chording = GameConfig.USE_CHORDING.USER == "TRUE";
  // The command lists of slot i: its chord list, and for buttons A to F also the button list.
  auto commandLists = [&](int i) {
    return i <= 6 ? QList<QComboBox*>{cboButtonChord(i), cboButton(i)} : QList<QComboBox*>{cboButtonChord(i)};
  };
  for (int i = 1; i <= 16; ++i)
    for (QComboBox* box : commandLists(i)) {
      AddItem(box, config_store::kButtonDefinedInGame);
      Select(box, 0);
      box->setEnabled(false);
    }
  if (GameConfig.USE_BUTTONS != "FALSE") {
    tabChording->setEnabled(true);
    for (int i = 1; i <= 16; ++i) {
      for (int k = 1; k <= rows; ++k)
        for (QComboBox* box : commandLists(i)) {
          // With chording on the six plain button lists stay off, as the chording switch leaves them.
          box->setEnabled(!(chording && i <= 6 && box == cboButton(i)));
          AddItem(box, commands[k - 1].ListName);
        }
      const std::string& stored = GameConfig.ButtonSlot(i).GameCommand.USER;
      for (int k = 1; k <= rows && !stored.empty(); ++k)
        if (commands[k - 1].GameCommand == stored) {
          Select(cboButtonChord(i), k);
          if (i <= 6) Select(cboButton(i), k);
        }
    }
  } else {
    tabChording->setEnabled(false);
  }
}

// ------------------------------------------------------------- error lock

void MotionsPage::Lock() {
  for (int row = 1; row <= 6; ++row) {
    cboAxis(row)->setEnabled(false);
    cbxInvertAxis(row)->setEnabled(false);
    SetChecked(cbxInvertAxis(row), false);
    cboButton(row)->setEnabled(false);
    editor::Clear(cboButton(row));
  }
  for (QRadioButton* option : {optChording(1), optChording(2), optOrientation(1), optOrientation(2)})
    option->setEnabled(false);
  tabChording->hide();
  cmdMotionReset->setEnabled(false);
}

void MotionsPage::Unlock() {
  for (int row = 1; row <= 6; ++row) {
    // A row without a motion keeps its list, as on a first load, so that the
    // player can give the axis one; only its invert box stays off.
    cboAxis(row)->setEnabled(true);
    if (Text(cboAxis(row)) != "(None)") cbxInvertAxis(row)->setEnabled(true);
  }
  for (QRadioButton* option : {optChording(1), optChording(2), optOrientation(1), optOrientation(2)})
    option->setEnabled(true);
  cmdMotionReset->setEnabled(true);
}

}  // namespace editor
