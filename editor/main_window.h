// Tunedeck's main window frmMain: the window's life from Form_Load to
// Form_Unload, the game list, reading, saving and reloading, activating and the
// export, the menus, the error lock and the hover lights. Its three tuning
// pages are classes of their own (editor/pages/), which edit the record and
// tell the window when they did; the window owns the record (config_store's
// ConfigSession) and hands each page what it needs of another. The window
// never reads or writes a configuration file itself: config_store does.
#pragma once

#include "config_store/game_config.h"
#include "config_store/game_list.h"
#include "editor/combo_mouse.h"
#include "editor/control_table.h"
#include "editor/picture_lights.h"
#include "platform/process/tool_runner.h"
#include "platform/program_end.h"
#include "platform/tray_icon.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace editor {

class KeyboardPage;
class MotionsPage;
class Page;
class SensitivityPage;

inline const std::string kEditorTitle = "Heliryx 360 Customizer";

// What the window tells its owner (the splash's moments, the end) are Qt
// signals; the start-up scan's steps are the window's own (GameListSteps).
class frmMain : public QMainWindow, private config_store::GameListSteps {
  Q_OBJECT
 public:
  // `programFolder` is the installation folder, without a trailing "/".
  explicit frmMain(std::string programFolder, QWidget* parent = nullptr);
  ~frmMain() override;

  // --- Life events.
  void Form_Load();
  // Background mouse moves, and the notification-area callback (Y 0, X the message).
  void Form_MouseMove(int Button, int Shift, double X, double Y);
  // SIGTERM, SIGINT, SIGHUP: the clean-up without a question; nothing is saved.
  void Terminate();

  // True once the window has been unloaded, and with which exit code; the
  // program ends the event loop there.
  bool Ended() const { return end_.Ended(); }
  int ExitCode() const { return end_.ExitCode(); }
  const platform::ProgramEnd& End() const { return end_; }
  // How Form_Load shows the window (the monitor starts the editor minimised).
  bool startMinimized = false;

  // --- Commands a caller gives as the player would.
  void cmdReload_Click();
  void cmdSaveChanges_Click();
  void cmdExit_Click();
  void mGames_Click();
  void mPopRestore_Click();
  // Saves the record to `path`; on failure (or while the error lock is on) a
  // critical box says why, and the edits and "modified" stay. True when saved.
  bool SaveChanges(const std::string& path);

  // True while Activate's runs of the control tool go on.
  bool Activating() const { return activating_; }
  // How long one run of the control tool may last before it is ended.
  int activateRunLimitMs = platform::kRunLimitMs;

  // True while the error lock is on (a configuration that was not read to its end).
  bool Locked() const { return locked_; }

  // --- The controller pictures.
  void ResetImage();
  // Light one sensitivity (1..7) or motion (1..12) picture of the current set;
  // any other index shows the "BOO BOO" box and changes nothing.
  void LightsOnSens(int Index);
  void LightsOnMotion(int Index);
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

  // --- The record being edited, with its lists and the flags the window and its pages share.
  config_store::ConfigSession Session;
  config_store::TGameConfig& GameConfig = Session.GameConfig;
  config_store::ConfigLists& Lists = Session.Lists;
  config_store::EditorFlags& Flags = Session.Flags;

  // Every control of the window and its pages by name and index; the menu
  // entries are the window's children by their names ("mSaveAs").
  const ControlRegistry& Controls() const { return controls_; }
  // The 82 hooked combo boxes' watches, by member name ("mcboAxis1", "mcboPosMouseXCommand").
  const std::map<std::string, std::unique_ptr<clsComboMouse>>& ComboHooks() const { return comboHooks_; }
  // The pages (tests and the screenshot tool drive them).
  SensitivityPage& Sensitivity() { return *sensitivity_; }
  MotionsPage& Motions() { return *motions_; }

 signals:
  // The splash window is to be repainted while loading, and taken away at its end.
  void repaintSplash();
  void unloadSplash();
  // A status text for the splash window (a configuration upgrade's progress).
  void splashStatus(const std::string& text);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BindControls();
  void ConnectHandlers();
  // What the pages tell the window.
  void ConnectPages();

  // --- Life events.
  void Form_Activate();
  void Form_Resize() {}
  void Form_Unload();
  void Form_Terminate();
  void Unload(int exitCode);
  // Moves the window to its place, a little above the centre of the screen.
  void CentreWindow();
  // The start-up scan's steps: the splash's status, a converted file read and
  // written again in the full layout, and the scan's lines on standard error.
  void Status(const std::string& text) override;
  void RewriteConverted(const std::string& path) override;
  void Log(const std::string& line) override;

  // --- Game selection, saving, leaving and menus.
  void cboGameList_Click();
  void mSaveSCG_Click();
  void mSaveAs_Click();
  void mExit_Click() { cmdExit_Click(); }
  void mPopExit_Click() { cmdExit_Click(); }
  void mAbout_Click();
  void mPopAbout_Click() { mAbout_Click(); }
  void mViewArray_Click();
  void mVisitWWW_Click();
  void txtGameInstructions_Change();
  void chkModifyInstructions_Click();
  void tabSensitivity_Click();
  // The save question; false when the player cancelled (or a Yes could not save).
  bool AskToSave();
  // Reads the game selected in cboGameList (the " " form of ReadSCG).
  void ReadSelectedGame();
  std::string InstructionsText() const;
  // The change check and its display.
  void AnyChanges(const std::string& strWhereFrom);
  void ShowChangesPending(bool flag);

  // --- Activating and export.
  void cmdApplySettings_Click();
  void mExport_Click();
  // Holds `command` (a quit, a close) until Activate's runs have ended, and cuts
  // the runs short: the run going on is ended and no further one starts.
  // False when nothing is running and the command is to go on now.
  bool HoldWhileActivating(std::function<void()> command);

  // --- Filling the window and its pages from the record (the load has made every correction).
  void ClearGameControls();
  void ShowConfiguration();
  void ShowInstructionsOptions();
  // After the axis map changed: the other pages' rows follow it.
  void ShowAxes();
  // The key rows as the axes and the record allow, and the key page's tab only while a row uses it.
  void ShowKeyRows();

  // --- The error lock.
  void ControlsLock(const std::string& ErrSection = "");
  void ControlsUnlock();

  // --- Pictures and the combo boxes' mouse watch.
  void PositionSensitivityLights(int tab);
  // Shows each picture label as Lights says.
  void SyncPictures();
  // Done once at load: one clsComboMouse per binding list, in the order of the table.
  void HookCombos();
  // The hover handlers' and Command2's connections (after HookCombos).
  void ConnectPictureHandlers();
  // Runs one control's hover from the window's state, then shows the result.
  void HoverOver(HoverFamily family, int member, const QWidget* control);
  // What a hover reads: the orientation, chording, the mouse axes, the axis
  // map, and whether `control` (none for the mouse lists) is enabled.
  HoverContext HoverState(const QWidget* control) const;
  // Opens the testing playground, not modal.
  void Command2_Click();

  // --- State shared by the window's procedures.
  const std::string ProgramFolder;
  std::string ScgFolder;
  std::string EditorIniFile;
  config_store::GameTable GameTable;  // list entry i-1 is column i; CurrentGameIndex 0 while none is selected
  bool DebugMode = false;
  int PictureSetBase = 0;
  platform::TrayIcon IconData;  // never added: the editor shows no icon
  PictureLights Lights;         // which picture of each array is visible
  std::map<std::string, std::unique_ptr<clsComboMouse>> comboHooks_;
  bool activating_ = false;
  bool activateAgain_ = false;
  std::vector<std::function<void()>> afterActivate_;
  platform::ToolRunner* activateRuns_ = nullptr;  // Activate's runs while they go on

  // The window's own controls (editor/pages/window_controls.h places them).
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

  QWidget* central_;
  ControlRegistry controls_;
  MotionsPage* motions_;
  SensitivityPage* sensitivity_;
  KeyboardPage* keyboard_;
  std::vector<Page*> pages_;  // in tab order
  bool locked_ = false;
  bool unloading_ = false;
  platform::ProgramEnd end_;
};

}  // namespace editor
