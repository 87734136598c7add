#include "emulator/actions.h"

#include <gtest/gtest.h>

using namespace emulator;

namespace {

struct ActionCase {
  const char* name;
  const char* press;
  const char* release;
};

class Actions : public ::testing::TestWithParam<ActionCase> {};

TEST_P(Actions, PressAndReleaseSendTheirHalves) {
  static const KeyTable table = BuildKeyTable();
  std::vector<platform::InputEvent> pressed, released;
  PressAction(table, GetParam().name, pressed);
  ReleaseAction(table, GetParam().name, released);
  EXPECT_EQ(platform::ToText(pressed), GetParam().press);
  EXPECT_EQ(platform::ToText(released), GetParam().release);
}

INSTANTIATE_TEST_SUITE_P(Cases, Actions,
                         ::testing::Values(ActionCase{"VM_LEFTDOWN", "left down", "left up"},
                                           ActionCase{"VM_RIGHTDOWN", "right down", "right up"},
                                           ActionCase{"VM_MIDDLEDOWN", "middle down", "middle up"},
                                           // One notch per press, nothing on release.
                                           ActionCase{"VM_WHEELUP", "wheel 120", ""},
                                           ActionCase{"VM_WHEELDOWN", "wheel -120", ""},
                                           ActionCase{"VK_SHIFT", "key 16 down", "key 16 up"},
                                           ActionCase{"VK_F1", "key 112 down", "key 112 up"},
                                           ActionCase{"vk_a", "key 65 down", "key 65 up"},
                                           // The special mouse names match only in upper case; any other
                                           // mouse name is no key: nothing (not Shift for the code 16 of
                                           // VM_RIGHTUP, not Space for the 32 of vm_middledown).
                                           ActionCase{"vm_leftdown", "", ""}, ActionCase{"VM_LEFTUP", "", ""},
                                           ActionCase{"VM_MIDDLEUP", "", ""}, ActionCase{"VM_RIGHTUP", "", ""},
                                           ActionCase{"vm_middledown", "", ""}, ActionCase{"Vm_RightDown", "", ""},
                                           ActionCase{"vm_wheelup", "", ""},
                                           // Not in the table: nothing.
                                           ActionCase{"", "", ""}, ActionCase{"X", "", ""}, ActionCase{"Y", "", ""}));

}  // namespace
