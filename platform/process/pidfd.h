// A file descriptor that becomes readable when a process ends, also for a
// process that is not our child; -1 (errno set) where the kernel has none.
#pragma once

#include <cerrno>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

inline int PidFdOpen(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
  errno = ENOSYS;
  return -1;
#endif
}

}  // namespace platform
