#include "emulator/key_table.h"

#include "platform/text.h"

namespace emulator {

bool KeyTable::Add(const std::string& name, uint16_t code) {
  std::string lower = platform::ToLower(name);
  if (byLowerName_.count(lower)) return false;
  byLowerName_[lower] = entries_.size();
  entries_.emplace_back(name, code);
  return true;
}

std::optional<uint16_t> KeyTable::Find(const std::string& name) const {
  auto at = byLowerName_.find(platform::ToLower(name));
  if (at == byLowerName_.end()) return std::nullopt;
  return entries_[at->second].second;
}

void KeyTable::Clear() {
  entries_.clear();
  byLowerName_.clear();
}

KeyTable BuildKeyTable() {
  KeyTable t;
  t.Add("VM_LEFTDOWN", 2);
  t.Add("VM_LEFTUP", 4);
  t.Add("VM_MIDDLEDOWN", 32);
  t.Add("VM_MIDDLEUP", 64);
  t.Add("VM_RIGHTDOWN", 8);
  t.Add("VM_RIGHTUP", 16);
  t.Add("VM_WHEELUP", 2048);
  t.Add("VM_WHEELDOWN", 2048);

  const std::pair<const char*, uint16_t> keys[] = {
      {"VK_LBUTTON", 1},  {"VK_RBUTTON", 2},     {"VK_CANCEL", 3},  {"VK_MBUTTON", 4},  {"VK_XBUTTON1", 5},
      {"VK_XBUTTON2", 6}, {"VK_BACK", 8},        {"VK_TAB", 9},     {"VK_CLEAR", 12},   {"VK_RETURN", 13},
      {"VK_SHIFT", 16},   {"VK_CONTROL", 17},    {"VK_MENU", 18},   {"VK_PAUSE", 19},   {"VK_CAPITAL", 20},
      {"VK_KANA", 21},    {"VK_HANGUEL", 21},    {"VK_HANGUL", 21}, {"VK_JUNJA", 23},   {"VK_FINAL", 24},
      {"VK_HANJA", 25},   {"VK_KANJI", 25},      {"VK_ESCAPE", 27}, {"VK_CONVERT", 28}, {"VK_NONCONVERT", 29},
      {"VK_ACCEPT", 30},  {"VK_MODECHANGE", 31}, {"VK_SPACE", 32},  {"VK_PRIOR", 33},   {"VK_NEXT", 34},
      {"VK_END", 35},     {"VK_HOME", 36},       {"VK_LEFT", 37},   {"VK_UP", 38},      {"VK_RIGHT", 39},
      {"VK_DOWN", 40},    {"VK_SELECT", 41},     {"VK_PRINT", 42},  {"VK_EXECUTE", 43}, {"VK_SNAPSHOT", 44},
      {"VK_INSERT", 45},  {"VK_DELETE", 46},     {"VK_HELP", 47},
  };
  for (const auto& [name, code] : keys) t.Add(name, code);
  for (char c = '0'; c <= '9'; ++c) t.Add(std::string("VK_") + c, static_cast<uint16_t>(c));
  for (char c = 'A'; c <= 'Z'; ++c) t.Add(std::string("VK_") + c, static_cast<uint16_t>(c));
  t.Add("VK_LWIN", 91);
  t.Add("VK_RWIN", 92);
  t.Add("VK_APPS", 93);
  t.Add("VK_SLEEP", 95);
  for (int n = 0; n <= 9; ++n) t.Add("VK_NUMPAD" + std::to_string(n), static_cast<uint16_t>(96 + n));
  t.Add("VK_MULTIPLY", 106);
  t.Add("VK_ADD", 107);
  t.Add("VK_SEPARATOR", 108);
  t.Add("VK_SUBTRACT", 109);
  t.Add("VK_DECIMAL", 110);
  t.Add("VK_DIVIDE", 111);
  for (int n = 1; n <= 24; ++n) t.Add("VK_F" + std::to_string(n), static_cast<uint16_t>(111 + n));
  t.Add("VK_NUMLOCK", 144);
  t.Add("VK_SCROLL", 145);
  t.Add("VK_LSHIFT", 160);
  t.Add("VK_RSHIFT", 161);
  t.Add("VK_LCONTROL", 162);
  t.Add("VK_RCONTROL", 163);
  t.Add("VK_LMENU", 164);
  t.Add("VK_RMENU", 165);
  return t;
}

bool KeyExists(const KeyTable& table, const std::string& key) { return !key.empty() && table.Find(key).has_value(); }

}  // namespace emulator
