// Run inside an X server of its own (xvfb-run), by playground_under_xvfb_test.cpp:
// the playground holds the X server's pointer inside its window while open,
// and each way out frees it.
#include "editor/playground.h"
#include "editor/tests/playground_timer.h"
#include "platform/input/x_pointer_probe.h"
#include "platform/quit_signals.h"
#include "testing/test_support.h"

#include <QPointer>
#include <QPushButton>
#include <csignal>
#include <gtest/gtest.h>

using editor::frmPlayground;
using testing_support::SpinUntil;

namespace {

// Outside the playground, which opens in the middle of the screen.
constexpr int kOutsideX = 5, kOutsideY = 5;

class XPlayground : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!probe.Connected()) GTEST_SKIP() << "no X display: run through xvfb-run";
  }

  QPointer<frmPlayground> Open(QWidget* owner = nullptr) {
    auto timer = std::make_unique<ManualTimer>();
    ticks = timer->state;
    QPointer<frmPlayground> frm = new frmPlayground(owner, std::move(timer));
    frm->show();
    EXPECT_TRUE(SpinUntil([&] { return frm->PointerConfined(); })) << "the pointer was never held";
    return frm;
  }

  // Tries to take the pointer out of the window; where it ends up.
  QPoint PushOut() {
    probe.Warp(kOutsideX, kOutsideY);
    int x = -1, y = -1;
    probe.Position(x, y);
    return {x, y};
  }

  void ExpectHeldInside(const QRect& frame) {
    QPoint at = PushOut();
    EXPECT_TRUE(frame.contains(at)) << "pointer at " << at.x() << "," << at.y() << " outside the window";
  }

  void ExpectFree() { EXPECT_EQ(PushOut(), QPoint(kOutsideX, kOutsideY)) << "the pointer is still held"; }

  platform::XPointerProbe probe;
  std::shared_ptr<ManualTicks> ticks;
};

TEST_F(XPlayground, HeldWhileOpenAndFreeAfterTheExitButton) {
  QPointer<frmPlayground> frm = Open();
  ExpectHeldInside(frm->frameGeometry());
  // A real click through the X server: the window still gets its input while holding the pointer.
  QPoint button = frm->cmdExit->mapToGlobal(frm->cmdExit->rect().center());
  probe.Warp(button.x(), button.y());
  probe.Click(1);
  ASSERT_TRUE(SpinUntil([&] { return frm.isNull(); })) << "the exit button did not close the playground";
  EXPECT_FALSE(ticks->running);
  ExpectFree();
}

TEST_F(XPlayground, FreeAfterTheCountdownEnds) {
  QPointer<frmPlayground> frm = Open();
  for (int i = 0; i < 4; ++i) ticks->Tick();
  ExpectHeldInside(frm->frameGeometry());
  ticks->Tick();
  ASSERT_TRUE(SpinUntil([&] { return frm.isNull(); }));
  ExpectFree();
}

TEST_F(XPlayground, FreeAfterClosingTheWindow) {
  QPointer<frmPlayground> frm = Open();
  frm->close();
  ASSERT_TRUE(SpinUntil([&] { return frm.isNull(); }));
  ExpectFree();
}

TEST_F(XPlayground, FreeWhenTheProgramIsToldToStop) {
  // SIGTERM ends a program through its main window, which takes its playground along.
  auto* owner = new QWidget;
  platform::QuitSignals quit;
  QObject::connect(&quit, &platform::QuitSignals::quit, [owner] { owner->deleteLater(); });
  QPointer<frmPlayground> frm = Open(owner);
  ExpectHeldInside(frm->frameGeometry());
  std::raise(SIGTERM);
  ASSERT_TRUE(SpinUntil([&] { return frm.isNull(); }));
  ExpectFree();
}

TEST_F(XPlayground, FreeOnceTheWindowIsUnmapped) {
  QPointer<frmPlayground> frm = Open();
  probe.Unmap(frm->winId());
  ASSERT_TRUE(SpinUntil([&] { return !frm->PointerConfined(); }));
  ExpectFree();
  // Back on screen, it holds the pointer again.
  frm->hide();
  frm->show();
  ASSERT_TRUE(SpinUntil([&] { return frm->PointerConfined(); }));
  ExpectHeldInside(frm->frameGeometry());
  frm->close();
}

}  // namespace
