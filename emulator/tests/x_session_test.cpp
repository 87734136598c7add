// Run inside an X server of its own (xvfb-run), by x_end_to_end_test.cpp: the
// window in this process with an SDL virtual joystick, sending through the
// real input backend, and the X server's pointer and a window checked.
#include "emulator/main_window.h"
#include "platform/input/input_sink.h"
#include "platform/input/virtual_joystick.h"
#include "platform/input/x_pointer_probe.h"
#include "platform/program_end.h"
#include "testing/test_support.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <thread>

using namespace emulator;
using platform::VirtualJoystick;
using testing_support::SpinUntil;

namespace {

constexpr uint32_t C = 32768;

void Spin(int ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// A window that notes the keys it receives: "+A -A +F1 -F1".
class KeyCatcher : public QWidget {
 public:
  std::string seen;

 protected:
  void keyPressEvent(QKeyEvent* e) override { Note('+', e); }
  void keyReleaseEvent(QKeyEvent* e) override { Note('-', e); }

 private:
  void Note(char how, QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    std::string name = QKeySequence(e->key()).toString().toStdString();
    seen += (seen.empty() ? "" : " ") + std::string(1, how) + name;
  }
};

class XSession : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!probe.Connected()) GTEST_SKIP() << "no X display: run through xvfb-run";
  }

  std::unique_ptr<frmMain> Start(const std::string& iniText) {
    testing_support::WriteFile(folder / "pointerly.ini", iniText);
    auto frm = std::make_unique<frmMain>(folder / "pointerly.ini", sinks);
    QObject::connect(&frm->End(), &platform::ProgramEnd::ended, [this](int code) { ends.push_back(code); });
    QObject::connect(frm.get(), &frmMain::ticked, [this] { ++ticks; });
    frm->Form_Load();
    return frm;
  }

  platform::XPointerProbe probe;
  platform::SystemInputSinks sinks;
  testing_support::TempFolder folder;
  std::vector<int> ends;
  int ticks = 0;
};

TEST_F(XSession, TheStickMovesTheRealPointerByTheCountsOfEachTick) {
  VirtualJoystick device("Heliryx 360");
  device.SetAxis(0, C - 1000);  // 2 counts a tick to the right
  device.SetAxis(1, C + 1500);  // 3 counts a tick up
  probe.Warp(400, 500);
  auto frm =
      Start("[MOTIONS]\r\nMOTION_0_POS=\"X\"\r\nMOTION_0_NEG=\"X\"\r\nMOTION_1_POS=\"Y\"\r\nMOTION_1_NEG=\"Y\"\r\n");
  ASSERT_FALSE(frm->Ended());
  ASSERT_EQ(frm->Sink()->Name(), "XTest");
  // The real 10 ms timer; counted rather than timed, as a busy machine ticks less often.
  ASSERT_TRUE(SpinUntil([&] { return ticks >= 15; })) << "only " << ticks << " ticks";
  frm->Form_Unload(0);
  int x = 0, y = 0;
  EXPECT_TRUE(SpinUntil([&] { return probe.Position(x, y) && x == 400 + 2 * ticks && y == 500 - 3 * ticks; }))
      << "after " << ticks << " ticks the pointer is at " << x << "," << y;
}

TEST_F(XSession, AButtonHoldsTheMouseButtonUntilTheCloseRequest) {
  VirtualJoystick device("Heliryx 360");
  auto frm = Start("[BUTTONS]\r\nBUTTON_0=\"VM_LEFTDOWN\"\r\n");
  ASSERT_FALSE(frm->Ended());
  device.SetButton(0, true);
  EXPECT_TRUE(SpinUntil([&] { return probe.ButtonDown(1); }));
  Spin(100);
  EXPECT_TRUE(probe.ButtonDown(1));
  // The controller's button stays down; the monitor's close must still let go.
  std::thread poster([] { platform::PostCloseToWindow("Pointerly"); });
  EXPECT_TRUE(SpinUntil([&] { return !ends.empty(); }));
  poster.join();
  EXPECT_EQ(ends, std::vector<int>{0});
  EXPECT_TRUE(SpinUntil([&] { return !probe.ButtonDown(1); }));
}

TEST_F(XSession, KeyBindingsReachAWindowAsTheirOwnKeys) {
  KeyCatcher catcher;
  catcher.setGeometry(100, 100, 300, 200);
  catcher.setFocusPolicy(Qt::StrongFocus);
  catcher.show();
  catcher.activateWindow();
  catcher.setFocus();
  probe.Warp(250, 200);
  ASSERT_TRUE(SpinUntil([&] { return catcher.isActiveWindow(); })) << "the test window never got the focus";

  VirtualJoystick device("Heliryx 360");
  auto frm = Start("[BUTTONS]\r\nBUTTON_1=\"VK_A\"\r\nBUTTON_2=\"VK_F1\"\r\nBUTTON_3=\"vk_space\"\r\n");
  ASSERT_FALSE(frm->Ended());
  // Each change is held until a tick has acted on it: a press and release
  // between two ticks would send nothing.
  for (int button : {1, 2, 3}) {
    device.SetButton(button, true);
    ASSERT_TRUE(SpinUntil([&] { return frm->State().ButtonMap[button].State == "DOWN"; }));
    device.SetButton(button, false);
    ASSERT_TRUE(SpinUntil([&] { return frm->State().ButtonMap[button].State == "UP"; }));
  }
  EXPECT_TRUE(SpinUntil([&] { return catcher.seen.size() >= std::string("+A -A +F1 -F1 +Space -Space").size(); }));
  EXPECT_EQ(catcher.seen, "+A -A +F1 -F1 +Space -Space");
  frm->Form_Unload(0);
}

}  // namespace
