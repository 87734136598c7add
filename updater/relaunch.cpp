#include "updater/relaunch.h"

#include "config_store/mode_mailbox.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/local_endpoint.h"
#include "platform/private_folder.h"
#include "platform/program_files.h"
#include "platform/shell.h"
#include "updater/updater.h"

namespace updater {

bool IsRelaunchedCopy() { return platform::ProgramFileName() == "fl"; }

std::string InstallFolderArgument(const std::vector<std::string>& args) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == kInstallFolderSwitch) return args[i + 1];
  return {};
}

std::string WindowEndpoint(const std::string& privateFolder) {
  return platform::EndpointName("window", kWindowTitle, privateFolder);
}

namespace {

// The starting copy's run, without the hand-back of a failed start.
int Relaunch() {
  std::string whyNot;
  auto folder = platform::PrivateFolder("fetchling", whyNot);
  if (!folder) {
    platform::MsgBox(whyNot + " 75", platform::MsgButtons::Ok, platform::MsgIcon::Critical, kAppTitle);
    return 1;
  }
  // A copy already running is brought to the front instead.
  if (platform::SendToEndpoint(WindowEndpoint(*folder), platform::kActivateMessage)) return 0;

  std::string copy = *folder + "/fl";
  if (platform::FileExists(copy)) platform::RemoveFile(copy);
  std::string self = platform::ProgramFolder() + "/" + platform::ProgramFileName();
  if (!platform::CopyFileAtomic(self, copy, 0700)) {
    platform::MsgBox("Cannot copy " + self + " to " + copy + " 75", platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, kAppTitle);
    return 1;
  }
  if (!platform::StartDetached(copy, {kInstallFolderSwitch, platform::ProgramFolder()})) {
    platform::MsgBox("Cannot start " + copy + " 53", platform::MsgButtons::Ok, platform::MsgIcon::Critical, kAppTitle);
    return 1;
  }
  return 0;
}

}  // namespace

int RelaunchFromPrivateFolder() {
  int exitCode = Relaunch();
  // The monitor suspended itself to start the updater, and no copy runs that
  // would resume it at its end: a start that failed does it here.
  if (exitCode != 0) config_store::ReplaceMode(platform::ProgramFolder(), "SUSPEND", "ACTIVE");
  return exitCode;
}

}  // namespace updater
