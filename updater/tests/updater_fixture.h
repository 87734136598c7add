// A temporary installation whose registry points at a real update site on
// 127.0.0.1, with every message box recorded.
#pragma once

#include "config_store/profile_helpers.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "testing/test_support.h"
#include "testing/update_site.h"
#include "testing/window_helpers.h"
#include "updater/updater.h"

#include <QCryptographicHash>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace updater;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

inline std::string Body(const std::string& seed, size_t size) {
  std::string body;
  while (body.size() < size) body += seed;
  body.resize(size);
  return body;
}

inline void StampedProgram(const std::string& path, const std::string& version) {
  WriteFile(path, "#!/bin/sh\n# HELIRYX-VERSION:" + version + ";\n");
  fs::permissions(path, fs::perms(0755));
}

// The SHA-256 of the bytes, as sha256sum writes it.
inline std::string Sum(const std::string& bytes) {
  return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256).toHex().toStdString();
}

inline unsigned FileMode(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

inline bool Contains(const std::vector<std::string>& lines, const std::string& piece) {
  for (const std::string& line : lines)
    if (line.find(piece) != std::string::npos) return true;
  return false;
}

// The machine counts as connected.
class AlwaysConnected : public ConnectionCheck {
 public:
  bool Connected(const std::string&) override { return true; }
};

class UpdaterRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using platform::Registry;
    using platform::RegistryRoot;
    Registry::SetString(RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath", install.Folder());
    Registry::SetString(RegistryRoot::LocalMachine, config_store::kKelvaneKey, "UpdateServer", site.Base());
  }

  std::unique_ptr<Updater> Start(int killWaitMs = 200) {
    auto updater = std::make_unique<Updater>(UpdaterSettings{temp.Path(), killWaitMs, {}}, connected);
    updater->Form_Load();
    return updater;
  }

  // The update server of the next start (a site serves a path as it was first put).
  void ServeFrom(const UpdateSite& other) {
    platform::Registry::SetString(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "UpdateServer",
                                  other.Base());
  }

  // Checks, then installs when something was found; the last stage.
  int Run(Updater& u) {
    u.cmdCheck_Click();
    if (u.CurrentStage() == 30) u.cmdCheck_Click();
    return u.CurrentStage();
  }

  // The installation's record of the files we put there, as the install step
  // writes it: each of `files` (relative to the folder) as it is now.
  void RecordShipped(const std::vector<std::string>& files) {
    std::string text;
    for (const std::string& file : files) text += Sum(ReadFile(install / file)) + "  " + file + "\n";
    WriteFile(install / ".shipped", text);
  }

  std::string Ini() const { return install / "watchpost.ini"; }
  std::string Mode() const { return config_store::ReadIni(Ini(), "APPLICATION", "MODE"); }

  AlwaysConnected connected;
  TempInstall install{{}};
  ScopedEnv configHome{"XDG_CONFIG_HOME", install.ConfigHome()};
  TempFolder temp;
  UpdateSite site;
  Answers answers;  // every box, each with its default answer
};

}  // namespace
