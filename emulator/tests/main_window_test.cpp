// The window in this process under the offscreen platform, with SDL virtual
// joysticks for the controller and a recording sink for the system's input.
#include "emulator/main_window.h"
#include "common_ui/about_dialog.h"
#include "emulator/controller_search.h"
#include "platform/dialogs.h"
#include "platform/input/recording_sink.h"
#include "platform/input/virtual_joystick.h"
#include "platform/modal.h"
#include "platform/process/process_priority.h"
#include "platform/program_end.h"
#include "testing/test_support.h"
#include "testing/window_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace emulator;
using platform::VirtualJoystick;
using testing_support::Ctl;
using testing_support::Menu;
using testing_support::SpinUntil;
using testing_support::TempFolder;

namespace {

constexpr uint32_t C = 32768;

class PointerlyWindow : public ::testing::Test, public platform::InputSinkSource {
 protected:
  // A window over these settings, its sinks from the fixture, its ends noted in `ends`.
  frmMain& Open(const std::string& iniText) {
    testing_support::WriteFile(folder / "pointerly.ini", iniText);
    windows.push_back(std::make_unique<frmMain>(folder / "pointerly.ini", *this));
    QObject::connect(&windows.back()->End(), &platform::ProgramEnd::ended, [this](int code) { ends.push_back(code); });
    return *windows.back();
  }
  // A recording sink, or none (with `refusal` as the reason) when one is given.
  std::unique_ptr<platform::InputSink> Open(std::string& whyNot) override {
    if (!refusal.empty()) {
      whyNot = refusal;
      return nullptr;
    }
    ++sinksOpened;
    auto recording = std::make_unique<platform::RecordingSink>();
    sink = recording.get();
    return recording;
  }

  TempFolder folder;
  platform::RecordingSink* sink = nullptr;
  int sinksOpened = 0;
  std::string refusal;
  std::vector<int> ends;
  testing_support::Answers answers;               // every box takes its default answer
  std::vector<std::unique_ptr<frmMain>> windows;  // last, so they go first
};

const char* const kBindings =
    "[DEADZONE]\r\nDEADZONE_0=0\r\nDEADZONE_2=1000\r\n"
    "[MOTIONS]\r\nMOTION_0_POS=\"X\"\r\nMOTION_0_NEG=\"X\"\r\nMOTION_2_POS=\"\"\r\nMOTION_2_NEG=\"VK_B\"\r\n"
    "[BUTTONS]\r\nBUTTON_0=\"VM_LEFTDOWN\"\r\n";

TEST_F(PointerlyWindow, StartsAndTurnsTheControllerIntoInput) {
  VirtualJoystick device("Heliryx 360 Controller");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  ASSERT_FALSE(frm.Ended()) << (answers.boxes.empty() ? "" : answers.boxes[0].text);
  EXPECT_TRUE(answers.boxes.empty());
  EXPECT_EQ(frm.windowTitle(), "Pointerly");
  EXPECT_TRUE(Ctl<QTimer>(frm, "tmrEvent")->isActive());
  EXPECT_EQ(Ctl<QTimer>(frm, "tmrEvent")->interval(), 10);
  EXPECT_EQ(Ctl<QTimer>(frm, "tmrEvent")->timerType(), Qt::PreciseTimer);
  EXPECT_EQ(frm.JoyId(), device.Number());
  EXPECT_EQ(frm.Tray().Tip(), "  Heliryx 360\r\nMouse Emulation");
  EXPECT_EQ(Ctl<QLabel>(frm, "lblPriority")->text().toStdString(),
            "Priority: " + platform::PriorityName(platform::GetProcessPriority(0)));
  if (::geteuid() == 0) {
    EXPECT_EQ(Ctl<QLabel>(frm, "lblPriority")->text(), "Priority: High");
  }
  platform::FileVersionInfo v = platform::OwnVersion();
  EXPECT_EQ(Ctl<QLabel>(frm, "lblVersion")->text(), QString("v%1.%2.0.%3").arg(v.major).arg(v.minor).arg(v.revision));
  ASSERT_EQ(Menu<QMenu>(frm, "mnuPopup")->actions().size(), 3);
  EXPECT_EQ(Menu<QAction>(frm, "mnuAbout")->text(), "About...");
  EXPECT_TRUE(Menu<QAction>(frm, "mnuSeparator")->isSeparator());
  EXPECT_EQ(Menu<QAction>(frm, "mnuExit")->text(), "Exit");

  frm.show();  // the labels follow the controller while they can be seen
  device.SetAxis(0, C - 1000);
  device.SetButton(0, true);
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "move 2 0, left down");
  EXPECT_EQ(Ctl<QLabel>(frm, "lblMouseX")->text(), "2");
  EXPECT_EQ(Ctl<QLabel>(frm, "lblValue", 0)->text(), "31768");
  EXPECT_EQ(Ctl<QLabel>(frm, "Label1", 0)->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(Ctl<QLabel>(frm, "Label1", 1)->palette().color(QPalette::Window), QColor(255, 255, 255));

  device.SetAxis(0, C);
  device.SetButton(0, false);
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "left up");
  EXPECT_EQ(Ctl<QLabel>(frm, "lblMouseX")->text(), "0");
  EXPECT_EQ(Ctl<QLabel>(frm, "Label1", 0)->palette().color(QPalette::Window), QColor(255, 255, 255));
}

// The labels change up to 100 times a second: while the window cannot be seen
// they are left alone, and brought up to date when it is shown again.
TEST_F(PointerlyWindow, TheLabelsFollowTheControllerWhileTheWindowCanBeSeen) {
  VirtualJoystick device("Heliryx 360");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  ASSERT_FALSE(frm.Ended());
  auto shown = [&] {
    return (Ctl<QLabel>(frm, "lblMouseX")->text() + " " + Ctl<QLabel>(frm, "lblValue", 0)->text() + " " +
            Ctl<QLabel>(frm, "lblValue", 2)->text())
               .toStdString() +
           (Ctl<QLabel>(frm, "Label1", 0)->palette().color(QPalette::Window) == QColor(255, 0, 0) ? " red" : " white");
  };
  device.SetAxis(0, C - 1000);
  device.SetAxis(2, C + 5);
  device.SetButton(0, true);
  frm.tmrEvent_Timer();
  EXPECT_EQ(shown(), "0 0 0 white");  // hidden, as the monitor starts it

  frm.show();
  EXPECT_EQ(shown(), "2 31768 32773 red");
  frm.showMinimized();
  device.SetAxis(0, C);
  device.SetButton(0, false);
  frm.tmrEvent_Timer();
  EXPECT_EQ(shown(), "2 31768 32773 red");
  frm.showNormal();
  EXPECT_EQ(shown(), "0 32768 32773 white");

  device.SetAxis(2, C - 7);
  frm.tmrEvent_Timer();
  EXPECT_EQ(shown(), "0 32768 32761 white");
  frm.hide();
  device.SetAxis(2, C);
  frm.tmrEvent_Timer();
  frm.show();
  EXPECT_EQ(shown(), "0 32768 32768 white");
}

TEST_F(PointerlyWindow, RefusesToStartWithoutAController) {
  VirtualJoystick other("Generic Gamepad");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].title, "Joystick Input Error");
  EXPECT_EQ(answers.boxes[0].icon, platform::MsgIcon::Critical);
  EXPECT_EQ(answers.boxes[0].text, JoystickInputErrorText(platform::JoyReading{}));
  EXPECT_EQ(ends, std::vector<int>{1});
  EXPECT_FALSE(Ctl<QTimer>(frm, "tmrEvent")->isActive());
  EXPECT_FALSE(frm.Tray().Added());
  EXPECT_EQ(sinksOpened, 0);
}

TEST_F(PointerlyWindow, RefusesAControllerWhoseXReadsZero) {
  VirtualJoystick device("Heliryx 360");
  device.SetAxis(0, 0);
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].title, "Joystick Input Error");
  EXPECT_NE(answers.boxes[0].text.find("\r\nX=0\r\nY=32768\r\n"), std::string::npos) << answers.boxes[0].text;
  EXPECT_EQ(ends, std::vector<int>{1});
}

TEST_F(PointerlyWindow, EndsWithAClearMessageWhenNoInputCanBeSent) {
  VirtualJoystick device("Heliryx 360");
  refusal = "/dev/uinput cannot be used (No such file or directory); no X display can be opened";
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].title, "Pointerly");
  EXPECT_EQ(answers.boxes[0].text,
            "Pointerly cannot send mouse and key input: /dev/uinput cannot be used (No such file or directory); no X "
            "display can be opened.");
  EXPECT_EQ(ends, std::vector<int>{1});
  EXPECT_FALSE(Ctl<QTimer>(frm, "tmrEvent")->isActive());
}

enum class WayOut { Exit, CloseRequest, Sigterm, Sigint, Sighup, WindowClosed };

class EveryWayOut : public PointerlyWindow, public ::testing::WithParamInterface<WayOut> {};

TEST_P(EveryWayOut, ReleasesEverythingHeldFirst) {
  std::signal(SIGHUP, SIG_DFL);  // a test run started under nohup would ignore it
  VirtualJoystick device("Heliryx 360");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  ASSERT_FALSE(frm.Ended());
  device.SetAxis(2, 65535);
  device.SetButton(0, true);
  frm.tmrEvent_Timer();
  ASSERT_EQ(sink->Take(), "key 66 down, left down");

  std::thread poster;
  switch (GetParam()) {
    case WayOut::Exit:
      Menu<QAction>(frm, "mnuExit")->trigger();
      break;
    case WayOut::CloseRequest:
      poster = std::thread([] { platform::PostCloseToWindow("Pointerly"); });
      break;
    case WayOut::Sigterm:
      ::raise(SIGTERM);
      break;
    case WayOut::Sigint:
      ::raise(SIGINT);
      break;
    case WayOut::Sighup:
      ::raise(SIGHUP);
      break;
    case WayOut::WindowClosed:
      frm.close();
      break;
  }
  EXPECT_TRUE(SpinUntil([&] { return !ends.empty(); }));
  if (poster.joinable()) poster.join();
  EXPECT_EQ(ends, std::vector<int>{0});
  EXPECT_EQ(sink->Take(), "left up, key 66 up");
  EXPECT_FALSE(sink->Holding());
  EXPECT_FALSE(Ctl<QTimer>(frm, "tmrEvent")->isActive());
  EXPECT_FALSE(frm.Tray().Added());
}

INSTANTIATE_TEST_SUITE_P(Ways, EveryWayOut,
                         ::testing::Values(WayOut::Exit, WayOut::CloseRequest, WayOut::Sigterm, WayOut::Sigint,
                                           WayOut::Sighup, WayOut::WindowClosed));

TEST_F(PointerlyWindow, DontSendEventsLetsGoOfWhatIsHeldAndReplaysNothing) {
  VirtualJoystick device("Heliryx 360");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  device.SetButton(0, true);
  device.SetAxis(2, 65535);
  frm.tmrEvent_Timer();
  ASSERT_EQ(sink->Take(), "key 66 down, left down");

  Ctl<QCheckBox>(frm, "chkDebug")->click();
  EXPECT_EQ(sink->Take(), "left up, key 66 up");
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "");

  Ctl<QCheckBox>(frm, "chkDebug")->click();  // unchecked with the button still held
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "");
  device.SetButton(0, false);
  device.SetAxis(2, C);
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "");  // nothing held, nothing to release
  device.SetButton(0, true);
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "left down");
}

TEST_F(PointerlyWindow, AnUnpluggedControllerLeavesNothingHeld) {
  auto device = std::make_unique<VirtualJoystick>("Heliryx 360");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  device->SetAxis(0, 0);
  device->SetButton(0, true);
  device->SetAxis(2, 65535);
  frm.tmrEvent_Timer();
  ASSERT_EQ(sink->Take(), "key 66 down, move 66 0, left down");
  device->Unplug();
  frm.tmrEvent_Timer();
  frm.tmrEvent_Timer();
  EXPECT_EQ(sink->Take(), "key 66 up, left up");
  EXPECT_FALSE(sink->Holding());
  EXPECT_FALSE(frm.Ended());
}

TEST_F(PointerlyWindow, ASecondCopyEndsWithoutATrace) {
  VirtualJoystick device("Heliryx 360");
  frmMain& first = Open(kBindings);
  first.Form_Load();
  ASSERT_FALSE(first.Ended());
  ASSERT_EQ(sinksOpened, 1);

  frmMain& second = Open(kBindings);
  second.Form_Load();
  EXPECT_TRUE(second.Ended());
  EXPECT_EQ(ends, std::vector<int>{0});
  EXPECT_TRUE(answers.boxes.empty());
  EXPECT_EQ(sinksOpened, 1);
  EXPECT_FALSE(second.Tray().Added());
  EXPECT_FALSE(Ctl<QTimer>(second, "tmrEvent")->isActive());
  EXPECT_FALSE(first.Ended());
}

TEST_F(PointerlyWindow, AboutShowsTheSharedDialogForTheMouseEmulator) {
  VirtualJoystick device("Heliryx 360");
  frmMain& frm = Open(kBindings);
  frm.Form_Load();
  QString title, version;
  platform::SetModalHandler([&](QDialog& dialog) {
    title = dialog.windowTitle();
    version = static_cast<common_ui::frmAbout&>(dialog).lblVersion->text();
    return 0;
  });
  Menu<QAction>(frm, "mnuAbout")->trigger();
  platform::SetModalHandler({});
  EXPECT_EQ(title, "About Pointerly");
  EXPECT_TRUE(version.startsWith("Heliryx 360 Mouse Emulator v")) << version.toStdString();
  EXPECT_FALSE(frm.Ended());
}

}  // namespace
