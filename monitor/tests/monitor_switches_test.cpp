#include "monitor/monitor_switches.h"

#include <gtest/gtest.h>

using monitor::MonitorSwitches;
using monitor::ParseMonitorSwitches;
using Outcome = MonitorSwitches::Outcome;

TEST(MonitorSwitches, Table) {
  struct Case {
    const char* text;
    Outcome outcome;
    int interval;
    bool debug;
    bool skip;
  } cases[] = {
      {"", Outcome::Run, 1000, false, false},
      {"-r 10", Outcome::Run, 10000, false, false},
      {"-r 2.5", Outcome::Run, 2500, false, false},
      {"/refresh 1", Outcome::Run, 1000, false, false},
      {"-r 0.5", Outcome::Usage, 1000, false, false},
      {"-r 11", Outcome::Usage, 1000, false, false},
      {"-r abc", Outcome::Usage, 1000, false, false},
      {"-d -r", Outcome::Usage, 1000, true, false},
      {"-D", Outcome::Run, 1000, true, false},
      {"/Debug -S", Outcome::Run, 1000, true, true},
      {"-d  -s", Outcome::Usage, 1000, true, false},  // the empty word between two blanks
      {"-?", Outcome::Usage, 1000, false, false},
      {"-d -k", Outcome::Kill, 1000, true, false},
      {"/KILL -x", Outcome::Kill, 1000, false, false},
      {"-x -k", Outcome::Usage, 1000, false, false},  // words act in their order
  };
  for (const Case& c : cases) {
    MonitorSwitches s = ParseMonitorSwitches(c.text);
    EXPECT_EQ(s.outcome, c.outcome) << '"' << c.text << '"';
    if (s.outcome == Outcome::Run) {
      EXPECT_EQ(s.refreshInterval, c.interval) << c.text;
    }
    EXPECT_EQ(s.debugMode, c.debug) << c.text;
    EXPECT_EQ(s.skipOsCheck, c.skip) << c.text;
  }
}
