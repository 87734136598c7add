// The playground's countdown and exit under the offscreen platform, where the
// pointer cannot be held; playground_x_test.cpp checks the pointer in an X server.
#include "editor/playground.h"
#include "editor/tests/playground_timer.h"
#include "testing/test_support.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using editor::frmPlayground;
using testing_support::SpinUntil;

namespace {

TEST(Playground, CountsDownOnItsButtonAndClosesAfterFiveTicks) {
  auto timer = std::make_unique<ManualTimer>();
  auto ticks = timer->state;
  testing::internal::CaptureStderr();
  QPointer<frmPlayground> frm = new frmPlayground(nullptr, std::move(timer));
  frm->show();
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(frm->windowTitle(), "Testing Playground");
  EXPECT_EQ(frm->cmdExit->text(), "Exit Playground ... 10");
  EXPECT_TRUE(ticks->running);
  EXPECT_EQ(ticks->intervalMs, 1000);
  // Centred on the screen.
  QRect screen = frm->screen()->geometry();
  EXPECT_EQ(frm->pos(), QPoint((screen.width() - frm->width()) / 2, (screen.height() - frm->height()) / 2));
  // No pointer to hold here, and the log says so.
  EXPECT_FALSE(frm->PointerConfined());
  EXPECT_NE(log.find("Testing Playground: the pointer is not confined"), std::string::npos) << log;

  for (const char* caption :
       {"Exit Playground ... 4", "Exit Playground ... 3", "Exit Playground ... 2", "Exit Playground ... 1"}) {
    ticks->Tick();
    ASSERT_TRUE(frm && frm->isVisible()) << caption;
    EXPECT_EQ(frm->cmdExit->text(), caption);
  }
  ticks->Tick();
  EXPECT_FALSE(ticks->running);
  EXPECT_TRUE(SpinUntil([&] { return frm.isNull(); }));
}

TEST(Playground, TheExitButtonClosesItAtOnceAndStopsTheCountdown) {
  auto timer = std::make_unique<ManualTimer>();
  auto ticks = timer->state;
  QPointer<frmPlayground> frm = new frmPlayground(nullptr, std::move(timer));
  frm->show();
  ticks->Tick();
  ticks->Tick();
  EXPECT_EQ(frm->cmdExit->text(), "Exit Playground ... 3");
  QTest::keyClicks(frm->txtPlayground, "wasd");
  EXPECT_EQ(frm->txtPlayground->text(), "wasd");
  QTest::mouseClick(frm->cmdExit, Qt::LeftButton);
  EXPECT_FALSE(frm->isVisible());
  EXPECT_FALSE(ticks->running);  // no further tick comes
  EXPECT_EQ(ticks->ticksDelivered, 2);
  EXPECT_TRUE(SpinUntil([&] { return frm.isNull(); }));
}

TEST(Playground, ItsOwnTimerTicksOnceASecond) {
  QPointer<frmPlayground> frm = new frmPlayground;
  frm->show();
  EXPECT_TRUE(SpinUntil([&] { return frm->cmdExit->text() == "Exit Playground ... 4"; }, 10000));
  frm->close();
}

TEST(Playground, GoesWithItsOwner) {
  auto owner = std::make_unique<QWidget>();
  QPointer<frmPlayground> frm = new frmPlayground(owner.get(), std::make_unique<ManualTimer>());
  frm->show();
  EXPECT_TRUE(frm->isWindow());
  owner.reset();
  EXPECT_TRUE(frm.isNull());
}

}  // namespace
