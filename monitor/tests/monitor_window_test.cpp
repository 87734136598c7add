// frmMain's menu, suspension and start-up dialog in process, over a temporary
// program folder with the real ryxcontrol in it.
#include "monitor/main_window.h"

#include "config_store/profile_helpers.h"
#include "monitor/startup_dialog.h"
#include "monitor/tests/scg_fixture.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/modal.h"
#include "platform/process/autostart.h"
#include "platform/program_end.h"
#include "platform/registry.h"
#include "testing/test_support.h"
#include "testing/window_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace testing_support;
using Lines = std::vector<std::string>;

namespace {

class MonitorWindow : public ::testing::Test {
 protected:
  MonitorWindow() : install_({"ryxcontrol"}) {
    WriteFile(install_ / "scg/game.scg", monitor_test::ScgText());
    platform::SetMsgBoxHandler([this](const platform::MsgBoxRequest& box) {
      boxes_.push_back(box.title + ": " + box.text);
      return platform::DefaultAnswer(box.buttons);
    });
  }
  ~MonitorWindow() override { platform::SetMsgBoxHandler(nullptr); }

  // A stand-in program that notes each start, and how its window was to appear,
  // in a file beside it.
  void AddProgram(const std::string& name) {
    WriteFile(install_ / name, "#!/bin/sh\necho \"started $HELIRYX_START_WINDOW\" >> \"$0.started\"\n");
    ::chmod((install_ / name).c_str(), 0755);
  }
  int Starts(const std::string& name) {
    return static_cast<int>(platform::SplitLines(ReadFile(install_ / (name + ".started"))).size());
  }
  size_t RyxRuns() { return platform::SplitLines(ReadFile(install_ / "ryxcontrol.log")).size(); }
  std::string Mode() { return config_store::ReadIni(install_ / "watchpost.ini", "APPLICATION", "MODE"); }
  Lines LogList(monitor::frmMain& w) {
    Lines lines;
    for (int i = 0; i < Ctl<QListWidget>(w, "lstDebugWindow")->count(); ++i)
      lines.push_back(Ctl<QListWidget>(w, "lstDebugWindow")->item(i)->text().toStdString());
    return lines;
  }

  TempInstall install_;
  ScopedEnv configHome_{"XDG_CONFIG_HOME", install_.ConfigHome()};
  Lines boxes_;
};

}  // namespace

TEST_F(MonitorWindow, ThePopupMenuHoldsItsItemsInOrder) {
  monitor::frmMain w("", install_.Folder());
  Lines captions;
  for (QAction* a : Menu<QMenu>(w, "mPopupSys")->actions())
    captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  EXPECT_EQ(captions, (Lines{"About...", "Customize...", "-", "*BETA* Enable Mouse * BETA*", "-", "Web update...",
                             "Startup settings...", "-", "Suspend", "Exit"}));
  EXPECT_TRUE(Menu<QAction>(w, "mnuPointerly")->isCheckable());
  EXPECT_TRUE(Menu<QAction>(w, "mPopupSuspend")->isCheckable());
}

TEST_F(MonitorWindow, SuspendAndResumeChangeTheIconTheLogAndTheMailbox) {
  monitor::frmMain w("-r 2", install_.Folder());
  w.Form_Load();
  ASSERT_FALSE(w.Ended());
  EXPECT_EQ(w.State().WatchList.size(), 1u);
  Ctl<QListWidget>(w, "lstDebugWindow")->clear();

  Menu<QAction>(w, "mPopupSuspend")->trigger();
  EXPECT_TRUE(Menu<QAction>(w, "mPopupSuspend")->isChecked());
  EXPECT_EQ(w.State().CurrentMode, "SUSPEND");
  EXPECT_EQ(w.Tray().Tip(), "Heliryx 360 Monitor - Suspended");
  EXPECT_EQ(Ctl<QTimer>(w, "tmrMonitor")->interval(), 2500);
  EXPECT_EQ(Ctl<QPushButton>(w, "cmdSuspend")->text().toStdString(), "Resume");
  EXPECT_EQ(Mode(), "SUSPEND");
  EXPECT_EQ(RyxRuns(), 6u);  // the driver's defaults
  Lines log = LogList(w);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("Monitoring suspended at ", 0), 0u);
  EXPECT_EQ(log[1], "");

  // Resuming builds the watch list again from the folder.
  WriteFile(install_ / "scg/more.scg", monitor_test::ScgText({{"EXECUTABLE", "\"more.exe\""}}));
  Ctl<QPushButton>(w, "cmdSuspend")->click();
  EXPECT_FALSE(Menu<QAction>(w, "mPopupSuspend")->isChecked());
  EXPECT_EQ(w.State().CurrentMode, "ACTIVE");
  EXPECT_EQ(w.Tray().Tip(), "Heliryx 360 Monitor");
  EXPECT_EQ(Ctl<QTimer>(w, "tmrMonitor")->interval(), 2000);
  EXPECT_EQ(Ctl<QPushButton>(w, "cmdSuspend")->text().toStdString(), "Suspend");
  EXPECT_EQ(Mode(), "ACTIVE");
  EXPECT_EQ(w.State().WatchList.size(), 2u);
  EXPECT_EQ(RyxRuns(), 6u);
  log = LogList(w);
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[2].rfind("Monitoring resumed at ", 0), 0u);
  EXPECT_EQ(log[3], "");
  EXPECT_TRUE(w.Tray().Added());
  w.Form_Unload();
}

// A mailbox deleted while the monitor runs is made again by a Suspend chosen
// from the menu, so the next tick finds the monitor's own word.
TEST_F(MonitorWindow, ASuspendFromTheMenuMakesAMissingMailboxAgain) {
  monitor::frmMain w("-r 1", install_.Folder());
  w.Form_Load();
  ASSERT_FALSE(w.Ended());
  int ticks = 0;
  QObject::connect(Ctl<QTimer>(w, "tmrMonitor"), &QTimer::timeout, [&ticks] { ++ticks; });
  ASSERT_TRUE(platform::RemoveFile(install_ / "watchpost.ini"));

  Menu<QAction>(w, "mPopupSuspend")->trigger();
  EXPECT_EQ(Mode(), "SUSPEND");
  ticks = 0;
  ASSERT_TRUE(SpinUntil([&] { return ticks >= 1; }));
  EXPECT_FALSE(w.Ended());
  EXPECT_EQ(w.State().CurrentMode, "SUSPEND");
  EXPECT_TRUE(Menu<QAction>(w, "mPopupSuspend")->isChecked());
  EXPECT_EQ(Mode(), "SUSPEND");
  w.Form_Unload();
}

TEST_F(MonitorWindow, MissingProgramsAreReportedAndChangeNothing) {
  monitor::frmMain w("", install_.Folder());
  w.Form_Load();
  Menu<QAction>(w, "mCustomize")->trigger();
  emit Ctl<platform::TrayIcon>(w, "IconData")->doubleClicked();
  Menu<QAction>(w, "mFreshline")->trigger();
  Menu<QAction>(w, "mnuPointerly")->trigger();
  EXPECT_EQ(boxes_,
            (Lines{"Launch Error: Heliryx 360 Customizer not found.", "Launch Error: Heliryx 360 Customizer not found.",
                   "Update Error: Heliryx 360 Web Update utility not found.",
                   "Launch Error: Pointerly utility not found... Aborting..."}));
  EXPECT_EQ(w.State().CurrentMode, "ACTIVE");
  EXPECT_FALSE(Menu<QAction>(w, "mnuPointerly")->isChecked());
  EXPECT_EQ(RyxRuns(), 0u);
  w.Form_Unload();
}

TEST_F(MonitorWindow, TheEditorAndTheUpdaterStartWithTheMonitorSuspendedButTheDriverLeftAlone) {
  AddProgram("tunedeck");
  AddProgram("fetchling");
  monitor::frmMain w("", install_.Folder());
  w.Form_Load();
  emit Ctl<platform::TrayIcon>(w, "IconData")->doubleClicked();
  EXPECT_TRUE(WaitUntil([&] { return Starts("tunedeck") == 1; }));
  EXPECT_EQ(w.State().CurrentMode, "SUSPEND");
  EXPECT_TRUE(Menu<QAction>(w, "mPopupSuspend")->isChecked());
  EXPECT_EQ(w.Tray().Tip(), "Heliryx 360 Monitor");
  EXPECT_EQ(Mode(), "SUSPEND");
  EXPECT_EQ(Ctl<QTimer>(w, "tmrMonitor")->interval(), 2500);
  Menu<QAction>(w, "mFreshline")->trigger();
  EXPECT_TRUE(WaitUntil([&] { return Starts("fetchling") == 1; }));
  EXPECT_EQ(ReadFile(install_ / "tunedeck.started"), "started minimized\n");
  EXPECT_EQ(ReadFile(install_ / "fetchling.started"), "started normal\n");
  EXPECT_EQ(RyxRuns(), 0u);
  EXPECT_TRUE(boxes_.empty());
  w.Form_Unload();
}

TEST_F(MonitorWindow, TheEmulatorSwitchStartsAndClosesPointerlyWithADriverResetEachTime) {
  AddProgram("pointerly");
  monitor::frmMain w("", install_.Folder());
  w.Form_Load();
  Menu<QAction>(w, "mnuPointerly")->trigger();
  EXPECT_TRUE(Menu<QAction>(w, "mnuPointerly")->isChecked());
  EXPECT_TRUE(WaitUntil([&] { return Starts("pointerly") == 1; }));
  EXPECT_EQ(RyxRuns(), 6u);
  Menu<QAction>(w, "mnuPointerly")->trigger();
  EXPECT_FALSE(Menu<QAction>(w, "mnuPointerly")->isChecked());
  EXPECT_EQ(RyxRuns(), 12u);
  EXPECT_EQ(Starts("pointerly"), 1);
  EXPECT_EQ(w.State().CurrentMode, "ACTIVE");  // the switch does not touch the monitor's mode
  w.Form_Unload();
}

TEST_F(MonitorWindow, ExitFromTheMenuEmptiesTheMailboxAndRemovesTheIcon) {
  monitor::frmMain w("", install_.Folder());
  w.Form_Load();
  Menu<QAction>(w, "mPopupExit")->trigger();
  EXPECT_TRUE(w.Ended());
  EXPECT_FALSE(w.Tray().Added());
  EXPECT_EQ(Mode(), "");
  EXPECT_FALSE(Ctl<QTimer>(w, "tmrMonitor")->isActive());
}

// Another program may write the mailbox while a suspend read from it resets the
// driver (the updater's quit, the editor's resume, written between two runs of
// the tool): the suspend keeps that word for the next tick to act on.
TEST_F(MonitorWindow, AWordWrittenToTheMailboxWhileASuspendResetsTheDriverIsKept) {
  platform::RemoveFile(install_ / "ryxcontrol");  // a link to the build's own tool
  // The reset's last run writes the word, as the other program would, once.
  WriteFile(install_ / "ryxcontrol",
            "#!/bin/sh\necho \"$*\" >> \"$0.runs\"\n"
            "if [ \"$*\" = \"--reset-sensitivity-curve 5\" ] && [ -e \"$0.word\" ]; then\n"
            "  d=$(dirname \"$0\")\n"
            "  printf '[VERSION]\\r\\nVERSION=5.1\\r\\n[APPLICATION]\\r\\nMODE=%s\\r\\n' \"$(cat \"$0.word\")\" "
            "> \"$d/watchpost.ini.new\"\n"
            "  mv \"$d/watchpost.ini.new\" \"$d/watchpost.ini\"; rm \"$0.word\"\n"
            "fi\n");
  ::chmod((install_ / "ryxcontrol").c_str(), 0755);
  struct Case {
    const char* word;
    std::string answer;  // the log line that begins the next tick's answer to it
  } cases[] = {
      {"KILL", "Monitor ended: the mailbox's MODE read \"KILL\" at "},
      {"ACTIVE", "Monitoring resumed at "},
  };
  for (const Case& c : cases) {
    platform::RemoveFile(install_ / "ryxcontrol.runs");
    monitor::frmMain w("-r 1", install_.Folder());
    w.Form_Load();
    ASSERT_FALSE(w.Ended()) << c.word;
    WriteFile(install_ / "ryxcontrol.word", c.word);
    config_store::WriteIni(install_ / "watchpost.ini", "APPLICATION", "MODE", "SUSPEND");
    auto answered = [&] {
      Lines log = LogList(w);
      return std::any_of(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(c.answer, 0) == 0; });
    };
    EXPECT_TRUE(SpinUntil(answered, 60000)) << c.word << ": the mailbox holds \"" << Mode() << "\"";
    EXPECT_EQ(platform::SplitLines(ReadFile(install_ / "ryxcontrol.runs")).size(), 6u) << c.word;  // one reset
    if (!w.Ended()) w.Form_Unload();
  }
}

TEST_F(MonitorWindow, TheStartUpDialogKeepsTheRunValueAndTheLoginEntryInStep) {
  const std::string key = monitor::kRunKey;
  auto runValue = [&]() -> std::string {
    auto v = platform::Registry::Query(platform::RegistryRoot::LocalMachine, key, "Ryx Monitor");
    return v ? v->text : "(none)";
  };
  auto entry = [] { return platform::AutostartProgram(monitor::kAutostartId).value_or("(none)"); };
  {
    monitor::frmStartUp dialog(install_.Folder(), "watchpost");
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Startup Settings");
    EXPECT_EQ(dialog.chkStartup->text().toStdString(), "Launch the Heliryx Monitor when Windows starts");
    EXPECT_FALSE(dialog.chkStartup->isChecked());
    dialog.chkStartup->setChecked(true);
    dialog.cmdOk->click();
  }
  EXPECT_EQ(runValue(), "\"" + install_.Folder() + "/watchpost\"");
  EXPECT_EQ(entry(), install_.Folder() + "/watchpost");

  // A value from a copy in another folder counts as set; saving takes this copy's path.
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, key, "Ryx Monitor", "  \"/opt/other/WATCHPOST\" ");
  {
    monitor::frmStartUp dialog(install_.Folder(), "watchpost");
    EXPECT_TRUE(dialog.chkStartup->isChecked());
    dialog.close();  // the close box applies the choice as well
  }
  EXPECT_EQ(runValue(), "\"" + install_.Folder() + "/watchpost\"");
  {
    monitor::frmStartUp dialog(install_.Folder(), "watchpost");
    dialog.chkStartup->setChecked(false);
    dialog.cmdOk->click();
  }
  EXPECT_EQ(runValue(), "(none)");
  EXPECT_EQ(entry(), "(none)");
  monitor::frmStartUp again(install_.Folder(), "watchpost");
  EXPECT_FALSE(again.chkStartup->isChecked());
  again.cmdOk->click();  // removing what is already gone is no error
  EXPECT_EQ(runValue(), "(none)");
}

TEST_F(MonitorWindow, TheStartUpDialogOpensNotModallyFromTheMenu) {
  monitor::frmMain w("", install_.Folder());
  Menu<QAction>(w, "mnuStartup")->trigger();
  auto dialogs = w.findChildren<monitor::frmStartUp*>();
  ASSERT_EQ(dialogs.size(), 1);
  EXPECT_TRUE(dialogs[0]->isVisible());
  EXPECT_FALSE(dialogs[0]->isModal());
  Menu<QAction>(w, "mnuStartup")->trigger();  // a second choice brings the same one forward
  EXPECT_EQ(w.findChildren<monitor::frmStartUp*>().size(), 1);
  dialogs[0]->close();
}

// The polling timer keeps firing while a menu command waits for its Ryxcontrol
// runs; a tick must not start inside the command: it would read the mailbox
// half-way through a suspend (and resume at once), or start runs of its own
// beside the command's.
TEST_F(MonitorWindow, NoTickStartsWhileAMenuCommandWaitsForItsRuns) {
  // A slow tool that notes every run that starts while another is going on.
  platform::RemoveFile(install_ / "ryxcontrol");  // a link to the build's own tool
  WriteFile(install_ / "ryxcontrol",
            "#!/bin/sh\n"
            "if mkdir \"$0.lock\" 2>/dev/null; then own=1; else echo \"$*\" >> \"$0.overlaps\"; fi\n"
            "echo \"$*\" >> \"$0.runs\"\nsleep 0.3\n[ -n \"$own\" ] && rmdir \"$0.lock\"\n");
  ::chmod((install_ / "ryxcontrol").c_str(), 0755);
  AddProgram("pointerly");
  const std::string exe = GameExeName("nestedtick");
  WriteFile(install_ / "scg/game.scg", monitor_test::ScgText({{"EXECUTABLE", "\"" + exe + "\""}}));
  TempFolder games;
  std::filesystem::copy_file("/bin/sleep", games / exe);
  struct Case {
    std::string name;
    std::function<QAction*(monitor::frmMain&)> item;
    std::string mode;  // the monitor's own mode after the command, and the file's
    bool suspendChecked;
  } cases[] = {
      {"suspend", [](monitor::frmMain& w) { return Menu<QAction>(w, "mPopupSuspend"); }, "SUSPEND", true},
      {"emulator switch", [](monitor::frmMain& w) { return Menu<QAction>(w, "mnuPointerly"); }, "ACTIVE", false},
  };
  for (const Case& c : cases) {
    platform::RemoveFile(install_ / "ryxcontrol.runs");
    platform::RemoveFile(install_ / "ryxcontrol.overlaps");
    // A watched game runs; the first tick comes while the command's six runs (1.8 s) go on.
    ChildProcess game(games / exe, {"3"});
    monitor::frmMain w("-r 1", install_.Folder());
    w.Form_Load();
    ASSERT_FALSE(w.Ended());
    // Chosen from the running event loop, as the player does.
    QTimer::singleShot(0, &w, [&] {
      c.item(w)->trigger();
      QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_EQ(ReadFile(install_ / "ryxcontrol.overlaps"), "") << c.name;
    EXPECT_EQ(platform::SplitLines(ReadFile(install_ / "ryxcontrol.runs")).size(), 6u) << c.name;
    EXPECT_EQ(w.State().CurrentMode, c.mode) << c.name;
    EXPECT_EQ(Mode(), c.mode) << c.name;
    EXPECT_EQ(Menu<QAction>(w, "mPopupSuspend")->isChecked(), c.suspendChecked) << c.name;
    w.Form_Unload();
  }
}

// A hung tool: the menu's Exit still ends the monitor at once, and a run that
// outlasts the limit is ended and logged while the monitor goes on.
TEST_F(MonitorWindow, AHungToolNeitherHoldsTheExitNorStopsTheMonitor) {
  platform::RemoveFile(install_ / "ryxcontrol");  // a link to the build's own tool
  const std::string exe = GameExeName("hungtool");
  WriteFile(install_ / "scg/game.scg", monitor_test::ScgText({{"EXECUTABLE", "\"" + exe + "\""}}));
  TempFolder games;
  std::filesystem::copy_file("/bin/sleep", games / exe);
  struct Case {
    const char* name;
    const char* tool;  // hangs in every run, or only in "--set-defaults"
    int limitMs;
    bool exits;  // the player chooses Exit once the tool hangs
  } cases[] = {
      {"exit", "echo \"$*\" >> \"$0.runs\"\nexec sleep 100000\n", platform::kRunLimitMs, true},
      // The limit holds for every run: far beyond what a run of the script takes
      // on a busy machine, so that only the hung ones outlast it.
      {"limit", "echo \"$*\" >> \"$0.runs\"\n[ \"$1\" = --set-defaults ] && exec sleep 100000\nexit 0\n", 2500, false},
  };
  for (const Case& c : cases) {
    WriteFile(install_ / "ryxcontrol", std::string("#!/bin/sh\n") + c.tool);
    ::chmod((install_ / "ryxcontrol").c_str(), 0755);
    platform::RemoveFile(install_ / "ryxcontrol.runs");
    ChildProcess game(games / exe, {"60"});
    monitor::frmMain w("-r 1", install_.Folder());
    w.Runner().SetLimitMs(c.limitMs);
    platform::LeaveEventLoopOnEnd(w.End());
    w.Form_Load();
    ASSERT_FALSE(w.Ended()) << c.name;
    auto runs = [&] { return platform::SplitLines(ReadFile(install_ / "ryxcontrol.runs")); };
    QElapsedTimer sinceExit;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (c.exits && !sinceExit.isValid() && !runs().empty()) {
        sinceExit.start();
        Menu<QAction>(w, "mPopupExit")->trigger();
      }
      if (c.exits) return;
      // The hung first run was ended and the activation went on: the game's end
      // is still seen, and the exit step's reset goes on past its own hung run.
      Lines now = runs();
      if (now.size() >= 8 && game.Running()) game.Terminate();
      if (std::count(now.begin(), now.end(), "--set-defaults") == 2 && now.back() == "--reset-sensitivity-curve 5")
        QCoreApplication::exit(0);
    });
    watch.start(20);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    giveUp.start(60000);
    EXPECT_EQ(QCoreApplication::exec(), 0) << c.name;

    Lines log = LogList(w);
    if (c.exits) {
      EXPECT_LT(sinceExit.elapsed(), 2000) << c.name;
      EXPECT_TRUE(w.Ended()) << c.name;
      EXPECT_EQ(runs(), Lines{"--set-defaults"}) << c.name;  // the rest of the sequence was dropped
      EXPECT_EQ(Mode(), "") << c.name;
      EXPECT_EQ(log.back(), "Monitor ended: Exit chosen from the menu") << c.name;
    } else {
      EXPECT_FALSE(w.Ended()) << c.name;
      EXPECT_EQ(runs()[1], "--reset-sensitivity-curve 1") << c.name;
      EXPECT_EQ(std::count_if(log.begin(), log.end(),
                              [](const std::string& l) {
                                return l.rfind("Ended a run that lasted over 2.5 seconds: ", 0) == 0 &&
                                       l.find("--set-defaults") != std::string::npos;
                              }),
                2)
          << c.name;
      w.Form_Unload();
    }
  }
}
