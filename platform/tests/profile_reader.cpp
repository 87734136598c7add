// Reads one value the way every program does, then prints it and the process's
// peak memory in KiB, for the test that a large file costs about its own size.
//   profile_reader <file> <section> <key>
#include "platform/profile.h"

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <file> <section> <key>\n", argv[0]);
    return 2;
  }
  std::string value = platform::GetProfileString(argv[2], argv[3], "ERROR", argv[1]);
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("%s\n%ld\n", value.c_str(), usage.ru_maxrss);
  return 0;
}
