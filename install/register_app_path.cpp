// The installer's last step: records the installation folder as AppPath in the
// registry store, where the updater looks for it.
#include "config_store/profile_helpers.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: register_app_path <installation folder>\n");
    return 2;
  }
  config_store::SaveRegString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath", argv[1]);
  return 0;
}
