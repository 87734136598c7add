#include "config_store/scg_reader.h"

#include "config_store/block_readers.h"
#include "config_store/install_folder.h"
#include "config_store/profile_helpers.h"
#include "config_store/ryx_command_file.h"
#include "config_store/scg_document.h"
#include "config_store/scg_layout.h"
#include "config_store/scg_values.h"
#include "config_store/scg_writer.h"
#include "config_store/snapshot.h"
#include "config_store/vector_parsers.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <algorithm>

namespace config_store {

namespace {

// A whole number within [low, high], or nothing.
std::optional<long long> InRange(const std::string& text, long long low, long long high) {
  auto n = platform::ParseWholeNumber(text);
  if (!n || *n < low || *n > high) return std::nullopt;
  return n;
}

void Store(const ScgKey& key, const std::string& value, TGameConfig& config) {
  FieldRefs refs = key.field(config);
  if (refs.count == 3) {
    SplitAliasList(3, value, *refs.at[0], *refs.at[1], *refs.at[2], 0);
    return;
  }
  std::string& field = *refs.at[0];
  field = value;
  // Out-of-range and non-numeric values are replaced, as the editor always has.
  if (key.check == KeyCheck::MotionAxis && !InRange(field, -1, 5)) field = "-1";
  if (key.check == KeyCheck::Deadzone && !InRange(field, 0, 6000)) field = "0";
}

bool ParseVector(const ScgVector& v, const std::string& text, TGameConfig& config) {
  switch (v.type) {
    case VectorType::AxisMap:
      return ParseAxisMap(text, v.kind, config);
    case VectorType::Polarity:
      return ParsePolarity(text, v.kind, config);
    case VectorType::Gain:
      return ParseGain(text, v.kind, v.level, config);
    case VectorType::Sensitivity:
      return ParseSensitivity(text, v.kind, v.level, config);
  }
  return false;
}

// The block read that follows a key's step, with the lock of its failure.
LockText AfterStep(int step, const ScgDocument& doc, ConfigSession& s) {
  const TGameConfig& c = s.GameConfig;
  TUnreadRows& unread = s.Lists.UnreadRows;
  switch (step) {
    case 10:
      return ReadCopyFilesBlock(doc.Lines(), c.COPY_FILES, s.Lists.CopyFiles, unread.CopyFiles);
    case 12:
      return ReadCustomBlock(doc.Lines(), c.CUSTOM, s.Lists.CustomActions, unread.Custom);
    case 13:
      ReadInstructionsBlock(doc.Lines(), c.SHOW_INSTRUCTIONS, s.Instructions, unread.Instructions);
      return std::nullopt;
    case 21:
      return ReadUseButtonsBlock(doc.Lines(), c.USE_BUTTONS, s.Lists.GameCommands, unread.UseButtons);
    case 23:
      return ReadCustomAliasBlock(doc.Lines(), c.CUSTOM_ALIAS, s.Lists.CustomAliases, unread.CustomAlias);
    case 31:
      for (const ScgVector& v : Layout().vectors)
        if (!ParseVector(v, doc.ReadConfigValue("HELIRYX", v.key, v.missing), s.GameConfig)) return v.lengthError;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// Stores the precision button for item `item` of the precision list.
void SelectPrecisionItem(long long item, ConfigSession& s) {
  TPrecisionSettings& p = s.GameConfig.PRECISION;
  if (item < 6) {
    s.Flags.PrecisionButtonBase = 0;
    p.MODE.USER = "PHYSICAL";
    p.BUTTON.USER = std::to_string(item);
  } else {
    s.Flags.PrecisionButtonBase = 6;
    p.MODE.USER = "LOGICAL";
    p.BUTTON.USER = std::to_string(item - 6);
  }
}

// The values the editor settles while it shows a configuration, so that the
// record is the same whether a window shows it or not.
void ApplyShowCorrections(ConfigSession& s) {
  TGameConfig& c = s.GameConfig;
  c.ORIENTATION = c.ORIENTATION == "HORIZONTAL" ? "HORIZONTAL" : "VERTICAL";
  s.Flags.SkillLevel = c.LEVEL == "BEGINNER" ? 1 : c.LEVEL == "EXPERT" ? 3 : 2;

  // Chording on or off refills the precision list and reselects the button.
  // The base is this configuration's own mode, never the previous game's.
  bool chording = c.USE_CHORDING.USER == "TRUE";
  c.USE_CHORDING.USER = chording ? "TRUE" : "FALSE";
  long long base = c.PRECISION.MODE.USER == "LOGICAL" ? 6 : 0;
  long long items = chording ? 22 : 6;
  long long item = platform::ParseWholeNumber(c.PRECISION.BUTTON.USER).value_or(0) + base;
  SelectPrecisionItem(std::clamp(item, 0LL, items - 1), s);

  bool precision = c.USE_PRECISION.USER == "TRUE";
  c.USE_PRECISION.USER = precision ? "TRUE" : "FALSE";
  if (!InRange(c.PRECISION.SENS.USER, 0, 5)) c.PRECISION.SENS.USER = "3";
  if (!InRange(c.PRECISION.GAIN.USER, 0, 100)) c.PRECISION.GAIN.USER = "50";
  if (c.USE_CHORDING.USER == "FALSE" && c.PRECISION.MODE.USER == "LOGICAL") c.PRECISION.MODE.USER = "PHYSICAL";
  s.Flags.PrecisionButtonBase = c.PRECISION.MODE.USER == "LOGICAL" ? 6 : 0;

  if (!InRange(c.NULL_REGION.USER, 0, 127)) c.NULL_REGION.USER = "0";

  // A selected alias brings its event name.
  const std::vector<TCustomAlias>& aliases = s.Lists.CustomAliases;
  if (ConvertsToTrue(c.USE_KEYS))
    for (TButtonSlot& slot : c.ButtonSlot)
      for (const TCustomAlias& a : aliases)
        if (AliasNamedBy(a, slot.GameInput.USER)) {
          slot.SendEvent.USER = a.SendEvent;
          break;
        }
  for (int i = 1; i <= 6; ++i)
    for (const TCustomAlias& a : aliases)
      for (TMotionSlot* direction : {&c.MotionAlias.MotionPos(i), &c.MotionAlias.MotionNeg(i)})
        if (AliasNamedBy(a, direction->GameInput.USER)) direction->SendEvent.USER = a.SendEvent;

  c.USE_MASTER.USER = c.USE_MASTER.USER == "FALSE" ? "FALSE" : "TRUE";

  // A curve is kept only when its file exists, and then as a full path.
  for (int n = 6; n >= 1; --n) c.Curve(n).USER = ryx::KeptCurve(c.Curve(n).USER, s.ProgramFolder);
}

}  // namespace

bool CheckScgVersion(const TGameConfig& config, LockText& lock) {
  if (config.VERSION != "6.1") {
    lock = "VERSION=" + config.VERSION;
    return false;
  }
  if (config.APPLICATION_NUMBER != "5.1") {
    lock = "APPLICATION_NUMBER=" + config.APPLICATION_NUMBER;
    return false;
  }
  return true;
}

ScgReadResult ReadSCG(const std::string& Path, bool Upgrading, ConfigSession& s) {
  ScgReadResult result;
  s.Flags.LoadingControls = true;
  s.Instructions.clear();
  s.Flags.CurrentConfigFile = Path;
  // A file that cannot be read reads like an empty one: every key missing.
  ScgDocument doc = ScgDocument::Load(Path).value_or(ScgDocument(std::string()));

  const std::vector<ScgKey>& keys = Layout().keys;
  static const std::vector<const ScgKey*> order = [&] {
    std::vector<const ScgKey*> o;
    for (const ScgKey& k : keys) o.push_back(&k);
    std::stable_sort(o.begin(), o.end(), [](const ScgKey* a, const ScgKey* b) { return a->readStep < b->readStep; });
    return o;
  }();
  auto next = order.begin();
  for (int step = 1; step <= 33; ++step) {
    for (; next != order.end() && (*next)->readStep == step; ++next)
      Store(**next, doc.ReadConfigValue((*next)->section, (*next)->key, (*next)->missing), s.GameConfig);
    // A failed read ends the load: a half-read record is never shown unlocked or saved.
    if ((result.lock = AfterStep(step, doc, s))) return result;
  }
  if (!CheckScgVersion(s.GameConfig, result.lock)) return result;

  ApplyShowCorrections(s);

  if (Upgrading) {
    SaveContext context;
    context.ProgramFolder = s.ProgramFolder;
    context.TakeSnapshot = false;
    SaveResult saved = SaveChanges(Path, s.GameConfig, s.Lists, s.Instructions, context);
    if (!saved.ok) result.saveError = saved.error;
    return result;
  }
  s.Flags.LoadingControls = false;
  // The change check right after the snapshot finds the record as taken: no
  // change pending, unless the snapshot could not be written.
  s.Flags.ConfigModified = SaveSnapshot(s.ProgramFolder, kBeforeSnapshotName, s.GameConfig) ? 0 : 1;
  return result;
}

}  // namespace config_store
