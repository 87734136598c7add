// Tunedeck's main window frmMain: the game list, the three tuning pages, the
// menus, and the window's life from Form_Load to Form_Unload. The window shows
// and edits the configuration record of config_store; it never reads or writes
// a configuration file itself.
#pragma once

#include "config_store/game_config.h"
#include "editor/combo_mouse.h"
#include "editor/control_table.h"
#include "editor/picture_lights.h"
#include "config_store/game_list.h"
#include "platform/process/run_and_wait.h"
#include "platform/tray_icon.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace editor {

inline const std::string kEditorTitle = "Heliryx 360 Customizer";

// One physical axis as the axis page holds it.
struct TAxisInfo {
  std::string MotionText;
  std::string ComboText;
  int Motion = 0;
  std::string Polarity;
};

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  // `programFolder` is the installation folder, without a trailing "/".
  explicit frmMain(std::string programFolder, QWidget* parent = nullptr);
  ~frmMain() override;

  // --- Life events.
  void Form_Load();
  void Form_Activate();
  void Form_Resize() {}
  // Background mouse moves, and the notification-area callback (Y 0, X the message).
  void Form_MouseMove(int Button, int Shift, double X, double Y);
  void Form_Unload();
  void Form_Terminate();
  // SIGTERM, SIGINT, SIGHUP: the clean-up without a question; nothing is saved.
  void Terminate();
  // Moves the window to its place, a little above the centre of the screen.
  void CentreWindow();

  // True once the window has been unloaded, and with which exit code.
  bool Ended() const { return ended_; }
  int ExitCode() const { return exitCode_; }
  // Called once the window is unloaded; the program ends the event loop there.
  std::function<void(int exitCode)> onEnded;
  // The splash window to repaint while loading and to take away at its end.
  std::function<void()> repaintSplash;
  std::function<void()> unloadSplash;
  // Shows a status text on the splash window (a configuration upgrade's progress).
  std::function<void(const std::string&)> splashStatus;
  // How Form_Load shows the window (the monitor starts the editor minimised).
  bool startMinimized = false;

  // --- Game selection, saving, leaving and menus.
  void cboGameList_Click();
  void cmdReload_Click();
  void cmdSaveChanges_Click();
  void mSaveSCG_Click();
  void mSaveAs_Click();
  void cmdExit_Click();
  void mExit_Click() { cmdExit_Click(); }
  void mPopExit_Click() { cmdExit_Click(); }
  void mAbout_Click();
  void mPopAbout_Click() { mAbout_Click(); }
  void mPopRestore_Click();
  void mGames_Click();
  void mViewArray_Click();
  void mVisitWWW_Click();
  void txtGameInstructions_Change();
  void optSensCurves_Click(int Index);
  void tabSensitivity_Click();
  void tabChording_Click();

  // Reads the game selected in cboGameList (the " " form of ReadSCG).
  void ReadSelectedGame();
  // Saves the record to `path`; on failure (or while the error lock is on) a
  // critical box says why, and the edits and "modified" stay. True when saved.
  bool SaveChanges(const std::string& path);
  // The change check and its display.
  void AnyChanges(const std::string& strWhereFrom);
  void ShowChangesPending(bool flag);
  void StoreAxisInfo();

  // --- Binding editors, axis map and chording.
  // Command and alias lists store into the slot's USER triple; button lists mirror their twin.
  void cboButton_Click(int Index);
  void cboButtonChord_Click(int Index);
  void cboButtonAlias_Click(int Index);
  void cboButtonChordAlias_Click(int Index);
  void cboPosAxisCommand_Click(int Index);
  void cboNegAxisCommand_Click(int Index);
  void cboButtonAxisPOSAlias_Click(int Index);
  void cboButtonAxisNEGAlias_Click(int Index);
  void cboPrecisionButton_Click();
  void cbxInvertAxis_Click(int Index);
  void chkModifyInstructions_Click();
  void cboAxis_Click(int Index);
  void UpdateAxis(int Index);
  void UpdateChording(int Index);
  // The precision list with its first `items` entries ("Button A".."Chord A&B + F").
  void FillPrecisionList(int items);
  // Selects the stored precision button: item PRECISION_BUTTON_USER + base, the last item beyond the list.
  void ReselectPrecisionButton();
  // The motion an item of a cboAxis list stands for (0 for "(None)" or no item),
  // and the item that stands for a motion (-1 when the list does not offer it):
  // motions are told apart by number, as two may carry the same label.
  int AxisMotionOfItem(int item) const;
  int AxisItemOfMotion(int Motion) const;
  // POS & "/" & NEG of motion 1..6.
  std::string AxisMotionText(int Motion) const;
  void ConnectBindingHandlers();

  // --- Tuning page, resets, activating, curves and export.
  void sldSensitivity_Change(int Index);
  void sldGain_Change(int Index);
  void sldDeadzone_Change(int Index);
  void sldNull_Change();
  void sldPrecisionSensitivity_Change();
  void sldPrecisionGain_Change();
  void optMasterSettings_Click(int Index);
  void SetUseMaster(int Index);
  void optSkill_Click(int Index);
  // The skill level from the word `Level`, or from `Index` when `Level` is empty.
  void SetSkill(const std::string& Level, int Index, const std::string& Caller);
  void optOrientation_Click(int Index);
  void optChording_Click(int Index);
  void optPrecisionButton_Click(int Index);
  void cmdMotionReset_Click();
  void cmdPointerlyReset_Click();
  void cmdSensitivityReset_Click();
  void cmdApplySettings_Click();
  void cmdCurveSave_Click();
  void cmdCurveLoad_Click();
  void cmdCurveReset_Click();
  void mExport_Click();
  // True while Activate's runs of the control tool go on.
  bool Activating() const { return activating_; }
  // Holds `command` (a quit, a close) until Activate's runs have ended, and cuts
  // the runs short: the run going on is ended and no further one starts.
  // False when nothing is running and the command is to go on now.
  bool HoldWhileActivating(std::function<void()> command);
  // How long one run of the control tool may last before it is ended.
  int activateRunLimitMs = platform::kRunLimitMs;

 private:
  void ConnectTuningHandlers();
  // The reset question; false when the player keeps the edits.
  bool ConfirmReset();
  // Shows slot `slot`'s curve button as Curve(slot) USER says.
  void ShowCurveSlot(int slot);
  bool activating_ = false;
  bool activateAgain_ = false;
  std::vector<std::function<void()>> afterActivate_;
  std::function<void()> stopActivateRuns_;

 public:
  // --- Filling the window from the record (the load has made every correction).
  void ClearGameControls();
  void ShowConfiguration();
  void UpdateOrientation(int Index);
  void ShowInstructionsOptions();
  void SetSkill(const std::string& Level);
  void ShowSkillSliders(int Skill);
  void ShowChording(int Index);
  void ShowPrecision(int Flag);
  void FillPrecisionButtons();
  void ShowNullRegion();
  void ShowAliasLists();
  void ShowAxisMap();
  void ShowButtonCommands();
  void ShowMasterSettings(int Index);
  void ShowCurves();
  void ShowDeadzones(const std::string& Kind);
  void PlaceMouseCommands(bool& MousePlaced);

  // --- The error lock.
  void ControlsLock(const std::string& ErrSection = "");
  void ControlsUnlock();
  bool Locked() const { return locked_; }

  // --- Pictures and the combo boxes' mouse watch.
  void PositionSensitivityLights(int tab);
  void ResetImage();
  // Light one sensitivity (1..7) or motion (1..12) picture of the current set;
  // any other index shows the "BOO BOO" box and changes nothing.
  void LightsOnSens(int Index);
  void LightsOnMotion(int Index);
  // Shows each picture label as Lights says.
  void SyncPictures();
  // Done once at load: one clsComboMouse per binding list, in the order of the table.
  void HookCombos();
  // The hover handlers. They switch pictures only and never store into the
  // record. The watches of a list array share one handler that takes the
  // member's number: mcboAxis3's MouseMove runs mcboAxis_MouseMove(3).
  void mcboAxis_MouseMove(int k);
  void mcboButton_MouseMove(int k);
  void mcboButtonAlias_MouseMove(int k);
  void mcboButtonChord_MouseMove(int k);
  void mcboButtonChordAlias_MouseMove(int k);
  void mcboPosAxisCommand_MouseMove(int k);
  void mcboNegAxisCommand_MouseMove(int k);
  void mcboButtonAxisPOSAlias_MouseMove(int k);
  void mcboButtonAxisNEGAlias_MouseMove(int k);
  // The four Mouse X lists (mcboPosMouseXCommand, mcboNegMouseXCommand,
  // mcboButtonMouseXPOSAlias, mcboButtonMouseXNEGAlias), and the four Mouse Y lists.
  void mcboMouseX_MouseMove();
  void mcboMouseY_MouseMove();
  void sldSensitivity_MouseMove(int Index);
  void sldGain_MouseMove(int Index);
  void sldDeadzone_MouseMove(int Index);
  void cbxInvertAxis_MouseMove(int Index);
  void tabChording_MouseMove() { ResetImage(); }
  // Opens the testing playground, not modal.
  void Command2_Click();

  // --- State shared by the window's procedures.
  const std::string ProgramFolder;
  std::string ScgFolder;
  std::string EditorIniFile;
  config_store::GameTable GameTable;  // list entry i-1 is column i; CurrentGameIndex 0 while none is selected
  bool DebugMode = false;
  config_store::ConfigSession Session;
  config_store::TGameConfig& GameConfig = Session.GameConfig;
  config_store::ConfigLists& Lists = Session.Lists;
  config_store::EditorFlags& Flags = Session.Flags;
  TAxisInfo AxisInfo[7];  // 1..6
  std::string AxisPolarity[7];
  int OrientationIndex = 1;
  int PictureSetBase = 0;
  int CurveSlot = 0;
  bool mbBusy = false;
  bool AxisUpdating = false;
  bool MasterSwitching = false;
  platform::TrayIcon IconData;  // never added: the editor shows no icon
  PictureLights Lights;         // which picture of each array is visible
  // The 82 hooked combo boxes' watches, by member name ("mcboAxis1", "mcboPosMouseXCommand").
  std::map<std::string, std::unique_ptr<clsComboMouse>> ComboHooks;

  // Every control by name and index.
  ControlRegistry Controls;

  // The window's controls (see editor/pages/ for their places).
  QGroupBox* grpSelectGame;
  QComboBox* cboGameList;
  QPushButton* cmdReload;
  QLabel* lblConfigVer;
  QLabel* lblChanges;
  QLabel* lblError;
  QTabWidget* tabSensitivity;
  QGroupBox* frmSensitivityLights;
  ControlArray<QLabel> imgSensitivity;
  QPlainTextEdit* txtGameInstructions;
  QPlainTextEdit* txtGameInstructionsCompare;
  QCheckBox* chkModifyInstructions;
  QPushButton* cmdApplySettings;
  QPushButton* cmdSaveChanges;
  QPushButton* cmdExit;
  QPushButton* Command1;
  QPushButton* Command2;
  // Page "Sensitivity".
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
  // Page "Motions & Actions".
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
  // Page "Mouse/Keyboard".
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

  // Menus.
  QMenu* mFileMenu;
  QAction* mSaveSCG;
  QAction* mSaveAs;
  QAction* mExport;
  QAction* mExit;
  QMenu* mGames;
  QMenu* mHelp;
  QAction* mViewArray;
  QAction* mHelpContents;
  QAction* mVisitWWW;
  QAction* mAbout;
  QMenu* mPopupSys;
  QAction* mPopAbout;
  QAction* mPopRestore;
  QAction* mPopSeperate;
  QAction* mPopExit;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BindControls();
  void ConnectHandlers();
  // The hover handlers' and Command2's connections (after HookCombos).
  void ConnectPictureHandlers();
  // Runs one control's hover from the window's state, then shows the result.
  void HoverOver(HoverFamily family, int member, const QWidget* control);
  // What a hover reads: the orientation, chording, the mouse axes, the axis
  // map, and whether `control` (none for the mouse lists) is enabled.
  HoverContext HoverState(const QWidget* control) const;
  // The save question; false when the player cancelled (or a Yes could not save).
  bool AskToSave();
  void Unload(int exitCode);
  // The option buttons and command buttons the error lock switches off and the unlock on again.
  std::vector<QRadioButton*> LockedOptions() const;
  std::vector<QPushButton*> LockedButtons() const;
  std::string InstructionsText() const;

  QWidget* central_;
  bool locked_ = false;
  bool unloading_ = false;
  bool ended_ = false;
  int exitCode_ = 0;
};

}  // namespace editor
