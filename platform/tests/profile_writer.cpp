// Writes keys <prefix>0 .. <prefix><count - 1> of one section, one write each,
// for the test of two programs writing one file at once.
//   profile_writer <file> <section> <prefix> <count>
#include "platform/profile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <file> <section> <prefix> <count>\n", argv[0]);
    return 2;
  }
  int failed = 0;
  for (int i = 0, count = std::atoi(argv[4]); i < count; ++i)
    if (!platform::WriteProfileString(argv[2], argv[3] + std::to_string(i), std::to_string(i), argv[1])) ++failed;
  return failed == 0 ? 0 : 1;
}
