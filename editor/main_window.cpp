#include "editor/main_window.h"

#include "common_ui/about_dialog.h"
#include "common_ui/controller_art.h"
#include "config_store/install_folder.h"
#include "config_store/mode_mailbox.h"
#include "config_store/profile_helpers.h"
#include "config_store/ryx_command_file.h"
#include "config_store/scg_reader.h"
#include "config_store/scg_writer.h"
#include "config_store/snapshot.h"
#include "editor/array_dialog.h"
#include "editor/curve_files.h"
#include "editor/pages/keyboard_page.h"
#include "editor/pages/motions_page.h"
#include "editor/pages/sensitivity_page.h"
#include "editor/pages/window_controls.h"
#include "editor/picture_paint.h"
#include "editor/selection.h"
#include "platform/dialogs.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/modal.h"
#include "platform/shell.h"
#include "platform/text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWindow>
#include <cstdio>

namespace editor {

namespace art = common_ui::art;
using config_store::ReadIni;
using config_store::WriteIni;
using platform::MsgBox;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

constexpr int kClientWidth = 1000;
constexpr int kClientHeight = 620;
// 225 twips above the centre, at 15 twips to the pixel.
constexpr int kAboveCentre = 15;
// Where the frame of sensitivity pictures stands on the pages that show it.
constexpr int kLightsLeft = 762;
constexpr int kLightsTop = 136;

}  // namespace

frmMain::frmMain(std::string programFolder, QWidget* parent)
    : QMainWindow(parent), ProgramFolder(std::move(programFolder)) {
  setWindowTitle(platform::FromAnsi(kEditorTitle));
  central_ = new QWidget(this);
  central_->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(central_);
  BuildMenus();
  BuildControls(kWindowControls, central_, controls_);
  auto* tabs = controls_.Get<QTabWidget>("tabSensitivity");
  // The motions page keeps the axis map the sensitivity page reads.
  motions_ = new MotionsPage(tabs->widget(1), controls_, Session, this);
  sensitivity_ = new SensitivityPage(tabs->widget(0), controls_, Session, motions_->Axes(), this);
  keyboard_ = new KeyboardPage(tabs->widget(2), controls_, Session, this);
  pages_ = {sensitivity_, motions_, keyboard_};
  BindControls();
  ConnectHandlers();
  setFixedSize(sizeHint());

  // The state a window has before any configuration is shown.
  lblChanges->hide();
  lblError->hide();
  QPalette red = lblError->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  lblError->setPalette(red);
  txtGameInstructionsCompare->hide();
  txtGameInstructions->setReadOnly(true);
  Command1->hide();
  Command2->hide();
  setWindowIcon(art::TunedeckIcon());
  PaintWhenShown(imgSensitivity, art::PictureSet::Sensitivity);
  motions_->PaintPictures();
  ShowOrientationSet(Lights, 1);
  SyncPictures();
  ShowChangesPending(false);
  central_->setMouseTracking(true);
  central_->installEventFilter(this);
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus() {
  mFileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  mSaveSCG = mFileMenu->addAction(QStringLiteral("&Save"));
  mSaveAs = mFileMenu->addAction(QStringLiteral("Save &As..."));
  mExport = mFileMenu->addAction(QStringLiteral("Export to .Ryx format..."));
  mExit = mFileMenu->addAction(QStringLiteral("E&xit"));
  mGames = menuBar()->addMenu(QStringLiteral("&Games"));
  mGames->menuAction()->setVisible(false);
  mHelp = menuBar()->addMenu(QStringLiteral("Help"));
  mViewArray = mHelp->addAction(QStringLiteral("View Array Info"));
  mHelpContents = mHelp->addAction(QStringLiteral("Ryx Customizer Help"));
  mVisitWWW = mHelp->addAction(platform::FromAnsi(common_ui::kMakerWebAddress));
  mAbout = mHelp->addAction(QStringLiteral("About Customizer..."));
  // Opened only as a popup (the notification-area callback).
  mPopupSys = new QMenu(QStringLiteral("&SysTray"), this);
  mPopAbout = mPopupSys->addAction(QStringLiteral("About..."));
  mPopRestore = mPopupSys->addAction(QStringLiteral("&Restore"));
  mPopSeperate = mPopupSys->addSeparator();
  mPopExit = mPopupSys->addAction(QStringLiteral("&Exit"));
  // Named, so that a menu entry is found by its name as the controls are.
  for (auto [item, name] : {std::pair<QObject*, const char*>{mFileMenu, "mFileMenu"},
                            {mSaveSCG, "mSaveSCG"},
                            {mSaveAs, "mSaveAs"},
                            {mExport, "mExport"},
                            {mExit, "mExit"},
                            {mGames, "mGames"},
                            {mHelp, "mHelp"},
                            {mViewArray, "mViewArray"},
                            {mHelpContents, "mHelpContents"},
                            {mVisitWWW, "mVisitWWW"},
                            {mAbout, "mAbout"},
                            {mPopupSys, "mPopupSys"},
                            {mPopAbout, "mPopAbout"},
                            {mPopRestore, "mPopRestore"},
                            {mPopSeperate, "mPopSeperate"},
                            {mPopExit, "mPopExit"}})
    item->setObjectName(QLatin1String(name));
}

void frmMain::BindControls() {
  const ControlRegistry& c = controls_;
  grpSelectGame = c.Get<QGroupBox>("grpSelectGame");
  cboGameList = c.Get<QComboBox>("cboGameList");
  cmdReload = c.Get<QPushButton>("cmdReload");
  lblConfigVer = c.Get<QLabel>("lblConfigVer");
  lblChanges = c.Get<QLabel>("lblChanges");
  lblError = c.Get<QLabel>("lblError");
  tabSensitivity = c.Get<QTabWidget>("tabSensitivity");
  frmSensitivityLights = c.Get<QGroupBox>("frmSensitivityLights");
  imgSensitivity = ControlArray<QLabel>(c, "imgSensitivity");
  txtGameInstructions = c.Get<QPlainTextEdit>("txtGameInstructions");
  txtGameInstructionsCompare = c.Get<QPlainTextEdit>("txtGameInstructionsCompare");
  chkModifyInstructions = c.Get<QCheckBox>("chkModifyInstructions");
  cmdApplySettings = c.Get<QPushButton>("cmdApplySettings");
  cmdSaveChanges = c.Get<QPushButton>("cmdSaveChanges");
  cmdExit = c.Get<QPushButton>("cmdExit");
  Command1 = c.Get<QPushButton>("Command1");
  Command2 = c.Get<QPushButton>("Command2");
}

void frmMain::ConnectHandlers() {
  OnClick(cboGameList, [this] { cboGameList_Click(); });
  OnClick(cmdReload, [this] { cmdReload_Click(); });
  OnClick(cmdSaveChanges, [this] { cmdSaveChanges_Click(); });
  OnClick(cmdExit, [this] { cmdExit_Click(); });
  OnClick(cmdApplySettings, [this] { cmdApplySettings_Click(); });
  OnClick(chkModifyInstructions, [this] { chkModifyInstructions_Click(); });
  connect(txtGameInstructions, &QPlainTextEdit::textChanged, this, [this] { txtGameInstructions_Change(); });
  connect(tabSensitivity, &QTabWidget::currentChanged, this, [this](int) { tabSensitivity_Click(); });
  connect(mSaveSCG, &QAction::triggered, this, [this] { mSaveSCG_Click(); });
  connect(mSaveAs, &QAction::triggered, this, [this] { mSaveAs_Click(); });
  connect(mExport, &QAction::triggered, this, [this] { mExport_Click(); });
  connect(mExit, &QAction::triggered, this, [this] { mExit_Click(); });
  connect(mGames->menuAction(), &QAction::triggered, this, [this] { mGames_Click(); });
  connect(mViewArray, &QAction::triggered, this, [this] { mViewArray_Click(); });
  connect(mVisitWWW, &QAction::triggered, this, [this] { mVisitWWW_Click(); });
  connect(mAbout, &QAction::triggered, this, [this] { mAbout_Click(); });
  connect(mPopAbout, &QAction::triggered, this, [this] { mPopAbout_Click(); });
  connect(mPopRestore, &QAction::triggered, this, [this] { mPopRestore_Click(); });
  connect(mPopExit, &QAction::triggered, this, [this] { mPopExit_Click(); });
  ConnectPages();
}

void frmMain::ConnectPages() {
  for (Page* page : std::initializer_list<Page*>{sensitivity_, motions_, keyboard_})
    connect(page, &Page::changed, this, [this](const std::string& whereFrom) { AnyChanges(whereFrom); });
  connect(sensitivity_, &SensitivityPage::lockWanted, this,
          [this](const std::string& ErrSection) { ControlsLock(ErrSection); });
  // The curve buttons' file work (editor/curve_files.h).
  connect(sensitivity_, &SensitivityPage::curveDownloadWanted, this, [this](int slot) {
    platform::ProcessRunner runs;
    DownloadCurve(ProgramFolder, slot, runs);
  });
  connect(sensitivity_, &SensitivityPage::curveFileWanted, this, [this](int slot) {
    if (std::optional<std::string> path = ChooseCurveFile(ProgramFolder))
      sensitivity_->SetCurve(slot, *path, config_store::ryx::CurveFilePath(*path, ProgramFolder));
  });
  connect(sensitivity_, &SensitivityPage::curveDefaultsWanted, this, [this] {
    for (int slot = 1; slot <= 6; ++slot) {
      const std::string path = config_store::ryx::KeptCurve(GameConfig.Curve(slot).DFLT, ProgramFolder);
      sensitivity_->SetCurve(slot, path, config_store::ryx::CurveFilePath(path, ProgramFolder));
    }
  });
  connect(motions_, &MotionsPage::axesChanged, this, [this] { ShowAxes(); });
  connect(motions_, &MotionsPage::orientationChanged, this, [this](int Index) {
    ShowOrientationSet(Lights, Index);
    SyncPictures();
  });
  connect(motions_, &MotionsPage::chordTabChanged, this, [this](int tab) {
    PictureSetBase = editor::PictureSetBase(motions_->Orientation());
    ShowChordPictures(Lights, motions_->Orientation(), tab);
    SyncPictures();
  });
  connect(motions_, &MotionsPage::chordingSwitched, this, [this](int Index) {
    sensitivity_->ShowChordingChoice(Index);
    ResetImage();
  });
  connect(motions_, &MotionsPage::precisionDefaultsWanted, this, [this] { sensitivity_->ResetPrecision(); });
}

// ---------------------------------------------------------------- life events

void frmMain::CentreWindow() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = screen->geometry();
  QSize size = frameGeometry().size();
  int left = (area.width() - size.width()) / 2;
  int top = (area.height() - size.height()) / 2 - kAboveCentre;
  // A title bar above the screen's top could not be reached to move the window back.
  top = std::max(top, 0);
  move(area.x() + left, area.y() + top);
}

void frmMain::Form_Load() {
  // The splash is drawn at once, then the window is centred.
  emit repaintSplash();
  CentreWindow();
  // The combo boxes' mouse watches and the pictures' hover handlers.
  HookCombos();
  ConnectPictureHandlers();
  // The configuration folder scan.
  ScgFolder = config_store::ScgFolderPath(ProgramFolder);
  Session.ProgramFolder = ProgramFolder;
  EditorIniFile = config_store::EditorIniPath(ProgramFolder);
  config_store::GameListResult scan = config_store::LoadGameList(ProgramFolder, ScgFolder, *this);
  if (scan.outcome != config_store::GameListOutcome::Listed) {
    MsgBox(scan.messageText, MsgButtons::Ok, MsgIcon::Critical, scan.messageTitle);
    Unload(1);
    return;
  }
  GameTable = std::move(scan.table);
  EditorIniFile = scan.EditorIniFile;
  // The sensitivity lights placed for the first tab; the array view is a debug-mode item.
  PositionSensitivityLights(0);
  mViewArray->setVisible(DebugMode);
  // The version the installation registers.
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "Version", "5.10");
  // The fixed labels of the mouse axes.
  keyboard_->ShowMouseAxisLabels();
  // The first curve slot, through its click handler.
  sensitivity_->SelectFirstCurveSlot();
  // The game list; nothing is selected yet, so the current game is 0.
  for (const config_store::GameColumn& game : GameTable.columns) AddItem(cboGameList, game.listText);
  GameTable.CurrentGameIndex = cboGameList->currentIndex() + 1;
  // The game played last, when tunedeck.ini names it exactly.
  std::string remembered;
  bool haveRemembered = false;
  if (platform::FileExists(EditorIniFile) && ReadIni(EditorIniFile, "Version", "Version") == "5.1") {
    remembered = ReadIni(EditorIniFile, "Games", "Current");
    haveRemembered = true;
  }
  int taken = 0;
  if (haveRemembered)
    for (int column = 1; column <= GameTable.GameCount(); ++column)
      if (GameTable.Column(column).fileName == remembered) taken = column;
  if (taken >= 1 && platform::FileExists(ScgFolder + GameTable.Column(taken).fileName))
    SetText(cboGameList, GameTable.Column(taken).listText);
  else
    Select(cboGameList, 0);
  if (Ended()) return;
  // The window shows (minimized when asked for), then the splash goes.
  if (startMinimized)
    showMinimized();
  else
    show();
  repaint();
  emit unloadSplash();
}

void frmMain::Status(const std::string& text) { emit splashStatus(text); }

void frmMain::RewriteConverted(const std::string& path) {
  config_store::ScgReadResult result = config_store::ReadSCG(path, true, Session);
  if (!result.saveError.empty())
    std::fprintf(stderr, "%s was converted but not rewritten: %s\n", path.c_str(), result.saveError.c_str());
}

void frmMain::Log(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

void frmMain::Form_Activate() { CentreWindow(); }

void frmMain::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
  QMainWindow::changeEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  // Only the background's own moves: Qt also passes on moves that a control did not take.
  if (watched == central_ && event->type() == QEvent::MouseMove &&
      !central_->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    auto* move = static_cast<QMouseEvent*>(event);
    int button = (move->buttons() & Qt::LeftButton ? 1 : 0) | (move->buttons() & Qt::RightButton ? 2 : 0);
    int shift = (move->modifiers() & Qt::ShiftModifier ? 1 : 0) | (move->modifiers() & Qt::ControlModifier ? 2 : 0) |
                (move->modifiers() & Qt::AltModifier ? 4 : 0);
    Form_MouseMove(button, shift, move->position().x(), move->position().y());
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_MouseMove([[maybe_unused]] int Button, [[maybe_unused]] int Shift, double X, double Y) {
  ResetImage();
  if (Y != 0) return;
  // The window works in pixels, so the message number is X itself.
  long message = std::lround(X);
  if (message == 517) mPopupSys->popup(QCursor::pos());
}

void frmMain::Form_Unload() {
  IconData.Remove();
  WriteIni(EditorIniFile, "Version", "Version", "5.1");
  const int current = GameTable.CurrentGameIndex;
  if (current >= 1 && current <= GameTable.GameCount()) {
    std::string name = GameTable.Column(current).fileName;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    WriteIni(EditorIniFile, "Games", "Current", name);
  }
  config_store::ReplaceMode(ProgramFolder, "SUSPEND", "ACTIVE");
}

void frmMain::Form_Terminate() { Form_Unload(); }

void frmMain::Unload(int exitCode) {
  if (Ended()) return;
  unloading_ = true;
  if (EditorIniFile.empty()) EditorIniFile = config_store::EditorIniPath(ProgramFolder);
  Form_Unload();
  Form_Terminate();
  mPopupSys->hide();
  hide();
  emit unloadSplash();
  end_.End(exitCode);
}

void frmMain::Terminate() {
  // Never inside Activate's runs: they are cut short, and the unload follows.
  if (HoldWhileActivating([this] { Unload(0); })) return;
  Unload(0);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (unloading_ || Ended()) {
    event->accept();
    return;
  }
  if (HoldWhileActivating([this] { close(); })) {
    event->ignore();
    return;
  }
  // The title-bar close asks the same question as Exit, so no edit is lost unasked.
  if (!AskToSave()) {
    event->ignore();
    return;
  }
  event->accept();
  Unload(0);
}

// ------------------------------------------------------- commands and menus

bool frmMain::AskToSave() {
  if (Flags.ConfigModified != 1) return true;
  MsgResult answer = MsgBox("This configuration has been modified.\r\nWould you like to save your changes?",
                            MsgButtons::YesNoCancel, MsgIcon::Question, "Save Changes");
  if (answer == MsgResult::Cancel) return false;
  if (answer == MsgResult::Yes) return SaveChanges(Flags.CurrentConfigFile);
  return true;
}

void frmMain::cboGameList_Click() {
  if (!AskToSave()) return;
  Flags.ConfigModified = 0;
  ShowChangesPending(false);
  ReadSelectedGame();
}

void frmMain::cmdReload_Click() {
  if (Flags.ConfigModified == 1 && MsgBox("This configuration has been modified. If you reload, your\r\n"
                                          "changes will be lost.   Would you still like to continue?",
                                          MsgButtons::YesNo, MsgIcon::Question, "Reload") != MsgResult::Yes)
    return;
  ReadSelectedGame();
}

void frmMain::cmdSaveChanges_Click() {
  SaveChanges(Flags.CurrentConfigFile);
  AnyChanges("cmdSaveChanges_Click");
}

void frmMain::mSaveSCG_Click() {
  bool saved = SaveChanges(Flags.CurrentConfigFile);
  AnyChanges("mSaveSCG_Click");
  // A failed save has said so in its own box.
  if (saved) MsgBox("Configuration file saved.", MsgButtons::Ok, MsgIcon::None, "Save Changes");
}

void frmMain::mSaveAs_Click() {
  for (;;) {
    platform::FileDialogResult chosen =
        platform::ShowFileDialog({true, "Ryx Configuration Files (*.scg)|*.scg|All Files (*.*)|*.*",
                                  config_store::ScgFolderPath(ProgramFolder), ""});
    if (chosen.fileTitle.empty()) return;
    if (!platform::FileExists(chosen.fileName)) {
      SaveChanges(chosen.fileName);
      return;
    }
    MsgResult answer =
        MsgBox("Ryx Configuration file " + chosen.fileTitle + " already exists.  Would you like to overwrite it?",
               MsgButtons::YesNoCancel, MsgIcon::Question, "File Exists");
    if (answer == MsgResult::Yes) {
      SaveChanges(chosen.fileName);
      return;
    }
    if (answer == MsgResult::Cancel) return;
  }
}

void frmMain::cmdExit_Click() {
  if (HoldWhileActivating([this] { cmdExit_Click(); })) return;
  if (!AskToSave()) return;
  Unload(0);
}

void frmMain::mAbout_Click() { common_ui::ShowAbout(common_ui::AboutProduct::Customizer, kEditorTitle, this); }

void frmMain::mPopRestore_Click() {
  CentreWindow();
  setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
  show();
  raise();
  activateWindow();
}

void frmMain::mGames_Click() { MsgBox("game menu...", MsgButtons::Ok, MsgIcon::None, kEditorTitle); }

void frmMain::mViewArray_Click() {
  frmArray dialog(this);
  platform::ExecModal(dialog);
}

void frmMain::mVisitWWW_Click() { platform::OpenWithDesktop(common_ui::kMakerWebAddress); }

void frmMain::txtGameInstructions_Change() { AnyChanges("txtGameInstructions_Change"); }

void frmMain::chkModifyInstructions_Click() {
  switch (chkModifyInstructions->checkState()) {
    case Qt::Checked:
      txtGameInstructions->setReadOnly(false);
      break;
    case Qt::Unchecked:
      txtGameInstructions->setReadOnly(true);
      break;
    default:
      break;  // greyed: the lock stays as it is
  }
}

void frmMain::tabSensitivity_Click() { PositionSensitivityLights(tabSensitivity->currentIndex()); }

// ------------------------------------------------------ reading and saving

std::string frmMain::InstructionsText() const {
  return platform::ToAnsi(txtGameInstructions->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
}

void frmMain::ReadSelectedGame() {
  Flags.LoadingControls = true;
  ClearGameControls();
  GameTable.CurrentGameIndex = cboGameList->currentIndex() + 1;
  if (GameTable.CurrentGameIndex < 1 || GameTable.CurrentGameIndex > GameTable.GameCount()) return;
  // The read records the file as the one being edited (CurrentConfigFile).
  config_store::ScgReadResult result =
      config_store::ReadSCG(ScgFolder + GameTable.Column(GameTable.CurrentGameIndex).fileName, false, Session);
  if (result.lock) {
    Flags.LoadingControls = true;
    // The edits of the configuration this load replaced were given up before
    // it began, and the locked one can hold none: nothing is left to save.
    Flags.ConfigModified = 0;
    ControlsLock(*result.lock);
    return;
  }
  Flags.LoadingControls = true;
  ShowConfiguration();
  lblConfigVer->setText(platform::FromAnsi(GameConfig.FILE_REVISION_NUMBER));
  Flags.LoadingControls = false;
  ControlsUnlock();
  AnyChanges("ReadSCG");
}

bool frmMain::SaveChanges(const std::string& path) {
  auto fail = [&](const std::string& reason) {
    MsgBox("Configuration file " + path + " was not saved: " + reason, MsgButtons::Ok, MsgIcon::Critical,
           "Save Changes");
    return false;
  };
  // A configuration that was not read to its end would be written half.
  if (locked_) return fail("it was not read completely.");
  motions_->StoreAxisInfo();
  std::string instructions = InstructionsText();
  config_store::SaveContext context;
  context.ProgramFolder = ProgramFolder;
  config_store::SaveResult saved = config_store::SaveChanges(path, GameConfig, Lists, instructions, context);
  if (!saved.ok) return fail(saved.error);
  {
    QSignalBlocker blocker(txtGameInstructionsCompare);
    txtGameInstructionsCompare->setPlainText(txtGameInstructions->toPlainText());
  }
  AnyChanges("SaveChanges");
  return true;
}

void frmMain::AnyChanges([[maybe_unused]] const std::string& strWhereFrom) {
  if (Flags.LoadingControls) return;
  motions_->StoreAxisInfo();
  Flags.ConfigModified = config_store::AnyChanges(
      ProgramFolder, GameConfig, InstructionsText(),
      platform::ToAnsi(txtGameInstructionsCompare->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"))));
  ShowChangesPending(Flags.ConfigModified == 1);
}

void frmMain::ShowChangesPending(bool flag) {
  lblChanges->setVisible(flag);
  cmdSaveChanges->setEnabled(flag);
  mSaveSCG->setEnabled(flag);
}

void frmMain::ShowAxes() {
  sensitivity_->ShowAxisRows();
  ShowKeyRows();
}

void frmMain::ShowKeyRows() {
  const bool anyKeys = keyboard_->ShowKeyRows(motions_->Shown());
  if (tabSensitivity->currentIndex() == 2 && !anyKeys) tabSensitivity->setCurrentIndex(1);
  tabSensitivity->setTabEnabled(2, anyKeys);
}

// ------------------------------------------------------------- error lock

void frmMain::ControlsLock(const std::string& ErrSection) {
  locked_ = true;
  ShowChangesPending(false);
  lblError->setText(platform::FromAnsi("Error Detected while reading SCG:  " + ErrSection));
  lblError->show();
  // The game list, reload, exit, the instructions and the key page stay as they are.
  for (Page* page : pages_) page->Lock();
  mViewArray->setEnabled(false);
  mSaveAs->setEnabled(false);
  mExport->setEnabled(false);
  cmdApplySettings->setEnabled(false);
}

void frmMain::ControlsUnlock() {
  locked_ = false;
  lblError->hide();
  lblError->setText(QString());
  for (Page* page : pages_) page->Unlock();
  cmdApplySettings->setEnabled(true);
  ShowKeyRows();
  mViewArray->setEnabled(true);
  mSaveAs->setEnabled(true);
  mExport->setEnabled(true);
}

// ---------------------------------------------------------------- pictures

void frmMain::PositionSensitivityLights(int tab) {
  {
    QSignalBlocker blocker(tabSensitivity);
    tabSensitivity->setCurrentIndex(tab);
  }
  SensitivityLightsPlace place = editor::PositionSensitivityLights(tab);
  if (place.changes) {
    // This window's layout keeps the pictures beside the page's controls on both pages that show them.
    frmSensitivityLights->move(kLightsLeft, kLightsTop);
    frmSensitivityLights->setVisible(place.visible);
  }
  frmSensitivityLights->raise();
}

void frmMain::ResetImage() {
  PictureSetBase = editor::PictureSetBase(motions_->Orientation());
  editor::ResetImage(Lights, motions_->Orientation(), motions_->ChordingOff());
  SyncPictures();
}

void frmMain::SyncPictures() {
  for (auto& [index, image] : imgSensitivity.Members()) image->setVisible(Lights.imgSensitivity.at(index));
  motions_->ShowPictures(Lights);
}

void frmMain::HookCombos() {
  auto hook = [this](const std::string& member, QComboBox* box) {
    auto watch = std::make_unique<clsComboMouse>();
    watch->HookCombo(box);
    comboHooks_[member] = std::move(watch);
  };
  for (const char* name : {"cboAxis", "cboButton", "cboButtonAlias", "cboButtonChord", "cboButtonChordAlias",
                           "cboPosAxisCommand", "cboNegAxisCommand", "cboButtonAxisPOSAlias", "cboButtonAxisNEGAlias"})
    for (const auto& [index, box] : controls_.Members(name))
      hook(std::string("m") + name + std::to_string(index), qobject_cast<QComboBox*>(box));
  for (const char* name :
       {"cboPosMouseXCommand", "cboNegMouseXCommand", "cboButtonMouseXPOSAlias", "cboButtonMouseXNEGAlias",
        "cboPosMouseYCommand", "cboNegMouseYCommand", "cboButtonMouseYPOSAlias", "cboButtonMouseYNEGAlias"})
    hook(std::string("m") + name, controls_.Get<QComboBox>(name));
}

}  // namespace editor
