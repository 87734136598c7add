#include "config_store/scg_writer.h"

#include "config_store/install_folder.h"
#include "config_store/record_fields.h"
#include "config_store/scg_layout.h"
#include "config_store/scg_values.h"
#include "config_store/snapshot.h"
#include "config_store/vector_parsers.h"
#include "platform/file_system.h"
#include "platform/text.h"

#include <ctime>
#include <stdexcept>

namespace config_store {

namespace {

const std::string kEnd = "\r\n";
const std::string kEmptyTriple = JoinTriple("", "", "");

// A value the file cannot hold; the save stops before anything is written.
struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

long long Number(const std::string& text, const std::string& what) {
  auto n = platform::ParseWholeNumber(text);
  if (!n) throw Refused(what + " is not a number: \"" + text + "\"");
  return *n;
}

// A path inside the program folder is stored relative to it (".\crv\a.crv").
// Only a separator after the folder makes it inside: C:\Tools\Ryx2 is not in C:\Tools\Ryx.
std::string CurveValue(const std::string& path, const std::string& programFolder) {
  const std::size_t n = programFolder.size();
  if (n > 0 && path.size() > n + 1 && platform::EqualsNoCase(std::string_view(path).substr(0, n), programFolder) &&
      (path[n] == '\\' || path[n] == '/')) {
    std::string rest = path.substr(n + 1);
    for (char& ch : rest)
      if (ch == '/') ch = '\\';
    return ".\\" + rest;
  }
  return path;
}

// The reader trims blanks off a value and takes one enclosing pair of quotes
// away: a value that would lose either is written inside a pair of its own.
bool ReadsBackBare(const std::string& value) {
  if (value.empty()) return true;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (blank(value.front()) || blank(value.back())) return false;
  return !(value.size() >= 2 && value.front() == '"' && value.back() == '"');
}

std::string KeyValue(const ScgKey& key, const TGameConfig& config, const std::string& programFolder) {
  ConstFieldRefs refs = key.value(config);
  auto triple = [&] { return JoinTriple(*refs.at[0], *refs.at[1], *refs.at[2]); };
  switch (key.kind) {
    case KeyKind::Plain:
      return ReadsBackBare(*refs.at[0]) ? *refs.at[0] : Quoted(*refs.at[0]);
    case KeyKind::Quoted:
      return Quoted(*refs.at[0]);
    case KeyKind::Triple:
      return triple();
    case KeyKind::ButtonAlias:
      return *refs.at[1] == "(None)" ? kEmptyTriple : triple();
    case KeyKind::Curve:
      return Quoted(CurveValue(*refs.at[0], programFolder));
    case KeyKind::MotionUser: {
      // A direction's binding is kept for an axis that sends keys, whatever
      // the mouse axes, and for the mouse axes while both of them are set.
      long long x = Number(config.MotionAlias.X, "MOTION_ALIAS_X");
      long long y = Number(config.MotionAlias.Y, "MOTION_ALIAS_Y");
      bool keys = config.USE_KEYS == "TRUE" && config.MotionAlias.UseKeys(key.axis + 1) == "TRUE";
      bool mouse = x >= 0 && y >= 0 && (key.axis == x || key.axis == y);
      return mouse || keys ? triple() : kEmptyTriple;
    }
  }
  return {};
}

std::string VectorValue(const ScgVector& v, const TGameConfig& c) {
  bool dflt = v.kind == "DFLT";
  auto half = [&](const TSettingPair& p) -> const std::string& { return dflt ? p.DFLT : p.USER; };
  std::vector<std::string> entries;
  std::string separator = "/";
  std::size_t width = 1;
  switch (v.type) {
    case VectorType::AxisMap:
      for (int i = 1; i <= 6; ++i) entries.push_back(std::to_string(Number(half(c.AxisMap(i)), v.key) - 1));
      break;
    case VectorType::Polarity:
      for (int m = 1; m <= 6; ++m) entries.push_back(half(c.Polarity(m)));
      break;
    case VectorType::Gain:
      separator = ", ";
      width = 3;
      for (int col = 1; col <= 7; ++col) entries.push_back(PadGain(half(c.GainTable(v.level, col))));
      break;
    case VectorType::Sensitivity:
      for (int col = 1; col <= 7; ++col) entries.push_back(half(c.SensitivityTable(v.level, col)));
      break;
  }
  // An entry of another width would give a vector no reader accepts.
  for (const std::string& entry : entries)
    if (entry.size() != width) throw Refused(v.key + " holds an entry that does not fit: \"" + entry + "\"");
  return "{ " + platform::Join(entries, separator) + " }";
}

std::string Row(const std::string& text) { return "   \"" + text + "\"" + kEnd; }

const std::vector<std::string>& UnreadLines(ScgBlock block, const TUnreadRows& unread) {
  switch (block) {
    case ScgBlock::CopyFiles:
      return unread.CopyFiles;
    case ScgBlock::Custom:
      return unread.Custom;
    case ScgBlock::Instructions:
      return unread.Instructions;
    case ScgBlock::UseButtons:
      return unread.UseButtons;
    case ScgBlock::CustomAlias:
      return unread.CustomAlias;
  }
  return unread.CopyFiles;
}

std::string BlockRows(ScgBlock block, const TGameConfig& config, const ConfigLists& lists,
                      const std::string& instructions) {
  std::string rows;
  switch (block) {
    case ScgBlock::CopyFiles:
      // Every row read, whatever the flag says and whatever the first row
      // holds; the one row of two empty texts is the shape of no rows.
      if (lists.CopyFiles != std::vector<TCopyFile>(1))
        for (const TCopyFile& f : lists.CopyFiles) rows += Row(f.Source + "\", \"" + f.Destination);
      break;
    case ScgBlock::Custom:
      // Every row the reader kept, empty fields or not; the last entry is the
      // spare one and is never written.
      for (std::size_t r = 0; r + 1 < lists.CustomActions.size(); ++r) {
        const TCustomAction& a = lists.CustomActions[r];
        int fields = !a(6).empty() ? 6 : !a(5).empty() ? 5 : !a(4).empty() ? 4 : 3;
        std::string text = a(1);
        for (int f = 2; f <= fields; ++f) text += "\"\\, \"" + a(f);
        rows += Row(text);
      }
      break;
    case ScgBlock::Instructions:
      // One row per line of the text; a final line break ends the last line.
      for (const std::string& line : platform::SplitLines(instructions)) rows += Row(line);
      break;
    case ScgBlock::UseButtons:
      // Every row the reader kept, an empty command too; the last entry is the
      // "(Button defined in game)" one the reader adds.
      for (std::size_t k = 0; k + 1 < lists.GameCommands.size(); ++k)
        rows += Row(lists.GameCommands[k].GameCommand + "\", \"" + lists.GameCommands[k].ListName);
      break;
    case ScgBlock::CustomAlias:
      // An empty block reads as one entry of three empty texts, and so does a
      // block of that one row: neither gives a row back.
      if (config.CUSTOM_ALIAS == "TRUE" && lists.CustomAliases != std::vector<TCustomAlias>(1))
        for (const TCustomAlias& a : lists.CustomAliases)
          rows += Row(a.GameInput + "\", \"" + a.ListName + "\", \"" + a.SendEvent);
      break;
  }
  // A block its flag kept from being read keeps its lines as they stood.
  if (rows.empty())
    for (const std::string& line : UnreadLines(block, lists.UnreadRows)) rows += line + kEnd;
  return "   {" + kEnd + rows + "   }" + kEnd;
}

std::string Now(const char* format) {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char buffer[64];
  std::strftime(buffer, sizeof buffer, format, &local);
  return buffer;
}

// Only a line feed ends a line for the readers: a lone carriage return is a
// character of the value, read back as it was written.
bool HasBreak(const std::string& text) { return text.find('\n') != std::string::npos; }

// A line break inside a value or row would forge lines of its own. The name of
// the first such value, or empty.
std::string LineBreakIn(const TGameConfig& config, const ConfigLists& lists, const std::string& instructions) {
  std::string where;
  ForEachRecordText(config, [&](const std::string& text) {
    if (where.empty() && HasBreak(text)) where = "a value of the configuration";
  });
  for (const TCopyFile& f : lists.CopyFiles)
    if (HasBreak(f.Source) || HasBreak(f.Destination)) return "a COPY_FILES row";
  for (const TCustomAction& a : lists.CustomActions)
    for (const std::string& field : a)
      if (HasBreak(field)) return "a CUSTOM row";
  for (const TGameCommand& g : lists.GameCommands)
    if (HasBreak(g.GameCommand) || HasBreak(g.ListName)) return "a USE_BUTTONS row";
  for (const TCustomAlias& a : lists.CustomAliases)
    if (HasBreak(a.GameInput) || HasBreak(a.ListName) || HasBreak(a.SendEvent)) return "a CUSTOM_ALIAS row";
  for (const std::string& line : platform::SplitLines(instructions))
    if (HasBreak(line)) return "a line of the instructions";
  for (ScgBlock block :
       {ScgBlock::CopyFiles, ScgBlock::Custom, ScgBlock::Instructions, ScgBlock::UseButtons, ScgBlock::CustomAlias})
    for (const std::string& line : UnreadLines(block, lists.UnreadRows))
      if (HasBreak(line)) return "a row of a block not in use";
  return where;
}

}  // namespace

std::string BuildScgText(const TGameConfig& config, const ConfigLists& lists, const std::string& instructions,
                         const SaveContext& context) {
  const ScgLayout& layout = Layout();
  std::string text;
  for (const LayoutItem& item : layout.items) {
    switch (item.kind) {
      case LayoutItem::Kind::Line:
        text += item.text + kEnd;
        break;
      case LayoutItem::Kind::Header:
        text += ";  This file was created by " + context.ProgramName + " at " +
                (context.Time.empty() ? Now("%H:%M:%S") : context.Time) + " on " +
                (context.Date.empty() ? Now("%Y-%m-%d") : context.Date) + "." + kEnd;
        break;
      case LayoutItem::Kind::Key: {
        const ScgKey& key = layout.keys[item.index];
        text += key.key + "=" + KeyValue(key, config, context.ProgramFolder) + kEnd;
        break;
      }
      case LayoutItem::Kind::Block:
        text += BlockRows(static_cast<ScgBlock>(item.index), config, lists, instructions);
        break;
      case LayoutItem::Kind::Vector: {
        const ScgVector& v = layout.vectors[item.index];
        text += v.key + "= " + VectorValue(v, config) + kEnd;
        break;
      }
    }
  }
  return text;
}

SaveResult SaveChanges(const std::string& path, const TGameConfig& config, const ConfigLists& lists,
                       const std::string& instructions, const SaveContext& context) {
  SaveResult result;
  if (std::string where = LineBreakIn(config, lists, instructions); !where.empty()) {
    result.error = where + " holds a line break";
    return result;
  }
  // A file the player made read-only stays as it is, as the upgrade leaves it.
  if (!platform::MayReplaceFile(path)) {
    result.error = "the file is read-only";
    return result;
  }
  std::string text;
  try {
    text = BuildScgText(config, lists, instructions, context);
  } catch (const Refused& refused) {
    result.error = refused.what();
    return result;
  }
  if (!platform::WriteFileAtomic(path, text)) {
    result.error = "cannot write " + path;
    return result;
  }
  result.ok = true;
  if (context.TakeSnapshot) SaveSnapshot(context.ProgramFolder, kBeforeSnapshotName, config);
  return result;
}

}  // namespace config_store
