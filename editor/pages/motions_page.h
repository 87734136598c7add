// Page 1 of tabSensitivity, "Motions & Actions": the axis map (which motion
// each physical axis drives, and its invert box), the orientation, chording
// with the sixteen chord slots on the tabs of tabChording, the commands and
// keys of buttons A to F, and the controller pictures of the page.
//
// The axis map is this page's: it keeps AxisInfo and the orientation, and
// hands the window read-only views of them, which the window passes on to the
// other pages and the hover lights.
#pragma once

#include "editor/control_table.h"
#include "editor/pages/axis_info.h"
#include "editor/pages/page.h"
#include "editor/picture_lights.h"

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace editor {

class MotionsPage : public Page {
  Q_OBJECT
 public:
  // Builds the page's controls inside `page` and registers them in `registry`.
  MotionsPage(QWidget* page, ControlRegistry& registry, config_store::ConfigSession& session, QObject* parent);

  // Applies orientation `Index` (1 horizontal, 2 vertical), as its option does.
  void UpdateOrientation(int Index);
  // Copies AxisInfo into the record's polarities; the change check runs it first.
  void StoreAxisInfo();

  // --- Showing the record (the load has made every correction): this page's lists.
  void Clear() override;
  void ShowChording(int Index);
  void ShowAliasLists();
  void ShowAxisMap();
  void ShowButtonCommands();

  // --- The error lock.
  void Lock() override;
  void Unlock() override;

  // --- What the window reads and passes on.
  const AxisInfoTable& Axes() const { return AxisInfo; }
  ShownMotions Shown() const;
  int Orientation() const { return OrientationIndex; }
  // The chording option "Disable" is selected.
  bool ChordingOff() const;
  // Draws each of the page's pictures at its label's size when it is first shown.
  void PaintPictures();
  // Shows each picture label of the page as `lights` says.
  void ShowPictures(const PictureLights& lights);

 signals:
  // The axis map changed: the other pages' rows follow it.
  void axesChanged();
  // An orientation (1 horizontal, 2 vertical) was applied: its picture set is shown.
  void orientationChanged(int Index);
  // The chord tab shown is `tab`: its chord pictures are lit.
  void chordTabChanged(int tab);
  // Chording was switched (1 on, 2 off): the precision list follows and the lights go out.
  void chordingSwitched(int Index);
  // The motion reset also puts the precision button back to its defaults.
  void precisionDefaultsWanted();

 private:
  void ConnectHandlers();

  // --- Handlers (the page's controls run them).
  void cboAxis_Click(int Index);
  void UpdateAxis(int Index);
  void cbxInvertAxis_Click(int Index);
  void optOrientation_Click(int Index);
  void optChording_Click(int Index);
  void UpdateChording(int Index);
  void tabChording_Click();
  // Command and alias lists store into the slot's USER triple; button lists mirror their twin.
  void cboButton_Click(int Index);
  void cboButtonChord_Click(int Index);
  void cboButtonAlias_Click(int Index);
  void cboButtonChordAlias_Click(int Index);
  void cmdMotionReset_Click();

  // The motion an item of a cboAxis list stands for (0 for "(None)" or no item),
  // and the item that stands for a motion (-1 when the list does not offer it):
  // motions are told apart by number, as two may carry the same label.
  int AxisMotionOfItem(int item) const;
  int AxisItemOfMotion(int Motion) const;
  // POS & "/" & NEG of motion 1..6.
  std::string AxisMotionText(int Motion) const;

  AxisInfoTable AxisInfo;  // 1..6
  std::string AxisPolarity[7];
  int OrientationIndex = 1;
  bool mbBusy = false;
  bool AxisUpdating = false;

  ControlArray<QComboBox> cboAxis;
  ControlArray<QCheckBox> cbxInvertAxis;
  ControlArray<QRadioButton> optOrientation;
  ControlArray<QRadioButton> optChording;
  QPushButton* cmdMotionReset;
  ControlArray<QComboBox> cboButton;
  ControlArray<QComboBox> cboButtonAlias;
  QTabWidget* tabChording;
  ControlArray<QComboBox> cboButtonChord;
  ControlArray<QComboBox> cboButtonChordAlias;
  ControlArray<QLabel> imgMotion;
  ControlArray<QLabel> imgChordAB;
  QLabel* imgStix;
};

}  // namespace editor
