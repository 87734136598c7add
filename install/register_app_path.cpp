// The install step's last act: records the installation folder as AppPath in
// the registry store, where the updater looks for it.
#include "config_store/profile_helpers.h"
#include "platform/registry.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: register_app_path <installation folder>\n");
    return 2;
  }
  // The updater refuses a folder that does not exist; an absolute path keeps working from anywhere.
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::absolute(argv[1], ec).lexically_normal();
  if (ec || !std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "register_app_path: %s is not a folder\n", argv[1]);
    return 1;
  }
  std::string text = folder.string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  if (!platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath",
                                     text)) {
    std::fprintf(stderr, "register_app_path: could not write %s\n",
                 platform::RegistryFile(platform::RegistryRoot::LocalMachine).c_str());
    return 1;
  }
  return 0;
}
