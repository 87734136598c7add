#include "platform/process/process_priority.h"
#include "testing/test_support.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {

// The nice value of a task as the kernel reports it (field 19 of stat).
int NiceOf(const std::string& statPath) {
  std::string stat = testing_support::ReadFile(statPath);
  size_t close = stat.rfind(')');
  std::stringstream fields(stat.substr(close + 2));
  std::string field;
  for (int i = 3; i <= 19; ++i) fields >> field;
  return std::stoi(field);
}

TEST(ProcessPriority, Names) {
  struct Row {
    uint32_t priorityClass;
    const char* name;
  };
  for (Row row : {Row{32, "Normal"}, Row{64, "Idle"}, Row{128, "High"}, Row{256, "Realtime"},
                  Row{16384, "Below Normal"}, Row{32768, "Above Normal"}, Row{4, "Unknown:4"}, Row{0, "Unknown:0"}})
    EXPECT_EQ(PriorityName(row.priorityClass), row.name);
}

TEST(ProcessPriority, EveryClassReadsBackAsItself) {
  for (uint32_t c : {NORMAL_PRIORITY_CLASS, IDLE_PRIORITY_CLASS, HIGH_PRIORITY_CLASS, REALTIME_PRIORITY_CLASS,
                     BELOW_NORMAL_PRIORITY_CLASS, ABOVE_NORMAL_PRIORITY_CLASS})
    EXPECT_EQ(ClassForNice(NiceForClass(c)), c) << c;
}

TEST(ProcessPriority, SettingAnotherProcessReturnsTheClassInForce) {
  testing_support::ChildProcess child("/bin/sleep", {"30"});
  std::string stat = "/proc/" + std::to_string(child.Pid()) + "/stat";
  EXPECT_EQ(GetProcessPriority(child.Pid()), NORMAL_PRIORITY_CLASS);
  EXPECT_EQ(SetProcessPriority(child.Pid(), IDLE_PRIORITY_CLASS), IDLE_PRIORITY_CLASS);
  EXPECT_EQ(NiceOf(stat), 19);
  // Raising needs a right the test may lack; either way the answer is what is in force.
  uint32_t inForce = SetProcessPriority(child.Pid(), HIGH_PRIORITY_CLASS);
  EXPECT_EQ(inForce, ClassForNice(NiceOf(stat)));
  EXPECT_EQ(inForce, GetProcessPriority(child.Pid()));
  // A number that is no class changes nothing.
  EXPECT_EQ(SetProcessPriority(child.Pid(), 4), inForce);
}

TEST(ProcessPriority, AProcessThatDoesNotExistReadsZero) {
  testing_support::ChildProcess child("/bin/true", {});
  int pid = child.Pid();
  child.Wait();
  EXPECT_EQ(GetProcessPriority(pid), 0u);
  EXPECT_EQ(SetProcessPriority(pid, HIGH_PRIORITY_CLASS), 0u);
}

TEST(ProcessPriority, TheClassReachesEveryThreadOfTheProcess) {
  // Linux keeps a nice value per thread; a class set on the main thread alone
  // would leave the others behind.
  std::atomic<pid_t> tid{0};
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    tid = static_cast<pid_t>(::syscall(SYS_gettid));
    while (!stop) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  while (tid == 0) std::this_thread::yield();
  uint32_t before = GetProcessPriority(0);
  EXPECT_EQ(SetProcessPriority(0, BELOW_NORMAL_PRIORITY_CLASS), BELOW_NORMAL_PRIORITY_CLASS);
  EXPECT_EQ(NiceOf("/proc/self/task/" + std::to_string(tid.load()) + "/stat"), 5);
  SetProcessPriority(0, before);
  stop = true;
  worker.join();
}

}  // namespace
