#include "platform/input/virtual_keys.h"

#include <linux/input-event-codes.h>

namespace platform {

namespace {

struct KeyRow {
  int virtualKey;
  int linuxKey;
};

// Every virtual-key code the action-name table names that has a Linux key.
constexpr KeyRow kKeys[] = {
    {3, KEY_CANCEL},      // VK_CANCEL
    {8, KEY_BACKSPACE},   // VK_BACK
    {9, KEY_TAB},         // VK_TAB
    {12, KEY_CLEAR},      // VK_CLEAR
    {13, KEY_ENTER},      // VK_RETURN
    {16, KEY_LEFTSHIFT},  // VK_SHIFT
    {17, KEY_LEFTCTRL},   // VK_CONTROL
    {18, KEY_LEFTALT},    // VK_MENU
    {19, KEY_PAUSE},      // VK_PAUSE
    {20, KEY_CAPSLOCK},   // VK_CAPITAL
    {21, KEY_HANGEUL},    // VK_KANA, VK_HANGUEL, VK_HANGUL
    {25, KEY_HANJA},      // VK_HANJA, VK_KANJI
    {27, KEY_ESC},        // VK_ESCAPE
    {28, KEY_HENKAN},     // VK_CONVERT
    {29, KEY_MUHENKAN},   // VK_NONCONVERT
    {32, KEY_SPACE},      // VK_SPACE
    {33, KEY_PAGEUP},     // VK_PRIOR
    {34, KEY_PAGEDOWN},   // VK_NEXT
    {35, KEY_END},        // VK_END
    {36, KEY_HOME},       // VK_HOME
    {37, KEY_LEFT},       // VK_LEFT
    {38, KEY_UP},         // VK_UP
    {39, KEY_RIGHT},      // VK_RIGHT
    {40, KEY_DOWN},       // VK_DOWN
    {41, KEY_SELECT},     // VK_SELECT
    {42, KEY_PRINT},      // VK_PRINT
    {44, KEY_SYSRQ},      // VK_SNAPSHOT (Print Screen)
    {45, KEY_INSERT},     // VK_INSERT
    {46, KEY_DELETE},     // VK_DELETE
    {47, KEY_HELP},       // VK_HELP
    {48, KEY_0},           {49, KEY_1},    {50, KEY_2},    {51, KEY_3},    {52, KEY_4},           {53, KEY_5},
    {54, KEY_6},           {55, KEY_7},    {56, KEY_8},    {57, KEY_9},    {65, KEY_A},           {66, KEY_B},
    {67, KEY_C},           {68, KEY_D},    {69, KEY_E},    {70, KEY_F},    {71, KEY_G},           {72, KEY_H},
    {73, KEY_I},           {74, KEY_J},    {75, KEY_K},    {76, KEY_L},    {77, KEY_M},           {78, KEY_N},
    {79, KEY_O},           {80, KEY_P},    {81, KEY_Q},    {82, KEY_R},    {83, KEY_S},           {84, KEY_T},
    {85, KEY_U},           {86, KEY_V},    {87, KEY_W},    {88, KEY_X},    {89, KEY_Y},           {90, KEY_Z},
    {91, KEY_LEFTMETA},   // VK_LWIN
    {92, KEY_RIGHTMETA},  // VK_RWIN
    {93, KEY_COMPOSE},    // VK_APPS (the menu key)
    {95, KEY_SLEEP},      // VK_SLEEP
    {96, KEY_KP0},         {97, KEY_KP1},  {98, KEY_KP2},  {99, KEY_KP3},  {100, KEY_KP4},        {101, KEY_KP5},
    {102, KEY_KP6},        {103, KEY_KP7}, {104, KEY_KP8}, {105, KEY_KP9}, {106, KEY_KPASTERISK},  // VK_MULTIPLY
    {107, KEY_KPPLUS},                                                                             // VK_ADD
    {108, KEY_KPCOMMA},                                                                            // VK_SEPARATOR
    {109, KEY_KPMINUS},                                                                            // VK_SUBTRACT
    {110, KEY_KPDOT},                                                                              // VK_DECIMAL
    {111, KEY_KPSLASH},                                                                            // VK_DIVIDE
    {112, KEY_F1},         {113, KEY_F2},  {114, KEY_F3},  {115, KEY_F4},  {116, KEY_F5},         {117, KEY_F6},
    {118, KEY_F7},         {119, KEY_F8},  {120, KEY_F9},  {121, KEY_F10}, {122, KEY_F11},        {123, KEY_F12},
    {124, KEY_F13},        {125, KEY_F14}, {126, KEY_F15}, {127, KEY_F16}, {128, KEY_F17},        {129, KEY_F18},
    {130, KEY_F19},        {131, KEY_F20}, {132, KEY_F21}, {133, KEY_F22}, {134, KEY_F23},        {135, KEY_F24},
    {144, KEY_NUMLOCK},     // VK_NUMLOCK
    {145, KEY_SCROLLLOCK},  // VK_SCROLL
    {160, KEY_LEFTSHIFT},   // VK_LSHIFT
    {161, KEY_RIGHTSHIFT},  // VK_RSHIFT
    {162, KEY_LEFTCTRL},    // VK_LCONTROL
    {163, KEY_RIGHTCTRL},   // VK_RCONTROL
    {164, KEY_LEFTALT},     // VK_LMENU
    {165, KEY_RIGHTALT},    // VK_RMENU
};

}  // namespace

std::optional<int> LinuxKeyForVirtualKey(int virtualKey) {
  for (const KeyRow& row : kKeys)
    if (row.virtualKey == virtualKey) return row.linuxKey;
  return std::nullopt;
}

}  // namespace platform
