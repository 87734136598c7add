#include "config_store/block_readers.h"

#include "config_store/scg_values.h"
#include "platform/text.h"

#include <cctype>

namespace config_store {

namespace {

const std::string kBlockEnd = "   }";

// The characters of `text` without its first and last one; empty when too short.
std::string Inner(const std::string& text) {
  return text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
}

}  // namespace

BlockScan ScanBlock(const std::vector<std::string>& lines, const std::string& keyWord, const BlockRules& rules) {
  BlockScan scan;
  auto isKey = [&](const std::string& line) {
    if (line.size() < keyWord.size()) return false;
    std::string_view head(line.data(), keyWord.size());
    return rules.keyIgnoresCase ? platform::EqualsNoCase(head, keyWord) : head == keyWord;
  };
  std::size_t last = rules.keyLineLimit > 0 ? std::min(lines.size(), rules.keyLineLimit) : lines.size();
  std::size_t i = 0;
  while (i < last && !isKey(lines[i])) ++i;
  if (i == last) return scan;  // KeyNotFound
  ++i;                         // the opening line: no row, though a closing line there ends the block
  if (i < lines.size() && lines[i] == kBlockEnd) {
    scan.end = BlockScan::End::Terminator;
    return scan;
  }
  int rows = 0;
  for (++i; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line == kBlockEnd) {
      scan.end = BlockScan::End::Terminator;
      return scan;
    }
    if (line.empty() && rules.emptyLineEnds) {
      scan.end = BlockScan::End::EmptyLine;
      return scan;
    }
    scan.rawLines.push_back(line);
    if (line.empty()) continue;
    scan.rows.push_back(line);
    if (rules.rowLimit > 0 && ++rows > rules.rowLimit) {
      scan.end = BlockScan::End::RowLimit;
      return scan;
    }
  }
  scan.end = BlockScan::End::EndOfFile;
  return scan;
}

std::vector<std::string> UnreadBlockLines(const std::vector<std::string>& lines, const std::string& keyWord) {
  BlockScan scan = ScanBlock(lines, keyWord, EditorBlockRules(0));
  if (scan.end != BlockScan::End::Terminator) return {};
  for (const std::string& line : scan.rawLines)
    if (!line.empty() && (line[0] == '[' || std::isalpha(static_cast<unsigned char>(line[0])))) return {};
  return scan.rawLines;
}

TCopyFile SplitCopyRow(const std::string& row, MissingList missing) {
  std::string text = platform::Trim(row);
  if (!text.empty()) text.erase(0, 1);  // the opening quote
  TCopyFile file;
  std::string unused;
  SplitAliasList(2, text, file.Source, file.Destination, unused, 0, missing);
  return file;
}

std::optional<std::vector<std::string>> SplitCustomFields(const std::string& row) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t sep = row.find("\\,", start);
    std::string field =
        platform::Trim(std::string_view(row).substr(start, sep == std::string::npos ? std::string::npos : sep - start));
    if (field.size() < 2) return std::nullopt;
    fields.push_back(Inner(field));
    if (sep == std::string::npos) return fields;
    start = sep + 2;
  }
}

std::optional<TCustomAction> SplitCustomRow(const std::string& row) {
  auto fields = SplitCustomFields(row);
  if (!fields || fields->size() > 6) return std::nullopt;
  TCustomAction action;
  for (std::size_t k = 0; k < fields->size(); ++k) action(k + 1) = (*fields)[k];
  return action;
}

LockText ReadCopyFilesBlock(const std::vector<std::string>& lines, const std::string& COPY_FILES,
                            std::vector<TCopyFile>& CopyFiles, std::vector<std::string>& Unread) {
  CopyFiles.assign(1, TCopyFile{});
  Unread.clear();
  if (!IsTrue(COPY_FILES)) {
    Unread = UnreadBlockLines(lines, "COPY_FILES");
    return std::nullopt;
  }
  BlockScan scan = ScanBlock(lines, "COPY_FILES", EditorBlockRules(kBlockRowLimit));
  // Rows stay whatever the end: a missing key or terminator is not reported.
  for (std::size_t n = 0; n < scan.rows.size(); ++n) {
    if (n >= CopyFiles.size()) CopyFiles.emplace_back();
    CopyFiles[n] = SplitCopyRow(scan.rows[n]);
  }
  return std::nullopt;
}

LockText ReadCustomBlock(const std::vector<std::string>& lines, const std::string& CUSTOM,
                         std::vector<TCustomAction>& CustomActions, std::vector<std::string>& Unread) {
  CustomActions.assign(1, TCustomAction{});
  Unread.clear();
  if (!IsTrue(CUSTOM)) {
    Unread = UnreadBlockLines(lines, "CUSTOM");
    return std::nullopt;
  }
  BlockScan scan = ScanBlock(lines, "CUSTOM", EditorBlockRules(kBlockRowLimit));
  if (scan.end == BlockScan::End::RowLimit) return "CUSTOM=";
  for (const std::string& row : scan.rows) {
    // More than six fields, or a field too short for its quotes: a later save
    // would lose this row and every later one.
    auto action = SplitCustomRow(row);
    if (!action) return "CUSTOM=";
    CustomActions.back() = *action;
    CustomActions.emplace_back();
  }
  return std::nullopt;
}

void ReadInstructionsBlock(const std::vector<std::string>& lines, const std::string& SHOW_INSTRUCTIONS,
                           std::string& Instructions, std::vector<std::string>& Unread) {
  Instructions.clear();
  Unread.clear();
  if (SHOW_INSTRUCTIONS == "FALSE") {
    Unread = UnreadBlockLines(lines, "SHOW_INSTRUCTIONS");
    return;
  }
  BlockScan scan = ScanBlock(lines, "SHOW_INSTRUCTIONS", EditorBlockRules(0));
  for (const std::string& line : scan.rawLines) {
    // The text between `   "` and the closing quote; an empty line stays empty.
    if (line.size() > 5) Instructions += line.substr(4, line.size() - 5);
    Instructions += "\r\n";
  }
}

LockText ReadUseButtonsBlock(const std::vector<std::string>& lines, const std::string& USE_BUTTONS,
                             std::vector<TGameCommand>& GameCommands, std::vector<std::string>& Unread) {
  GameCommands.clear();
  Unread.clear();
  if (!IsTrue(USE_BUTTONS)) {
    Unread = UnreadBlockLines(lines, "USE_BUTTONS");
  } else {
    BlockScan scan = ScanBlock(lines, "USE_BUTTONS", EditorBlockRules(kBlockRowLimit));
    if (scan.end == BlockScan::End::KeyNotFound) {
      GameCommands.assign(1, TGameCommand{});
      return "USE_BUTTONS= not found";
    }
    for (const std::string& row : scan.rows) {
      TGameCommand& command = GameCommands.emplace_back();
      std::string unused;
      SplitAliasList(2, row, command.GameCommand, command.ListName, unused, 1);
    }
    if (scan.end != BlockScan::End::Terminator) {
      if (GameCommands.empty()) GameCommands.emplace_back();
      return "USE_BUTTONS= section terminator not found";
    }
  }
  GameCommands.push_back({"", kButtonDefinedInGame});
  return std::nullopt;
}

LockText ReadCustomAliasBlock(const std::vector<std::string>& lines, const std::string& CUSTOM_ALIAS,
                              std::vector<TCustomAlias>& CustomAliases, std::vector<std::string>& Unread) {
  Unread.clear();
  if (!IsTrue(CUSTOM_ALIAS)) {
    LoadDefaultKeyAliases(CustomAliases);
    Unread = UnreadBlockLines(lines, "CUSTOM_ALIAS");
    return std::nullopt;
  }
  CustomAliases.assign(1, TCustomAlias{});
  BlockScan scan = ScanBlock(lines, "CUSTOM_ALIAS", EditorBlockRules(kBlockRowLimit));
  if (scan.end == BlockScan::End::KeyNotFound) return "CUSTOM_ALIAS= not found";
  for (std::size_t n = 0; n < scan.rows.size(); ++n) {
    if (n >= CustomAliases.size()) CustomAliases.emplace_back();
    TCustomAlias& alias = CustomAliases[n];
    SplitAliasList(3, Inner(platform::Trim(scan.rows[n])), alias.GameInput, alias.ListName, alias.SendEvent, 0);
  }
  if (scan.end != BlockScan::End::Terminator) return "CUSTOM_ALIAS= section terminator not found";
  return std::nullopt;
}

void AddCustomAlias(std::vector<TCustomAlias>& CustomAliases, const std::string& GameInput, const std::string& ListName,
                    const std::string& SendEvent, bool First) {
  if (First) CustomAliases.clear();
  CustomAliases.push_back({GameInput, ListName, SendEvent});
}

void LoadDefaultKeyAliases(std::vector<TCustomAlias>& CustomAliases) {
  static const std::vector<TCustomAlias> table = [] {
    std::vector<TCustomAlias> t = {
        {"MOUSE1", "Left-Click", "VM_LEFTDOWN"},      {"MOUSE2", "Middle-Click", "VM_MIDDLEDOWN"},
        {"MOUSE3", "Right-Click", "VM_RIGHTDOWN"},    {"MWHEELUP", "Wheel Up", "VM_WHEELUP"},
        {"MWHEELDOWN", "Wheel Down", "VM_WHEELDOWN"},
    };
    for (char c = 'a'; c <= 'z'; ++c) {
      std::string upper(1, static_cast<char>(c - 'a' + 'A'));
      t.push_back({std::string(1, c), "'" + upper + "' Key", "VK_" + upper});
    }
    for (char c : std::string("1234567890")) {
      std::string d(1, c);
      t.push_back({d, "'" + d + "' Key", "VK_" + d});
    }
    std::vector<TCustomAlias> keys = {
        {"BACKSPACE", "BACKSPACE", "VK_BACK"},
        {"TAB", "TAB", "VK_TAB"},
        {"ENTER", "ENTER", "VK_RETURN"},
        {"SHIFT", "SHIFT", "VK_SHIFT"},
        {"CTRL", "CONTROL", "VK_CONTROL"},
        {"ALT", "ALTERNATE", "VK_MENU"},
        {"PAUSE", "PAUSE", "VK_PAUSE"},
        {"CAPS", "CAPS LOCK", "VK_CAPITAL"},
        {"ESCAPE", "ESCAPE", "VK_ESCAPE"},
        {"SPACE", "SPACEBAR", "VK_SPACE"},
        {"PGUP", "PAGE UP", "VK_PRIOR"},
        {"PGDN", "PAGE DOWN", "VK_NEXT"},
        {"END", "END", "VK_END"},
        {"HOME", "HOME", "VK_HOME"},
        {"LEFTARROW", "LEFT", "VK_LEFT"},
        {"RIGHTARROW", "RIGHT", "VK_RIGHT"},
        {"UPARROW", "UP", "VK_UP"},
        {"DOWNARROW", "DOWN", "VK_DOWN"},
        {"INS", "INSERT", "VK_INSERT"},
        {"DEL", "DELETE", "VK_DELETE"},
    };
    t.insert(t.end(), keys.begin(), keys.end());
    for (char c : std::string("1234567890")) {
      std::string d(1, c);
      t.push_back({"NUM" + d, "NUM " + d, "VK_NUMPAD" + d});
    }
    for (int f = 1; f <= 12; ++f) {
      std::string name = "F" + std::to_string(f);
      t.push_back({name, name, "VK_" + name});
    }
    return t;
  }();
  bool first = true;
  for (const TCustomAlias& a : table) {
    AddCustomAlias(CustomAliases, a.GameInput, a.ListName, a.SendEvent, first);
    first = false;
  }
}

}  // namespace config_store
