// The starting copy of the updater never runs the wizard: it copies itself as
// `fl` into a private folder of the user's and starts that copy, so that every
// program file of the installation folder, its own included, can be replaced.
#pragma once

#include <string>
#include <vector>

namespace updater {

// True when this process is the relaunched copy.
bool IsRelaunchedCopy();

// The name the relaunched copy's window is reached by, for the copies run from
// `privateFolder` (the starting copy asks it to come to the front).
std::string WindowEndpoint(const std::string& privateFolder);

// How the starting copy names its installation folder to the copy it starts.
inline constexpr const char* kInstallFolderSwitch = "--install-folder";
// The folder named that way on the copy's command line; empty when none is.
std::string InstallFolderArgument(const std::vector<std::string>& args);

// The starting copy's whole run: activates a running copy, or replaces `fl` in
// the private folder with this program and starts it. The exit code. A start
// that fails hands the monitor back (ACTIVE when MODE is SUSPEND), as the
// copy's end would have.
int RelaunchFromPrivateFolder();

}  // namespace updater
