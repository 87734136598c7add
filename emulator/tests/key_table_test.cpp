#include "emulator/key_table.h"
#include "platform/input/virtual_keys.h"

#include <gtest/gtest.h>
#include <set>

using namespace emulator;

namespace {

std::string JoinedNames(const KeyTable& table, size_t from) {
  std::string out;
  for (size_t i = from; i < table.Entries().size(); ++i) out += (out.empty() ? "" : " ") + table.Entries()[i].first;
  return out;
}

TEST(KeyTable, HoldsTheMouseActionsThenTheKeysInOrder) {
  KeyTable table = BuildKeyTable();
  ASSERT_EQ(table.Count(), 139u);
  const std::pair<std::string, uint16_t> mouse[] = {{"VM_LEFTDOWN", 2},   {"VM_LEFTUP", 4},      {"VM_MIDDLEDOWN", 32},
                                                    {"VM_MIDDLEUP", 64},  {"VM_RIGHTDOWN", 8},   {"VM_RIGHTUP", 16},
                                                    {"VM_WHEELUP", 2048}, {"VM_WHEELDOWN", 2048}};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(table.Entries()[i], mouse[i]);
  EXPECT_EQ(JoinedNames(table, 8),
            "VK_LBUTTON VK_RBUTTON VK_CANCEL VK_MBUTTON VK_XBUTTON1 VK_XBUTTON2 VK_BACK VK_TAB VK_CLEAR VK_RETURN "
            "VK_SHIFT VK_CONTROL VK_MENU VK_PAUSE VK_CAPITAL VK_KANA VK_HANGUEL VK_HANGUL VK_JUNJA VK_FINAL VK_HANJA "
            "VK_KANJI VK_ESCAPE VK_CONVERT VK_NONCONVERT VK_ACCEPT VK_MODECHANGE VK_SPACE VK_PRIOR VK_NEXT VK_END "
            "VK_HOME VK_LEFT VK_UP VK_RIGHT VK_DOWN VK_SELECT VK_PRINT VK_EXECUTE VK_SNAPSHOT VK_INSERT VK_DELETE "
            "VK_HELP VK_0 VK_1 VK_2 VK_3 VK_4 VK_5 VK_6 VK_7 VK_8 VK_9 VK_A VK_B VK_C VK_D VK_E VK_F VK_G VK_H VK_I "
            "VK_J VK_K VK_L VK_M VK_N VK_O VK_P VK_Q VK_R VK_S VK_T VK_U VK_V VK_W VK_X VK_Y VK_Z VK_LWIN VK_RWIN "
            "VK_APPS VK_SLEEP VK_NUMPAD0 VK_NUMPAD1 VK_NUMPAD2 VK_NUMPAD3 VK_NUMPAD4 VK_NUMPAD5 VK_NUMPAD6 VK_NUMPAD7 "
            "VK_NUMPAD8 VK_NUMPAD9 VK_MULTIPLY VK_ADD VK_SEPARATOR VK_SUBTRACT VK_DECIMAL VK_DIVIDE VK_F1 VK_F2 VK_F3 "
            "VK_F4 VK_F5 VK_F6 VK_F7 VK_F8 VK_F9 VK_F10 VK_F11 VK_F12 VK_F13 VK_F14 VK_F15 VK_F16 VK_F17 VK_F18 "
            "VK_F19 VK_F20 VK_F21 VK_F22 VK_F23 VK_F24 VK_NUMLOCK VK_SCROLL VK_LSHIFT VK_RSHIFT VK_LCONTROL "
            "VK_RCONTROL VK_LMENU VK_RMENU");
}

TEST(KeyTable, KeysCarryTheirVirtualKeyCodes) {
  KeyTable table = BuildKeyTable();
  struct Row {
    const char* name;
    uint16_t code;
  };
  for (Row row : {Row{"VK_LBUTTON", 1},  Row{"VK_RETURN", 13},   Row{"VK_SPACE", 32},   Row{"VK_0", 48},
                  Row{"VK_9", 57},       Row{"VK_A", 65},        Row{"VK_Z", 90},       Row{"VK_SLEEP", 95},
                  Row{"VK_NUMPAD0", 96}, Row{"VK_NUMPAD9", 105}, Row{"VK_DIVIDE", 111}, Row{"VK_F1", 112},
                  Row{"VK_F24", 135},    Row{"VK_NUMLOCK", 144}, Row{"VK_SCROLL", 145}, Row{"VK_LSHIFT", 160},
                  Row{"VK_RMENU", 165},  Row{"VK_HANGUL", 21},   Row{"VK_KANJI", 25},   Row{"VK_HELP", 47}})
    EXPECT_EQ(table.Find(row.name), row.code) << row.name;
  // Codes no name has.
  std::set<int> used;
  for (size_t i = 8; i < table.Count(); ++i) used.insert(table.Entries()[i].second);
  for (int code : {0, 7, 10, 11, 14, 15, 22, 26, 58, 64, 94, 136, 143, 146, 159, 166})
    EXPECT_FALSE(used.count(code)) << code;
  EXPECT_EQ(used.size(), 131u - 3u);  // 21 has three names, 25 two
}

TEST(KeyTable, LookUpIgnoresCaseAndTheEmptyNameIsNeverFound) {
  KeyTable table = BuildKeyTable();
  EXPECT_EQ(table.Find("vk_a"), 65);
  EXPECT_EQ(table.Find("Vm_WheelUp"), 2048);
  EXPECT_TRUE(KeyExists(table, "vk_numpad5"));
  for (const char* absent : {"", "X", "Y", "VK_", "VK_F25", "VK_A "}) EXPECT_FALSE(KeyExists(table, absent)) << absent;
  EXPECT_FALSE(table.Add("vk_space", 1));
  EXPECT_EQ(table.Find("VK_SPACE"), 32);
}

TEST(KeyTable, EveryKeyNameHasALinuxKeyButTheFewWithoutCounterpart) {
  const std::set<std::string> withoutLinuxKey = {"VK_LBUTTON",    "VK_RBUTTON", "VK_MBUTTON", "VK_XBUTTON1",
                                                 "VK_XBUTTON2",   "VK_JUNJA",   "VK_FINAL",   "VK_ACCEPT",
                                                 "VK_MODECHANGE", "VK_EXECUTE"};
  KeyTable table = BuildKeyTable();
  for (size_t i = 8; i < table.Count(); ++i) {
    const auto& [name, code] = table.Entries()[i];
    EXPECT_EQ(platform::LinuxKeyForVirtualKey(code).has_value(), !withoutLinuxKey.count(name)) << name;
  }
}

}  // namespace
