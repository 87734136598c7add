// Tunedeck's start-up: the command line, the configuration folder, the single
// instance, the monitor's hand-shake, and the real program ended by a signal.
#include "editor/editor_start.h"
#include "editor/editor_switches.h"
#include "editor/tests/editor_fixture.h"
#include "platform/file_system.h"

#include <QComboBox>
#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace editor;
using namespace editor_testing;
using namespace testing_support;
using Outcome = EditorSwitches::Outcome;

TEST(EditorSwitchesTest, WordsAreSwitchesInAnyCaseAndAnythingElseIsTheUsageBox) {
  struct Case {
    std::string line;
    Outcome outcome;
    bool skip;
  };
  for (const Case& c : std::vector<Case>{{"", Outcome::Run, false},
                                         {"-s", Outcome::Run, true},
                                         {"/SKIPOSCHECK -S", Outcome::Run, true},
                                         {"-K", Outcome::Kill, false},
                                         {"/kill", Outcome::Kill, false},
                                         {"-s -k", Outcome::Kill, true},
                                         {"-k -x", Outcome::Kill, false},   // words after the kill switch are not read
                                         {"-s  -k", Outcome::Usage, true},  // the empty word between two blanks
                                         {"-?", Outcome::Usage, false},
                                         {" ", Outcome::Usage, false}}) {
    EditorSwitches switches = ParseEditorSwitches(c.line);
    EXPECT_EQ(switches.outcome, c.outcome) << '"' << c.line << '"';
    EXPECT_EQ(switches.skipOsCheck, c.skip) << '"' << c.line << '"';
  }
}

namespace {

struct Started {
  bool running;
  std::vector<std::string> boxes;
};

Started Start(const EditorFolder& folder, const std::string& commandLine) {
  Answers answers;
  EditorStart start(commandLine, folder.Path());
  bool running = start.Main();
  if (running) start.Window()->Terminate();
  return {running, answers.Texts()};
}

}  // namespace

TEST(EditorStartTest, TheKillSwitchEmptiesTheMonitorsModeOnlyWhenItsFileExists) {
  EditorFolder folder;
  Started withoutIni = Start(folder, "-K");
  EXPECT_FALSE(withoutIni.running);
  EXPECT_FALSE(platform::FileExists(folder / "watchpost.ini"));
  EXPECT_FALSE(platform::FileExists(folder / "tunedeck.ini"));

  WriteFile(folder / "watchpost.ini", "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  EXPECT_FALSE(Start(folder, "-s -kill").running);
  EXPECT_EQ(ReadFile(folder / "watchpost.ini"), "[APPLICATION]\r\nMODE=\r\n");
  EXPECT_TRUE(withoutIni.boxes.empty());
}

TEST(EditorStartTest, UsageBoxAndFatalStarts) {
  EditorFolder folder;
  WriteFile(folder / "watchpost.ini", "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  const std::string usage =
      "Heliryx 360 Customizer: Command line Options:\r\n\r\n-s to skip Windows 2000/XP check\r\n"
      "-? to bring up this dialog";
  for (const char* line : {"-?", "-s  -k", "-s extra"}) {
    Started started = Start(folder, line);
    EXPECT_FALSE(started.running) << line;
    EXPECT_EQ(started.boxes, std::vector<std::string>{usage}) << line;
  }
  EXPECT_EQ(ReadFile(folder / "watchpost.ini"), "[APPLICATION]\r\nMODE=ACTIVE\r\n");

  EXPECT_TRUE(Start(folder, "-S").running);

  TempFolder empty;
  MakeFolders(empty / "scg");
  WriteFile(empty / "scg/hidden.scg", "[VERSION]\r\nVERSION=6.1\r\n[CONFIGURATION]\r\nHIDE_FILE=TRUE\r\n");
  WriteFile(empty / "scg/upper.SCG", HalfLifeScg());
  Answers answers;
  {
    EditorStart start("", empty.Path());
    EXPECT_FALSE(start.Main());
    EXPECT_EQ(start.ExitCode(), 1);
  }
  TempFolder missing;
  {
    EditorStart start("-k", missing.Path());  // the folder is checked before the command line
    EXPECT_FALSE(start.Main());
  }
  EXPECT_EQ(answers.Texts(), (std::vector<std::string>{
                                 "Critical Error: No configuration files found in folder " + empty.Path() + "/scg/",
                                 "Critical Error: Configuration file folder " + missing.Path() + "/scg/ not found."}));
}

TEST(EditorStartTest, ASecondStartBringsTheRunningEditorForwardAndEnds) {
  EditorFolder folder;
  Answers answers;
  EditorStart first("", folder.Path());
  ASSERT_TRUE(first.Main());
  first.Window()->showMinimized();
  ASSERT_TRUE(first.Window()->isMinimized());
  {
    // Before the command line: even a kill switch only brings the editor forward.
    WriteFile(folder / "watchpost.ini", "[APPLICATION]\r\nMODE=SUSPEND\r\n");
    EditorStart second("-k", folder.Path());
    EXPECT_FALSE(second.Main());
    EXPECT_EQ(second.Window(), nullptr);
    EXPECT_EQ(second.Splash(), nullptr);
  }
  EXPECT_TRUE(SpinUntil([&] { return !first.Window()->isMinimized(); }));
  EXPECT_EQ(ReadFile(folder / "watchpost.ini"), "[APPLICATION]\r\nMODE=SUSPEND\r\n");
  EXPECT_FALSE(first.Window()->Ended());
  first.Window()->Terminate();
}

TEST(EditorStartTest, TheMonitorIsPausedWhileTheEditorRuns) {
  struct Case {
    const char* before;
    const char* during;
    const char* after;
  };
  for (const Case& c : std::vector<Case>{
           {"ACTIVE", "SUSPEND", "ACTIVE"}, {"SUSPEND", "SUSPEND", "ACTIVE"}, {"KILL", "KILL", "KILL"}, {"", "", ""}}) {
    EditorFolder folder;
    WriteFile(folder / "watchpost.ini", std::string("[APPLICATION]\r\nMODE=") + c.before + "\r\n");
    Answers answers;
    EditorStart start("", folder.Path());
    ASSERT_TRUE(start.Main());
    EXPECT_EQ(ReadFile(folder / "watchpost.ini"), std::string("[APPLICATION]\r\nMODE=") + c.during + "\r\n");
    start.Window()->cmdExit_Click();
    EXPECT_TRUE(start.Window()->Ended());
    EXPECT_EQ(ReadFile(folder / "watchpost.ini"), std::string("[APPLICATION]\r\nMODE=") + c.after + "\r\n");
  }
  EditorFolder noMonitor;
  EXPECT_TRUE(Start(noMonitor, "").running);
  EXPECT_FALSE(platform::FileExists(noMonitor / "watchpost.ini"));
}

TEST(EditorStartTest, TheGamePlayedLastIsChosenOnlyWhenTunedeckIniNamesItExactly) {
  struct Case {
    std::string ini;
    std::string shown;
  };
  for (const Case& c : std::vector<Case>{{"[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=beta.scg\r\n", "Beta Game"},
                                         {"[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=Beta.scg\r\n", "Alpha Game"},
                                         {"[Version]\r\nVersion=5.10\r\n[Games]\r\nCurrent=beta.scg\r\n", "Alpha Game"},
                                         {"[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=gone.scg\r\n", "Alpha Game"},
                                         {"", "Alpha Game"}}) {
    EditorFolder folder;
    if (!c.ini.empty()) WriteFile(folder / "tunedeck.ini", c.ini);
    Answers answers;
    EditorStart start("", folder.Path());
    ASSERT_TRUE(start.Main());
    frmMain& window = *start.Window();
    EXPECT_EQ(Ctl<QComboBox>(window, "cboGameList")->currentText().trimmed().toStdString(), c.shown) << c.ini;
    EXPECT_EQ(window.GameConfig.APPLICATION_NAME, c.shown);
    EXPECT_TRUE(answers.boxes.empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(start.Splash(), nullptr);  // taken away at the end of the load
    window.cmdExit_Click();
    std::string file = c.shown == "Beta Game" ? "beta.scg" : "alpha.scg";
    EXPECT_EQ(ReadFile(folder / "tunedeck.ini"), "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=" + file + "\r\n");
  }
}

TEST(TunedeckProgram, EndedBySigtermItWritesItsSettingsAndSavesNothing) {
  TempInstall install({"tunedeck"});
  WriteFile(install / "scg/halflife.scg", HalfLifeScg());
  WriteFile(install / "scg/quake3.scg", ReadFile(std::string(HELIRYX_SOURCE_DIR) + "/install/scg/quake3.scg"));
  WriteFile(install / "watchpost.ini", "[VERSION]\r\nVERSION=5.1\r\n[APPLICATION]\r\nMODE=ACTIVE\r\n");
  WriteFile(install / "tunedeck.ini", "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=quake3.scg\r\n");
  const std::string quake = ReadFile(install / "scg/quake3.scg");
  ChildProcess editor(install / "tunedeck", {}, install.Environment());
  ASSERT_TRUE(WaitUntil([&] { return platform::FileExists(install / "before.scg"); })) << editor.Stderr();
  EXPECT_NE(ReadFile(install / "watchpost.ini").find("MODE=SUSPEND"), std::string::npos);

  // A second start, kill switch and all, changes nothing while the editor runs.
  RunResult second = RunProgram(install / "tunedeck", {"-k"}, install.Environment());
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.err, "");
  EXPECT_TRUE(editor.Running());
  EXPECT_NE(ReadFile(install / "watchpost.ini").find("MODE=SUSPEND"), std::string::npos);

  editor.Terminate();
  EXPECT_EQ(editor.Wait(), 0);
  EXPECT_EQ(ReadFile(install / "watchpost.ini"), "[VERSION]\r\nVERSION=5.1\r\n[APPLICATION]\r\nMODE=ACTIVE\r\n");
  EXPECT_EQ(ReadFile(install / "tunedeck.ini"), "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=quake3.scg\r\n");
  EXPECT_EQ(ReadFile(install / "scg/quake3.scg"), quake);
  EXPECT_EQ(editor.Stderr().find("[message box]"), std::string::npos) << editor.Stderr();
}

// The monitor suspends itself before it starts the editor: an editor that ends
// at start-up over a settings file it cannot write hands the monitor back.
TEST(TunedeckProgram, ASettingsFileItCannotWriteEndsItAndHandsTheMonitorBack) {
  for (std::string mode : {"SUSPEND", "ACTIVE", "KILL"}) {
    SCOPED_TRACE(mode);
    TempInstall install({"tunedeck"});
    WriteFile(install / "scg/halflife.scg", HalfLifeScg());
    WriteFile(install / "watchpost.ini", "[VERSION]\r\nVERSION=5.1\r\n[APPLICATION]\r\nMODE=" + mode + "\r\n");
    WriteFile(install / "tunedeck.ini", "[Version]\r\nVersion=5.1\r\n");
    ASSERT_EQ(::chmod((install / "tunedeck.ini").c_str(), 0444), 0);
    RunResult run = RunProgram(install / "tunedeck", {}, install.Environment());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("Critical Error: Cannot write " + install / "tunedeck.ini"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(install / "watchpost.ini"), "[VERSION]\r\nVERSION=5.1\r\n[APPLICATION]\r\nMODE=" +
                                                       (mode == "SUSPEND" ? std::string("ACTIVE") : mode) + "\r\n");
  }
}

TEST(TunedeckProgram, UnderAnXServerItShowsItsWindowAndLeavesOnSigterm) {
  std::string xvfbRun = FindOnPath("xvfb-run");
  if (xvfbRun.empty()) GTEST_SKIP() << "xvfb-run is missing (Debian package xvfb)";
  TempInstall install({"tunedeck"});
  WriteFile(install / "scg/halflife.scg", HalfLifeScg());
  WriteFile(install / "watchpost.ini", "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  const std::string original = ReadFile(install / "scg/halflife.scg");
  // Inside the X server: start the editor, wait for its configuration to be
  // read and (where xwininfo exists) for its window to be mapped, then end it.
  const std::string script = R"(
    env -u QT_QPA_PLATFORM "$1" & pid=$!
    i=0; while [ ! -f "$2/before.scg" ] && [ $i -lt 1200 ]; do sleep 0.05; i=$((i+1)); done
    if command -v xwininfo >/dev/null; then
      # Said by the look that saw it: a later look may meet a window going away.
      i=0; until xwininfo -root -tree 2>/dev/null | grep -q '"Heliryx 360 Customizer"' && echo "window shown"; do
        [ $i -ge 1200 ] && break; sleep 0.05; i=$((i+1)); done
    else
      echo "window shown"
    fi
    grep -q MODE=SUSPEND "$2/watchpost.ini" && echo "monitor paused"
    kill -TERM $pid; wait $pid; echo "exit $?")";
  auto env = install.Environment();
  env["LSAN_OPTIONS"] = "suppressions=" X_SESSION_LSAN_SUPPRESSIONS;  // Qt's X plugin keeps D-Bus buffers
  RunResult run =
      RunProgram(xvfbRun, {"-a", "/bin/sh", "-c", script, "sh", install / "tunedeck", install.Folder()}, env, 200000);
  EXPECT_EQ(run.out, "window shown\nmonitor paused\nexit 0\n") << run.err;
  EXPECT_EQ(ReadFile(install / "watchpost.ini"), "[APPLICATION]\r\nMODE=ACTIVE\r\n");
  EXPECT_EQ(ReadFile(install / "tunedeck.ini"), "[Version]\r\nVersion=5.1\r\n[Games]\r\nCurrent=halflife.scg\r\n");
  EXPECT_EQ(ReadFile(install / "scg/halflife.scg"), original);
}

TEST(EditorScreenshots, TheScriptRendersTheWindowAndEachPage) {
  TempFolder out;
  std::string build = std::string(HELIRYX_INSTALL_DIR) + "/..";
  RunResult run =
      RunProgram("/bin/sh", {std::string(HELIRYX_SOURCE_DIR) + "/tools/editor_screenshots.sh", out.Path(), build});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EditorFolder folder;
  frmMain window(folder.Path());
  for (const char* name : {"main-window", "page-0-sensitivity", "page-1-motions-and-actions", "page-2-mouse-keyboard",
                           "page-1-chording-vertical-hover"}) {
    QImage image(QString::fromStdString(out / (std::string(name) + ".png")));
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size(), window.size()) << name;
  }
  // Each page once more with a part of the controller lit.
  for (const char* page : {"page-0-sensitivity", "page-1-motions-and-actions", "page-2-mouse-keyboard"}) {
    QImage plain(QString::fromStdString(out / (std::string(page) + ".png")));
    QImage lit(QString::fromStdString(out / (std::string(page) + "-hover.png")));
    ASSERT_EQ(lit.size(), plain.size()) << page;
    EXPECT_NE(lit, plain) << page;
  }
  EXPECT_FALSE(QImage(QString::fromStdString(out / "splash.png")).isNull());
}
