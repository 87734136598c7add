#include "monitor/game_exit/exit_step.h"

#include "config_store/profile_helpers.h"
#include "config_store/scg_values.h"
#include "monitor/game_exit/copy_files.h"
#include "monitor/game_exit/custom_block.h"
#include "monitor/game_exit/marker_file.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace game_exit {

GameExitOutcome WriteStuff(const GameExitState& state, monitor::MonitorWindow& window, Driver& driver) {
  monitor::Log& log = window;
  // The debug lines end with an empty one; the one before it is selected.
  bool showDebug = state.DebugMode;
  GameExitOutcome outcome;

  if (showDebug) {
    log.Line("Stopped watching: " + state.Game.ActiveExeName + " at " + window.TimeText());
    log.Line("");
    window.SelectLineBeforeLast();
  }
  window.SetTip(monitor::kMonitorTitle);
  driver.ResetRyxDefaults();

  // A configuration removed while its game ran has nothing left to apply.
  if (!platform::FileExists(state.Game.ActiveScgFile)) {
    log.Line("Configuration file not found at game exit: " + state.Game.ActiveScgFile);
    return outcome;
  }
  const std::string& scg = state.Game.ActiveScgFile;
  std::string copyFlag = config_store::ReadIni(scg, "CONFIGURATION", "COPY_FILES");
  std::string customFlag = config_store::ReadIni(scg, "CONFIGURATION", "CUSTOM");
  std::string revision = config_store::ReadIni(scg, "VERSION", "FILE_REVISION_NUMBER");
  if (!config_store::ConvertsToTrue(copyFlag) && !config_store::ConvertsToTrue(customFlag)) return outcome;

  // Never bring back the folder of a game that is gone.
  if (!platform::FolderExists(state.Game.ActiveExeFolder)) {
    log.Line("Game folder not found at game exit: " + state.Game.ActiveExeFolder);
    return outcome;
  }
  GameFolder game(state.Game.ActiveExeFolder, state.Game.ActiveWinePrefix);

  std::string marker = MarkerPath(state.Game.ActiveExeFolder);
  if (platform::FileExists(marker)) {
    outcome.AlreadyConfigured = MarkerShowsApplied(marker, state.ProgramFolder, scg, revision);
    if (!outcome.AlreadyConfigured) platform::RemoveFile(marker);
  }

  if (config_store::IsTrueNoCase(copyFlag)) {
    CopyJob job{state.ProgramFolder, &game, state.DebugMode, log};
    if (!ReadCopyFiles(scg, job)) return outcome;
  }

  if (config_store::IsTrueNoCase(customFlag)) {
    CustomContext context{game, outcome.AlreadyConfigured,   state.DebugMode,
                          log,  state.Game.ActiveWineLoader, state.Game.ActiveWineEnvironment};
    CustomRun run = ReadCustom(scg, context, state.Bindings);
    if (run.errorNumber != 0) {
      outcome.CustomError = run.errorNumber;
      log.Line("Copy/Custom section error " + std::to_string(run.errorNumber));
      return outcome;
    }
    if (!run.complete) return outcome;
  }

  if (showDebug) {
    log.Line("");
    window.SelectLineBeforeLast();
  }
  if (!outcome.AlreadyConfigured) {
    outcome.MarkerWritten = WriteMarker(marker, platform::FileNamePart(scg), revision);
    if (!outcome.MarkerWritten) log.Line("Could not write " + marker);
    platform::MsgBox(state.Game.ActiveAppName + " has been configured for use with the Heliryx 360.",
                     platform::MsgButtons::Ok, platform::MsgIcon::None, "Heliryx 360", true);
  }
  return outcome;
}

}  // namespace game_exit
