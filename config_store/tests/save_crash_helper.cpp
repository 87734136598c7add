// Saves two versions of a configuration over one file, alternately, until it is
// killed: the test kills it with SIGKILL in the middle of a save.
// Arguments: the program folder, the configuration to load, the target file.
#include "config_store/tests/save_crash_versions.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  auto versions = store_test::SaveCrashVersions(argv[1], argv[2]);
  if (!versions) return 3;
  for (int i = 0;; ++i) {
    const config_store::ConfigSession& s = i % 2 ? versions->first : versions->second;
    config_store::SaveChanges(argv[3], s.GameConfig, s.Lists, s.Instructions, store_test::SaveCrashContext(argv[1]));
  }
}
