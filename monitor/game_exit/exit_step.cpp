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

#include <ctime>

namespace game_exit {
namespace {

std::string CurrentTime() {
  std::time_t now = std::time(nullptr);
  std::tm local {};
  ::localtime_r(&now, &local);
  char text[64];
  return std::strftime(text, sizeof text, "%X", &local) ? text : "";
}

}  // namespace

bool FlagIsTrue(const std::string& flag) { return config_store::ConvertsToTrue(flag); }

GameExitOutcome WriteStuff(const GameExitState& state, const GameExitSeams& seams) {
  auto log = [&](const std::string& line) {
    if (seams.Log) seams.Log(line);
  };
  auto selectLineBeforeLast = [&] {
    if (seams.SelectLineBeforeLast) seams.SelectLineBeforeLast();
  };
  GameExitOutcome outcome;

  if (seams.DebugMode) {
    log("Stopped watching: " + state.ActiveExeName + " at " + (seams.TimeText ? seams.TimeText() : CurrentTime()));
    log("");
    selectLineBeforeLast();
  }
  if (seams.ResetTip) seams.ResetTip();
  if (seams.ResetRyxDefaults) seams.ResetRyxDefaults();

  // A configuration removed while its game ran has nothing left to apply.
  if (!platform::FileExists(state.ActiveScgFile)) {
    log("Configuration file not found at game exit: " + state.ActiveScgFile);
    return outcome;
  }
  const std::string& scg = state.ActiveScgFile;
  std::string copyFlag = config_store::ReadIni(scg, "CONFIGURATION", "COPY_FILES");
  std::string customFlag = config_store::ReadIni(scg, "CONFIGURATION", "CUSTOM");
  std::string revision = config_store::ReadIni(scg, "VERSION", "FILE_REVISION_NUMBER");
  if (!FlagIsTrue(copyFlag) && !FlagIsTrue(customFlag)) return outcome;

  // Never bring back the folder of a game that is gone.
  if (!platform::FolderExists(state.ActiveExeFolder)) {
    log("Game folder not found at game exit: " + state.ActiveExeFolder);
    return outcome;
  }
  GameFolder game(state.ActiveExeFolder, state.WinePrefix);

  std::string marker = MarkerPath(state.ActiveExeFolder);
  if (platform::FileExists(marker)) {
    outcome.AlreadyConfigured = MarkerShowsApplied(marker, state.ProgramFolder, scg, revision);
    if (!outcome.AlreadyConfigured) platform::RemoveFile(marker);
  }

  if (config_store::IsTrueNoCase(copyFlag)) {
    CopyJob job{state.ProgramFolder, &game, seams.DebugMode, seams.Log};
    if (!ReadCopyFiles(scg, job)) return outcome;
  }

  if (config_store::IsTrueNoCase(customFlag)) {
    CustomContext context{game, outcome.AlreadyConfigured, seams.DebugMode, seams.Log, state.WineLoader,
                          state.WineEnvironment};
    CustomRun run = ReadCustom(scg, context, state.Bindings);
    if (run.errorNumber != 0) {
      outcome.CustomError = run.errorNumber;
      log("Copy/Custom section error " + std::to_string(run.errorNumber));
      return outcome;
    }
    if (!run.complete) return outcome;
  }

  if (seams.DebugMode) {
    log("");
    selectLineBeforeLast();
  }
  if (!outcome.AlreadyConfigured) {
    outcome.MarkerWritten = WriteMarker(marker, platform::FileNamePart(scg), revision);
    if (!outcome.MarkerWritten) log("Could not write " + marker);
    platform::MsgBox(state.ActiveAppName + " has been configured for use with the Heliryx 360.",
                     platform::MsgButtons::Ok, platform::MsgIcon::None, "Heliryx 360", true);
  }
  return outcome;
}

}  // namespace game_exit
