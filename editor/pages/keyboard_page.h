// Page 2 of tabSensitivity, "Mouse/Keyboard": per axis the commands and keys of
// both directions and the mouse emulator's dead zone; the mouse-axis lists are
// moved onto the row of the axis that drives the mouse. Which axis shows which
// motion is the motions page's: the window hands it over as ShownMotions.
#pragma once

#include "editor/control_table.h"
#include "editor/pages/axis_info.h"
#include "editor/pages/page.h"

#include <string>

class QComboBox;
class QPushButton;
class QSlider;

namespace editor {

class KeyboardPage : public Page {
  Q_OBJECT
 public:
  // Builds the page's controls inside `page` and registers them in `registry`.
  KeyboardPage(QWidget* page, ControlRegistry& registry, config_store::ConfigSession& session, QObject* parent);

  // --- Showing the record (the load has made every correction): this page's lists.
  // The fixed labels of the mouse axes, once at the start.
  void ShowMouseAxisLabels();
  void Clear() override;
  void ShowAliasLists();
  void ShowButtonCommands();
  // The dead zones from the USER values ("User") or the defaults (any other text).
  void ShowDeadzones(const std::string& Kind);
  // Each row's lists and dead zone as the record lets the row use keys, and the
  // mouse lists placed. True when some row uses keys or carries a mouse motion.
  bool ShowKeyRows(const ShownMotions& shown);

 private:
  void ConnectHandlers();

  // --- Handlers (the page's controls run them).
  void cboPosAxisCommand_Click(int Index);
  void cboNegAxisCommand_Click(int Index);
  void cboButtonAxisPOSAlias_Click(int Index);
  void cboButtonAxisNEGAlias_Click(int Index);
  void sldDeadzone_Change(int Index);
  void cmdPointerlyReset_Click();

  // Moves the mouse-axis lists onto the rows showing the mouse motions;
  // MousePlaced tells whether a row carries one.
  void PlaceMouseCommands(const ShownMotions& shown, bool& MousePlaced);

  bool mbBusy = false;

  ControlArray<QComboBox> cboPosAxisCommand;
  ControlArray<QComboBox> cboNegAxisCommand;
  ControlArray<QComboBox> cboButtonAxisPOSAlias;
  ControlArray<QComboBox> cboButtonAxisNEGAlias;
  ControlArray<QSlider> sldDeadzone;
  QComboBox* cboPosMouseXCommand;
  QComboBox* cboNegMouseXCommand;
  QComboBox* cboButtonMouseXPOSAlias;
  QComboBox* cboButtonMouseXNEGAlias;
  QComboBox* cboPosMouseYCommand;
  QComboBox* cboNegMouseYCommand;
  QComboBox* cboButtonMouseYPOSAlias;
  QComboBox* cboButtonMouseYNEGAlias;
  QPushButton* cmdPointerlyReset;
};

}  // namespace editor
