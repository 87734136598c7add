#include "common_ui/about_dialog.h"
#include "common_ui/check_attached_dialog.h"
#include "common_ui/windows_version.h"

#include "config_store/profile_helpers.h"
#include "platform/dialogs.h"
#include "testing/test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace common_ui;

TEST(WindowsVersion, NamesEveryRowAndRefusesOnlyMe) {
  struct Case {
    int platformId, major, minor;
    const char* name;
    bool refused;
  } cases[] = {
      {1, 4, 0, "Windows 95", false},
      {1, 4, 10, "Windows 98", false},
      {1, 4, 90, "Windows Mellinnium", true},
      {1, 4, 20, "", false},
      {2, 3, 51, "Windows NT 3.51", false},
      {2, 4, 0, "Windows NT 4.0", false},
      {2, 5, 0, "Windows 2000", false},
      {2, 5, 1, "Windows XP", false},
      {2, 6, 1, "", false},
      {0, 6, 1, "Failed", false},
  };
  for (const Case& c : cases) {
    auto named = NameWindowsVersion({c.platformId, c.major, c.minor, ""});
    EXPECT_EQ(named.name, c.name) << c.platformId << "." << c.major << "." << c.minor;
    EXPECT_EQ(named.refused, c.refused);
  }
}

TEST(WindowsVersion, RefusalShowsItsBoxAndEndsUnlessSkipped) {
  platform::SetOsVersionSourceForTesting([] { return platform::OsVersionInfo{1, 4, 90, ""}; });
  std::vector<platform::MsgBoxRequest> shown;
  platform::SetMsgBoxHandler([&](const platform::MsgBoxRequest& r) {
    shown.push_back(r);
    return platform::MsgResult::Ok;
  });
  EXPECT_TRUE(GetWindowsVersion(false).refused);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "This program was designed to run on Windows 2000 / XP.");
  EXPECT_EQ(shown[0].title, "OS Version Error - Windows Mellinnium");
  EXPECT_EQ(shown[0].icon, platform::MsgIcon::Critical);
  WindowsVersionName skipped = GetWindowsVersion(true);
  EXPECT_EQ(skipped.name, "Windows 2000");
  EXPECT_FALSE(skipped.refused);
  platform::SetOsVersionSourceForTesting({});
  WindowsVersionName running = GetWindowsVersion(false);
  EXPECT_EQ(running.name, "Failed");  // Linux runs on
  EXPECT_FALSE(running.refused);
  EXPECT_EQ(shown.size(), 1u);
  platform::SetMsgBoxHandler({});
}

TEST(AboutDialog, VersionLineMailSubjectAndCaption) {
  platform::FileVersionInfo v{2, 3, 0, 4};
  EXPECT_EQ(VersionLine(AboutProduct::Monitor, v), "Heliryx 360 Monitor v2.3.0.4");
  EXPECT_EQ(MailLink(AboutProduct::Freshline, v),
            "mailto:" + kSupportMailAddress + "&Subject=Heliryx 360 Customizer v2.34");
  frmAbout about(AboutProduct::MouseEmulator, "Pointerly");
  EXPECT_EQ(about.windowTitle(), "About Pointerly");
  EXPECT_EQ(about.lblVersion->text(), "Heliryx 360 Mouse Emulator v5.1.0.0");
}

TEST(AboutDialog, SystemInformationUnavailable) {
  testing_support::TempFolder config;
  testing_support::ScopedEnv configHome("XDG_CONFIG_HOME", config.Path());
  std::vector<std::string> texts;
  platform::SetMsgBoxHandler([&](const platform::MsgBoxRequest& r) {
    texts.push_back(r.text);
    return platform::MsgResult::Ok;
  });
  StartSysInfo();  // neither value
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
                              "MSINFO", config.Path());
  StartSysInfo();  // a folder without the tool
  EXPECT_EQ(texts, std::vector<std::string>(2, "System Information Is Unavailable At This Time"));
  platform::SetMsgBoxHandler({});
}

TEST(CheckAttachedDialog, TickIsStoredAtOnceAndExitEnds) {
  testing_support::TempFolder config;
  testing_support::ScopedEnv configHome("XDG_CONFIG_HOME", config.Path());
  int exits = 0;
  frmCheckAttached dialog;
  QObject::connect(&dialog, &frmCheckAttached::exitChosen, [&] { ++exits; });
  EXPECT_EQ(dialog.windowTitle(), " Heliryx 360 Not Found");
  auto stored = [] {
    return platform::Registry::Query(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "CheckAttached")
        ->text;
  };
  dialog.chkIgnore->click();
  EXPECT_EQ(stored(), "False");
  dialog.chkIgnore->click();
  EXPECT_EQ(stored(), "True");
  dialog.cmdExit->click();
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
