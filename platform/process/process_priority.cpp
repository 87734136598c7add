#include "platform/process/process_priority.h"

#include <cerrno>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace platform {

int NiceForClass(uint32_t c) {
  switch (c) {
    case REALTIME_PRIORITY_CLASS:
      return -20;
    case HIGH_PRIORITY_CLASS:
      return -10;
    case ABOVE_NORMAL_PRIORITY_CLASS:
      return -5;
    case NORMAL_PRIORITY_CLASS:
      return 0;
    case BELOW_NORMAL_PRIORITY_CLASS:
      return 5;
    case IDLE_PRIORITY_CLASS:
      return 19;
  }
  return 0;
}

uint32_t ClassForNice(int nice) {
  if (nice <= -15) return REALTIME_PRIORITY_CLASS;
  if (nice <= -8) return HIGH_PRIORITY_CLASS;
  if (nice < 0) return ABOVE_NORMAL_PRIORITY_CLASS;
  if (nice == 0) return NORMAL_PRIORITY_CLASS;
  if (nice < 15) return BELOW_NORMAL_PRIORITY_CLASS;
  return IDLE_PRIORITY_CLASS;
}

static int ProcessOf(int processId) { return processId != 0 ? processId : static_cast<int>(::getpid()); }

uint32_t GetProcessPriority(int processId) {
  errno = 0;
  int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(ProcessOf(processId)));
  if (nice == -1 && errno != 0) return 0;
  return ClassForNice(nice);
}

// The threads of a process; the process itself when they cannot be listed.
static std::vector<int> ThreadsOf(int pid) {
  std::vector<int> threads;
  std::string folder = "/proc/" + std::to_string(pid) + "/task";
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* entry = ::readdir(dir))
      if (entry->d_name[0] >= '0' && entry->d_name[0] <= '9') threads.push_back(std::atoi(entry->d_name));
    ::closedir(dir);
  }
  if (threads.empty()) threads.push_back(pid);
  return threads;
}

uint32_t SetProcessPriority(int processId, uint32_t priorityClass) {
  int pid = ProcessOf(processId);
  bool known = PriorityName(priorityClass).rfind("Unknown:", 0) != 0;
  if (known) {
    for (int thread : ThreadsOf(pid))
      ::setpriority(PRIO_PROCESS, static_cast<id_t>(thread), NiceForClass(priorityClass));
  }
  return GetProcessPriority(pid);
}

std::string PriorityName(uint32_t c) {
  switch (c) {
    case NORMAL_PRIORITY_CLASS:
      return "Normal";
    case IDLE_PRIORITY_CLASS:
      return "Idle";
    case HIGH_PRIORITY_CLASS:
      return "High";
    case REALTIME_PRIORITY_CLASS:
      return "Realtime";
    case BELOW_NORMAL_PRIORITY_CLASS:
      return "Below Normal";
    case ABOVE_NORMAL_PRIORITY_CLASS:
      return "Above Normal";
  }
  return "Unknown:" + std::to_string(c);
}

}  // namespace platform
