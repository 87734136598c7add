// Run inside a desktop of its own (RunInDesktop, from desktop_session_test.cpp):
// the monitor's window in this process on a real X server, its menu as a
// StatusNotifier host and an XEmbed tray reach it, the editor that Customize
// starts, and the word the monitor says when there is no tray at all.
#include "monitor/main_window.h"

#include "config_store/profile_helpers.h"
#include "monitor/tests/scg_fixture.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "testing/status_notifier_watcher.h"
#include "testing/test_support.h"
#include "testing/window_helpers.h"
#include "testing/x_desktop.h"

#include <QAction>
#include <QMenu>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;
using Lines = std::vector<std::string>;

namespace {

class MonitorDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!desktop_.Connected()) GTEST_SKIP() << "no X display: run through RunInDesktop";
    WriteFile(install_ / "scg/game.scg", monitor_test::ScgText());
    platform::SetMsgBoxHandler([this](const platform::MsgBoxRequest& box) {
      boxes_.push_back(box.title + ": " + box.text);
      return platform::DefaultAnswer(box.buttons);
    });
  }
  void TearDown() override { platform::SetMsgBoxHandler(nullptr); }

  // A stand-in program that notes each start in a file beside it.
  void AddProgram(const std::string& name) {
    WriteFile(install_ / name, "#!/bin/sh\necho started >> \"$0.started\"\n");
    ::chmod((install_ / name).c_str(), 0755);
  }
  size_t Starts(const std::string& name) {
    return platform::SplitLines(ReadFile(install_ / (name + ".started"))).size();
  }

  XDesktop desktop_;
  TempInstall install_{{"ryxcontrol"}};
  ScopedEnv configHome_{"XDG_CONFIG_HOME", install_.ConfigHome()};
  Lines boxes_;
};

// The entries of an exported menu: captions, "-" for separators, and a check
// mark's state after the caption ("Suspend [ ]", "Suspend [x]").
Lines Entries(const MenuEntry& menu) {
  Lines entries;
  for (const MenuEntry& e : menu.children) {
    if (e.properties.value("type").toString() == "separator") {
      entries.push_back("-");
      continue;
    }
    std::string entry = e.properties.value("label").toString().toStdString();
    if (e.properties.value("toggle-type").toString() == "checkmark")
      entry += e.properties.value("toggle-state").toInt() == 1 ? " [x]" : " [ ]";
    entries.push_back(entry);
  }
  return entries;
}

int IdOf(const MenuEntry& menu, const std::string& label) {
  for (const MenuEntry& e : menu.children)
    if (e.properties.value("label").toString().toStdString() == label) return e.id;
  return -1;
}

}  // namespace

TEST_F(MonitorDesktop, AStatusNotifierHostGetsTheMenuAndItsEntriesRunTheirHandlers) {
  ChildProcess watcher(STATUS_NOTIFIER_WATCHER, {});
  ASSERT_TRUE(WaitUntil([&] { return watcher.Stdout() == "ready\n" || !watcher.Running(); }) &&
              watcher.Stdout() == "ready\n")
      << watcher.Stderr();
  AddProgram("tunedeck");
  monitor::frmMain w("", install_.Folder());
  w.Form_Load();
  ASSERT_FALSE(w.Ended());
  const std::string registered = "ready\nregistered ";
  ASSERT_TRUE(SpinUntil([&] { return watcher.Stdout().rfind(registered, 0) == 0 && watcher.Stdout().back() == '\n'; }))
      << watcher.Stdout();
  std::string service = watcher.Stdout().substr(registered.size());
  service.pop_back();
  MenuClient host(QString::fromStdString(service));
  EXPECT_NE(host.MenuPath().toStdString(), "/NO_DBUSMENU");
  MenuEntry menu = host.Layout();
  ASSERT_NE(menu.id, -1);
  EXPECT_EQ(Entries(menu), (Lines{"About...", "Customize...", "-", "*BETA* Enable Mouse * BETA* [ ]", "-",
                                  "Web update...", "Startup settings...", "-", "Suspend [ ]", "Exit"}));

  // The host's click on Customize... runs it: the monitor suspends and starts the editor.
  ASSERT_TRUE(host.Click(IdOf(menu, "Customize...")));
  ASSERT_TRUE(SpinUntil([&] { return Starts("tunedeck") == 1; }));
  EXPECT_EQ(w.State().CurrentMode, "SUSPEND");
  EXPECT_EQ(config_store::ReadIni(install_ / "watchpost.ini", "APPLICATION", "MODE"), "SUSPEND");
  // The check mark the handler set is what the host shows next.
  ASSERT_TRUE(SpinUntil([&] { return Entries(host.Layout()).at(8) == "Suspend [x]"; })) << Entries(host.Layout()).at(8);

  // Exit from the host's menu ends the monitor.
  ASSERT_TRUE(host.Click(IdOf(menu, "Exit")));
  ASSERT_TRUE(SpinUntil([&] { return w.Ended(); }));
  EXPECT_EQ(boxes_, Lines{});
}

TEST_F(MonitorDesktop, AnXEmbedTrayOpensTheMenuOnARightClick) {
  ChildProcess tray(FindOnPath("trayer"), {"--edge", "top", "--align", "right", "--widthtype", "request"});
  ASSERT_TRUE(WaitUntil([&] { return desktop_.TrayPresent(); })) << tray.Stderr();
  monitor::frmMain w("", install_.Folder());
  w.Form_Load();
  // Docked, and placed in the tray at the screen's right edge (Qt learns the
  // place a moment after the tray has taken the icon).
  ASSERT_TRUE(SpinUntil([&] { return w.Tray().Docked() && w.Tray().Geometry().x() > 0; }));
  QRect icon = w.Tray().Geometry();
  desktop_.Click(icon.center().x(), icon.center().y(), 3);
  ASSERT_TRUE(SpinUntil([&] { return Menu<QMenu>(w, "mPopupSys")->isVisible(); }));
  Menu<QMenu>(w, "mPopupSys")->hide();
  w.Form_Unload();
}

TEST_F(MonitorDesktop, CustomizeBringsTheEditorUpRestoredInFrontAndFocused) {
  ASSERT_TRUE(WaitUntil([&] { return desktop_.WindowManagerRunning(); })) << "openbox did not start";
  TempInstall install({"ryxcontrol", "tunedeck"}, true);
  ScopedEnv configHome("XDG_CONFIG_HOME", install.ConfigHome());
  monitor::frmMain w("", install.Folder());
  w.Form_Load();
  ASSERT_FALSE(w.Ended());
  Menu<QAction>(w, "mCustomize")->trigger();
  XDesktop::WindowState editor;
  ASSERT_TRUE(SpinUntil(
      [&] {
        editor = desktop_.TopLevel("Heliryx 360 Customizer");
        return editor.viewable && !editor.iconic && editor.active && editor.width > 400;
      },
      60000))
      << "found " << editor.found << ", viewable " << editor.viewable << ", iconic " << editor.iconic << ", active "
      << editor.active << ", " << editor.width << "x" << editor.height;
  EXPECT_EQ(config_store::ReadIni(install / "watchpost.ini", "APPLICATION", "MODE"), "SUSPEND");
  for (int pid : ProcessesOf(install / "tunedeck")) ::kill(pid, SIGTERM);
  EXPECT_TRUE(SpinUntil([&] { return ProcessesOf(install / "tunedeck").empty(); }));
  w.Form_Unload();
}

TEST_F(MonitorDesktop, WithoutATrayTheMonitorSaysSoOnceRunsOnAndDocksWhenOneAppears) {
  TempInstall install({"watchpost", "ryxcontrol"});
  WriteFile(install / "scg/game.scg", monitor_test::ScgText());
  auto env = install.Environment();
  env["QT_QPA_PLATFORM"] = "xcb";
  ChildProcess monitor(install / "watchpost", {"-d"}, env);
  const std::string note = "No notification area shows the monitor's icon";
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stderr().find(note) != std::string::npos; })) << monitor.Stderr();
  EXPECT_NE(monitor.Stderr().find("\"watchpost -k\" ends the monitor."), std::string::npos) << monitor.Stderr();
  EXPECT_NE(monitor.Stdout().find(note), std::string::npos);  // in its log too
  EXPECT_TRUE(monitor.Running());
  EXPECT_EQ(config_store::ReadIni(install / "watchpost.ini", "APPLICATION", "MODE"), "ACTIVE");

  ChildProcess tray(FindOnPath("trayer"), {"--edge", "top"});
  ASSERT_TRUE(WaitUntil([&] { return monitor.Stdout().find("A notification area appeared") != std::string::npos; }))
      << monitor.Stdout();
  RunResult kill = RunProgram(install / "watchpost", {"-k"}, env);
  EXPECT_EQ(kill.exitCode, 0);
  EXPECT_EQ(monitor.Wait(), 0);
  // Said once.
  const std::string err = monitor.Stderr();
  EXPECT_EQ(err.find(note), err.rfind(note)) << err;
}
