// "Activate Current Settings", the curve slots and the export, with the real
// stand-in control tool (or a script in its place where a test needs a tool
// that waits or hangs), its record ryxcontrol.log, and real files.
#include "config_store/ryx_command_file.h"
#include "editor/main_window.h"
#include "editor/pages/sensitivity_page.h"
#include "editor/selection.h"
#include "editor/tests/editor_fixture.h"
#include "editor/tests/saved_keys.h"
#include "platform/file_system.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace editor;
using namespace editor_testing;
using namespace testing_support;
using platform::MsgIcon;
using platform::MsgResult;
using Lines = std::vector<std::string>;

namespace {

class ActivateTest : public EditedGameTest {
 protected:
  frmMain& Load(const Replacements& replacements = {}) { return EditedGameTest::Load(replacements); }
  std::string Tool() const { return folder / "ryxcontrol"; }
  // The real stand-in, under `name` in the program folder.
  void InstallTool(const std::string& name = "ryxcontrol") {
    std::filesystem::copy_file(std::string(HELIRYX_INSTALL_DIR) + "/ryxcontrol", folder / name);
  }
  // A script in the tool's place.
  void InstallScript(const std::string& body) {
    WriteFile(Tool(), "#!/bin/sh\nd=$(dirname \"$0\")\n" + body);
    ::chmod(Tool().c_str(), 0755);
  }
  // The real tool behind a script that, while the file "hold" exists, notes
  // its pid in "held" and waits.
  void InstallHeldTool() {
    InstallTool("ryxcontrol.real");
    InstallScript(
        "if [ -e \"$d/hold\" ]; then echo $$ >> \"$d/held\"; while [ -e \"$d/hold\" ]; do sleep 0.02; done; fi\n"
        "exec \"$d/ryxcontrol.real\" \"$@\"\n");
  }
  Lines Record() const { return platform::SplitLines(ReadFile(folder / "ryxcontrol.log")); }
  // What the tool must have been told: the defaults, then each line of active.ryx.
  Lines ExpectedRuns() const {
    Lines runs{"--set-defaults"};
    for (const std::string& line : platform::SplitLines(ReadFile(folder / "active.ryx"))) runs.push_back(line);
    return runs;
  }
  std::vector<int> Pids(const std::string& file) const {
    std::vector<int> pids;
    for (const std::string& line : platform::SplitLines(ReadFile(folder / file)))
      pids.push_back(std::atoi(line.c_str()));
    return pids;
  }
  void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  // Runs `action` once `condition` holds, from the event loop (inside the runs' wait).
  void WhenReady(std::function<bool()> condition, std::function<void()> action) {
    auto* timer = new QTimer(window);
    QObject::connect(timer, &QTimer::timeout, [timer, condition, action] {
      if (!condition()) return;
      timer->stop();
      action();
    });
    timer->start(10);
  }
};

}  // namespace

TEST_F(ActivateTest, TheToolIsToldTheDefaultsAndThenEachLineInOrder) {
  const std::string tool = folder / "ryxcontrol";
  struct Case {
    const char* name;
    std::function<void()> setUp;
    bool runs;  // the record holds the runs
    std::string title;
    std::string text;  // the box's text, or its beginning ("...")
    MsgIcon icon;
  } cases[] = {
      {"the tool in place", [&] { InstallTool(); }, true, kEditorTitle, "Current settings successfully loaded.",
       MsgIcon::None},
      {"no tool", [] {}, false, "File Not Found",
       "Ryxcontrol application " + tool + " does not exist.  Settings not applied.", MsgIcon::Critical},
      {"a tool that may not be run",
       [&] {
         InstallTool();
         ::chmod(tool.c_str(), 0644);
       },
       false, kEditorTitle,
       "Ryxcontrol application " + tool +
           " did not apply every setting:\r\n--set-defaults   (could not be started)\r\n"
           "--reset-sensitivity-curve 0   (could not be started)...",
       MsgIcon::Critical},
  };
  // A curve in a folder with a blank reaches the tool as one argument.
  MakeFolders(folder / "crv/my curves");
  WriteFile(folder / "crv/my curves/precise.crv", "curve");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::RemoveFile(tool);
    platform::RemoveFile(folder / "ryxcontrol.log");
    platform::RemoveFile(folder / "active.ryx");
    answers.boxes.clear();
    c.setUp();
    frmMain& w = Load({{"CURVE_2_USER=\"\"", "CURVE_2_USER=\".\\crv\\my curves\\precise.crv\""}});
    Click(Ctl<QPushButton>(w, "cmdApplySettings"));
    // active.ryx is written first, whatever follows.
    Lines written = platform::SplitLines(ReadFile(folder / "active.ryx"));
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written[6], "--upload-sensitivity-curve 2 \"" + folder.Path() + "/crv/my curves/precise.crv\"");
    EXPECT_EQ(Record(), c.runs ? ExpectedRuns() : Lines{});
    ASSERT_EQ(answers.boxes.size(), 1u);
    const platform::MsgBoxRequest& box = answers.boxes[0];
    EXPECT_EQ(box.title, c.title);
    if (c.text.ends_with("..."))
      EXPECT_EQ(box.text.substr(0, c.text.size() - 3), c.text.substr(0, c.text.size() - 3));
    else
      EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.icon, c.icon);
    window->Terminate();
  }
}

TEST_F(ActivateTest, ASecondActivateDuringTheRunsFollowsThem) {
  InstallHeldTool();
  WriteFile(folder / "hold", "");
  frmMain& w = Load();
  WhenReady([&] { return !Pids("held").empty(); },
            [&] {
              // The first run waits: this click comes in the middle of the runs.
              EXPECT_TRUE(w.Activating());
              Click(Ctl<QPushButton>(w, "cmdApplySettings"));
              platform::RemoveFile(folder / "hold");
            });
  Click(Ctl<QPushButton>(w, "cmdApplySettings"));
  Lines once = ExpectedRuns(), twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  // One whole sequence after the other, never mixed.
  EXPECT_EQ(Record(), twice);
  EXPECT_FALSE(w.Activating());
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].text, "Current settings successfully loaded.");
}

// A hung tool does not keep the editor from ending: the quit ends the run (the
// tool is asked to end, and killed when it will not), no further run starts,
// and the window ends after the handler has returned.
TEST_F(ActivateTest, AQuitDuringAHungRunEndsTheRunAndTheEditor) {
  struct Case {
    const char* name;
    const char* trap;
    std::function<void(frmMain&)> quit;
    size_t questions;  // save questions asked (an edit is pending in the cases that ask)
  } cases[] = {
      {"Exit", "", [this](frmMain& w) { Click(Ctl<QPushButton>(w, "cmdExit")); }, 0},
      {"the title-bar close", "trap '' TERM\n", [](frmMain& w) { w.close(); }, 0},
      {"a termination signal", "", [](frmMain& w) { w.Terminate(); }, 0},
      // The first Exit's question is answered (its default saves); the second asks nothing.
      {"Exit twice with an edit pending", "",
       [this](frmMain& w) {
         Click(Ctl<QPushButton>(w, "cmdExit"));
         Click(Ctl<QPushButton>(w, "cmdExit"));
       },
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::RemoveFile(folder / "ryxcontrol.pids");
    InstallScript(std::string(c.trap) + "echo $$ >> \"$0.pids\"\nexec sleep 100000\n");
    answers.boxes.clear();
    frmMain& w = Load();
    if (c.questions) Ctl<QSlider>(w, "sldNull")->setValue(20);
    QElapsedTimer sinceQuit;
    WhenReady([&] { return !Pids("ryxcontrol.pids").empty(); },
              [&] {
                sinceQuit.start();
                c.quit(w);
                // Not inside the handler: the window is still there.
                EXPECT_FALSE(w.Ended());
              });
    Click(Ctl<QPushButton>(w, "cmdApplySettings"));
    EXPECT_LT(sinceQuit.elapsed(), 2000);
    EXPECT_TRUE(w.Ended());
    ASSERT_EQ(Pids("ryxcontrol.pids").size(), 1u);
    EXPECT_NE(::kill(Pids("ryxcontrol.pids")[0], 0), 0) << "the tool still runs";
    EXPECT_EQ(answers.boxes.size(), c.questions);
    std::filesystem::remove(Tool());
  }
}

TEST_F(ActivateTest, ARunPastTheLimitIsEndedAndTheOthersGoOn) {
  InstallTool("ryxcontrol.real");
  InstallScript("case \"$1\" in --set-null-region) exec sleep 100000;; esac\nexec \"$d/ryxcontrol.real\" \"$@\"\n");
  frmMain& w = Load();
  // The limit holds for every run: far beyond what a run of the tool takes on a
  // busy machine, so that only the hung one outlasts it.
  w.activateRunLimitMs = 2500;
  Click(Ctl<QPushButton>(w, "cmdApplySettings"));
  Lines expected;
  for (const std::string& line : ExpectedRuns())
    if (line != "--set-null-region 8") expected.push_back(line);
  EXPECT_EQ(Record(), expected);
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].icon, MsgIcon::Critical);
  EXPECT_NE(answers.boxes[0].text.find("\r\n--set-null-region 8   (ran too long and was ended)\r\n"), std::string::npos)
      << answers.boxes[0].text;
}

TEST_F(ActivateTest, CurvesAreLoadedIntoTheSelectedSlotAndReset) {
  MakeFolders(folder / "crv");
  WriteFile(folder / "crv/steep.crv", "curve");
  WriteFile(folder / "crv/odd\"name.crv", "curve");
  frmMain& w = Load();
  // The button captioned "3" is slot 4: key CURVE_3_USER.
  Click(Ctl<QRadioButton>(w, "optSensCurves", 4));
  ASSERT_EQ(w.Sensitivity().CurveSlot(), 4);
  struct Step {
    const char* name;
    std::function<void()> act;
    std::string saved;  // CURVE_3_USER as saved, "" for the unedited value
    bool bold;
    std::string boxTitle;
  } steps[] = {
      {"load",
       [&] {
         answers.files = {{folder / "crv/steep.crv", "steep.crv"}};
         Click(Ctl<QPushButton>(w, "cmdCurveLoad"));
       },
       "\".\\crv\\steep.crv\"", true, ""},
      {"a name with a quote is refused",
       [&] {
         answers.files = {{folder / "crv/odd\"name.crv", "odd\"name.crv"}};
         Click(Ctl<QPushButton>(w, "cmdCurveLoad"));
       },
       "\".\\crv\\steep.crv\"", true, "Sensitivity Curve"},
      {"cancel", [&] { Click(Ctl<QPushButton>(w, "cmdCurveLoad")); }, "\".\\crv\\steep.crv\"", true, ""},
      {"reset", [&] { Click(Ctl<QPushButton>(w, "cmdCurveReset")); }, "", false, ""},
      {"load again, then a name that does not exist",
       [&] {
         answers.files = {{folder / "crv/steep.crv", "steep.crv"}, {folder / "crv/none.crv", "none.crv"}};
         Click(Ctl<QPushButton>(w, "cmdCurveLoad"));
         Click(Ctl<QPushButton>(w, "cmdCurveLoad"));
       },
       "", false, ""},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    answers.boxes.clear();
    step.act();
    ASSERT_TRUE(w.SaveChanges(folder.Scg("alpha.scg")));
    auto changed = ChangedKeys(folder / "unedited.scg", folder.Scg("alpha.scg"));
    std::map<std::string, std::string> expected;
    if (!step.saved.empty()) expected["CURVE_3_USER"] = step.saved;
    EXPECT_EQ(changed, expected);
    EXPECT_EQ(Ctl<QRadioButton>(w, "optSensCurves", 4)->font().bold(), step.bold);
    EXPECT_EQ(Ctl<QRadioButton>(w, "optSensCurves", 4)->toolTip().toStdString(),
              step.bold ? folder / "crv/steep.crv" : "Default Curve");
    EXPECT_EQ(answers.boxes.empty() ? "" : answers.boxes[0].title, step.boxTitle);
  }
  for (const platform::FileDialogRequest& dialog : answers.dialogs) {
    EXPECT_FALSE(dialog.save);
    EXPECT_EQ(dialog.initialFolder, folder / "crv/");
    EXPECT_EQ(dialog.filter, "Sensitivity Curve Files (*.crv)|*.crv|All Files (*.*)|*.*");
  }
}

TEST_F(ActivateTest, ACurveDownloadIsStartedAndNotAwaited) {
  InstallHeldTool();
  MakeFolders(folder / "crv/my curves");
  WriteFile(folder / "crv/my curves/taken.crv", "old");
  WriteFile(folder / "hold", "");
  frmMain& w = Load();
  Click(Ctl<QRadioButton>(w, "optSensCurves", 6));
  const std::string target = folder / "crv/my curves/new.crv";
  // The first name exists: No asks again.
  answers.files = {{folder / "crv/my curves/taken.crv", "taken.crv"}, {target, "new.crv"}};
  answers.replies = {MsgResult::No};
  Click(Ctl<QPushButton>(w, "cmdCurveSave"));
  // The handler is back while the tool still waits.
  ASSERT_TRUE(SpinUntil([&] { return !Pids("held").empty(); }));
  EXPECT_EQ(ReadFile(folder / "ryxcontrol.log"), "");
  platform::RemoveFile(folder / "hold");
  // The tool numbers its curves 0 to 5: the button captioned "5" is its curve 5.
  ASSERT_TRUE(SpinUntil([&] { return !Record().empty(); }));
  EXPECT_EQ(Record(), Lines{"--download-sensitivity-curve 5 \"" + target + "\""});
  EXPECT_TRUE(platform::FileExists(target));
  EXPECT_EQ(ReadFile(folder / "crv/my curves/taken.crv"), "old");
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].title, "File Exists");
  EXPECT_EQ(answers.boxes[0].text, "Sensitivity curve file taken.crv already exists.  Would you like to overwrite it?");
  ASSERT_EQ(answers.dialogs.size(), 2u);
  EXPECT_TRUE(answers.dialogs[1].save);
  EXPECT_EQ(answers.dialogs[1].initialFolder, folder / "crv/");
  // The tool writes its record before it ends: its end, and the reaping, come later.
  EXPECT_TRUE(SpinUntil([] { return platform::UnreapedChildren() == 0; }));

  // A path the tool could not be given as one argument is refused. A tool
  // started all the same would be held, so it would still be counted.
  WriteFile(folder / "hold", "");
  answers.boxes.clear();
  answers.files = {{folder / "crv/a\"b.crv", "a\"b.crv"}};
  Click(Ctl<QPushButton>(w, "cmdCurveSave"));
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].icon, MsgIcon::Critical);
  EXPECT_EQ(platform::UnreapedChildren(), 0);
  platform::RemoveFile(folder / "hold");
  EXPECT_EQ(Record().size(), 1u);
}

TEST_F(ActivateTest, TheExportWritesTheCommandFileOrSaysWhyNot) {
  frmMain& w = Load({{"USE_MASTER_USER=TRUE", "USE_MASTER_USER=FALSE"}});
  Ctl<QSlider>(w, "sldGain", 2)->setValue(77);
  const std::string target = folder / "ryx/race.ryx";
  answers.files = {{target, "race.ryx"}};
  Menu<QAction>(w, "mExport")->trigger();
  Lines lines = platform::SplitLines(ReadFile(target));
  EXPECT_EQ(lines, config_store::RyxCommandLines(w.GameConfig, w.Flags.SkillLevel,
                                                 config_store::AxisAssignmentsFromRecord(w.GameConfig), folder.Path()));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "--set-gain 1 77"), lines.end());
  ASSERT_EQ(answers.dialogs.size(), 1u);
  EXPECT_EQ(answers.dialogs[0].filter, "Ryxcontrol Command Files (*.ryx)|*.ryx|All Files (*.*)|*.*");
  EXPECT_EQ(answers.dialogs[0].initialFolder, folder / "ryx/");
  EXPECT_TRUE(answers.boxes.empty());

  // An existing file: Cancel writes nothing.
  WriteFile(target, "kept");
  answers.files = {{target, "race.ryx"}};
  answers.replies = {MsgResult::Cancel};
  Menu<QAction>(w, "mExport")->trigger();
  EXPECT_EQ(ReadFile(target), "kept");
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].text, "Ryxcontrol command file race.ryx already exists.  Would you like to overwrite it?");

  // A file that cannot be written says so.
  answers.boxes.clear();
  const std::string nowhere = folder / "no such folder/race.ryx";
  answers.files = {{nowhere, "race.ryx"}};
  Menu<QAction>(w, "mExport")->trigger();
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].text,
            "Ryxcontrol command file " + nowhere + " was not written: No such file or directory");
  EXPECT_EQ(answers.boxes[0].icon, MsgIcon::Critical);
}

// The real program in an X server: a click on "Activate Current Settings"
// replays the configuration through the stand-in tool.
TEST(TunedeckProgramActivates, AClickSendsTheConfigurationThroughTheTool) {
  std::string xvfbRun = FindOnPath("xvfb-run");
  if (xvfbRun.empty()) GTEST_SKIP() << "xvfb-run is missing (Debian package xvfb)";
  TempInstall install({"tunedeck", "ryxcontrol"});
  WriteFile(install / "scg/halflife.scg", HalfLifeScg());
  // The button's centre, counted from the bottom-left of the window's client area.
  const std::string script = R"sh(
    env -u QT_QPA_PLATFORM "$1" & pid=$!
    "$2" "Heliryx 360 Customizer" 725 25 || echo "no click"
    i=0; until [ -f "$3/active.ryx" ] && [ -f "$3/ryxcontrol.log" ] &&
               [ "$(wc -l < "$3/ryxcontrol.log")" -gt "$(wc -l < "$3/active.ryx")" ]; do
      [ $i -ge 2400 ] && break; sleep 0.05; i=$((i+1)); done
    kill -TERM $pid; wait $pid; echo "exit $?")sh";
  auto env = install.Environment();
  env["LSAN_OPTIONS"] = "suppressions=" X_SESSION_LSAN_SUPPRESSIONS;
  RunResult run = RunProgram(xvfbRun,
                             {"-a", "-s", "-screen 0 1280x800x24 -nolisten tcp", "/bin/sh", "-c", script, "sh",
                              install / "tunedeck", X_CLICK, install.Folder()},
                             env, 200000);
  EXPECT_EQ(run.out, "exit 0\n") << run.err;
  Lines runs{"--set-defaults"};
  for (const std::string& line : platform::SplitLines(ReadFile(install / "active.ryx"))) runs.push_back(line);
  EXPECT_GT(runs.size(), 20u);
  EXPECT_EQ(platform::SplitLines(ReadFile(install / "ryxcontrol.log")), runs) << run.err;
}
