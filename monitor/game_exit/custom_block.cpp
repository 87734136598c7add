#include "monitor/game_exit/custom_block.h"

#include "config_store/block_readers.h"
#include "monitor/game_exit/custom_file_actions.h"
#include "monitor/game_exit/custom_ini_registry_actions.h"
#include "monitor/game_exit/placeholders.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <initializer_list>

namespace game_exit {
namespace {

using Executor = bool (*)(const ActionArgs&, const CustomContext&);

struct Verb {
  const char* name;
  size_t fields;                        // size of the verb's argument table
  std::initializer_list<size_t> fill;   // fields passed through CheckForJoy
  std::initializer_list<size_t> shown;  // fields that must be non-empty for the debug line
  int errorNumber;
  Executor run;
};

const Verb kVerbs[] = {
    {"DELETE", 5, {}, {}, kDeleteError, ExecDelete},   {"MODIFY", 5, {3, 4}, {3, 4}, kModifyError, ExecModify},
    {"APPEND", 4, {3}, {3}, kAppendError, ExecAppend}, {"REPLACE", 5, {4}, {4}, kReplaceError, ExecReplace},
    {"INI", 6, {5}, {4}, kIniRegistryError, ExecIni},  {"REGISTRY", 6, {5}, {6}, kIniRegistryError, ExecRegistry},
};

const Verb* FindVerb(const std::string& word) {
  for (const Verb& verb : kVerbs)
    if (platform::EqualsNoCase(word, verb.name)) return &verb;
  return nullptr;
}

bool Contains(std::initializer_list<size_t> list, size_t k) {
  for (size_t item : list)
    if (item == k) return true;
  return false;
}

// Runs one row; 0 when it succeeded or was skipped, else the verb's number.
int RunRow(const std::string& row, const CustomContext& context, const GameBindings& bindings) {
  // A row without the "\," separator has no verb.
  auto fields = config_store::SplitCustomFields(row);
  if (!fields || fields->size() < 2) {
    context.AddLog("Skipped CUSTOM row: " + platform::Trim(row));
    return 0;
  }
  const Verb* verb = FindVerb((*fields)[1]);
  if (!verb) return 0;
  if (fields->size() > verb->fields) {
    context.AddLog("Skipped CUSTOM row: " + platform::Trim(row));
    return 0;
  }
  ActionArgs args;
  args.fields.resize(verb->fields);
  for (size_t k = 1; k <= fields->size(); ++k) {
    const std::string& field = (*fields)[k - 1];
    args.fields[k - 1] = Contains(verb->fill, k) ? CheckForJoy(field, bindings) : field;
  }
  if (context.DebugMode) {
    bool show = true;
    for (size_t k : verb->shown) show = show && !args.Field(k).empty();
    if (show) context.AddLog(platform::Join(args.fields, ", "));
  }
  return verb->run(args, context) ? 0 : verb->errorNumber;
}

}  // namespace

CustomRun ReadCustom(const std::string& ActiveScgFile, const CustomContext& context, const GameBindings& bindings) {
  CustomRun run;
  auto bytes = platform::ReadFileBytes(ActiveScgFile);
  if (!bytes) {
    context.AddLog("Could not read the CUSTOM block of " + ActiveScgFile);
    run.complete = false;
    return run;
  }
  config_store::BlockRules rules;
  rules.keyIgnoresCase = true;
  rules.emptyLineEnds = true;
  config_store::BlockScan scan = config_store::ScanBlock(platform::SplitLines(*bytes), "CUSTOM", rules);
  if (scan.end == config_store::BlockScan::End::KeyNotFound) {
    context.AddLog("No CUSTOM block in " + ActiveScgFile);
    run.complete = false;
    return run;
  }
  for (const std::string& row : scan.rows) {
    if (int error = RunRow(row, context, bindings)) {
      run.errorNumber = error;
      return run;
    }
  }
  // A block cut short by an empty line ran incomplete; the end of the file
  // ends it like its closing line.
  run.complete = scan.end != config_store::BlockScan::End::EmptyLine;
  return run;
}

}  // namespace game_exit
