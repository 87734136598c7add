#include "platform/start_window.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace platform;

TEST(StartWindow, TheWishIsTakenOnceAndNotPassedOn) {
  struct Case {
    const char* value;
    StartWindow expected;
  } cases[] = {{"hidden", StartWindow::Hidden},
               {"minimized", StartWindow::Minimized},
               {"normal", StartWindow::Normal},
               {"HIDDEN", StartWindow::Normal},
               {nullptr, StartWindow::Normal}};
  for (const Case& c : cases) {
    if (c.value) ::setenv(kStartWindowVariable, c.value, 1);
    EXPECT_EQ(TakeStartWindowRequest(), c.expected) << (c.value ? c.value : "(none)");
    EXPECT_EQ(std::getenv(kStartWindowVariable), nullptr);
  }
  EXPECT_EQ(StartWindowEntry(StartWindow::Hidden), "HELIRYX_START_WINDOW=hidden");
}
