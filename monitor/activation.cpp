#include "monitor/activation.h"

#include "config_store/install_folder.h"
#include "config_store/profile_helpers.h"
#include "config_store/ryx_command_file.h"
#include "monitor/active_ryx.h"
#include "monitor/pointerly_ini.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace monitor {

Activation::Activation(DriverRuns& runs, platform::ToolRunner& runner, Emulator& emulator, Clock& clock,
                       MonitorWindow& window, std::string programFolder)
    : runs_(runs),
      runner_(runner),
      emulator_(emulator),
      clock_(clock),
      window_(window),
      programFolder_(std::move(programFolder)) {}

bool Activation::SCGActivate(const ActiveGame& game, bool debugMode) {
  runs_.NewGame();
  if (debugMode) {
    window_.Line("Started watching: " + platform::ToLower(game.ActiveExeName) + " at " + window_.TimeText());
    window_.Line("Path: " + platform::ToLower(game.ActiveExeFolder));
    window_.Line("Process ID: " + game.ActivePid);
    window_.SelectLastLine();
  }
  window_.SetTip("Heliryx 360 Monitor - Watching: " + game.ActiveAppName);
  // The editor opens on this game next time. The configuration's path is a
  // Linux path, so its file name is what follows the last "/".
  config_store::WriteIni(config_store::EditorIniPath(programFolder_), "Games", "Current",
                         platform::FileNamePart(game.ActiveScgFile));

  ActivationRead read = ReadActivationValues(game.ActiveScgFile);
  if (read.vectorError) {
    // Nothing else has changed yet: the emulator and the driver keep what they had.
    window_.Fatal(*read.vectorError);
    return false;
  }
  Values = std::move(read.values);

  // From here on, a suspend or exit chosen in the middle waits for the next gap
  // between two runs, and stops the rest.
  DriverRuns::Sequence sequence(runs_);
  emulator_.ClosePointerly();
  config_store::WritePointerlyIni(config_store::EmulatorIniPath(programFolder_), PointerlySettingsFor(Values));
  if (NeedsPointerly(Values)) StartPointerly();

  const std::string ryxFile = config_store::ActiveRyxPath(programFolder_);
  if (!config_store::WriteRyxLines(ryxFile, ActiveRyxLines(Values, programFolder_)).Written())
    platform::RemoveFile(ryxFile);
  if (platform::FileExists(ryxFile) && !runs_.StopRequested()) {
    runs_.ResetRyxDefaults();
    runs_.Replay(ReadRyxFile(ryxFile));
  }
  return true;
}

void Activation::StartPointerly() {
  // The emulator just asked to close may still hold its place; give it a moment
  // so the new one does not find it and quit, leaving the game without one.
  for (int waited = 0; waited < kEmulatorGraceMs && emulator_.Running(); waited += 50) clock_.Sleep(50);
  if (runs_.LeavingActive()) return;
  runner_.Start("\"" + config_store::EmulatorProgramPath(programFolder_) + "\"");
}

}  // namespace monitor
