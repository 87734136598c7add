#include "platform/input/recording_sink.h"
#include "platform/input/uinput_sink.h"
#include "platform/input/virtual_keys.h"
#include "platform/input/xtest_sink.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sstream>
#include <unistd.h>

using namespace platform;

namespace {

// "key 65 down, left up, move 3 -2, wheel 120" -> events (the inverse of ToText).
std::vector<InputEvent> Events(const std::string& text) {
  std::vector<InputEvent> out;
  std::stringstream all(text);
  std::string item;
  while (std::getline(all, item, ',')) {
    std::stringstream s(item);
    std::string word;
    s >> word;
    if (word == "move") {
      int dx, dy;
      s >> dx >> dy;
      out.push_back(InputEvent::Move(dx, dy));
    } else if (word == "wheel") {
      int d;
      s >> d;
      out.push_back(InputEvent::Wheel(d));
    } else if (word == "key") {
      int vk;
      std::string how;
      s >> vk >> how;
      out.push_back(InputEvent::Key(vk, how == "down"));
    } else {
      std::string how;
      s >> how;
      MouseButton b = word == "left" ? MouseButton::Left : word == "right" ? MouseButton::Right : MouseButton::Middle;
      out.push_back(InputEvent::Button(b, how == "down"));
    }
  }
  return out;
}

struct HeldCase {
  const char* sent;
  const char* delivered;
};

class HeldBookkeeping : public ::testing::TestWithParam<HeldCase> {};

TEST_P(HeldBookkeeping, DeliversOnlyChangesOfWhatIsHeld) {
  RecordingSink sink;
  sink.Send(Events(GetParam().sent));
  EXPECT_EQ(sink.Take(), GetParam().delivered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeldBookkeeping,
    ::testing::Values(HeldCase{"key 65 down, key 65 up", "key 65 down, key 65 up"},
                      HeldCase{"key 65 down, key 65 down, key 65 up, key 65 up", "key 65 down, key 65 up"},
                      HeldCase{"left up, key 65 up", ""},  // nothing held, nothing to release
                      // VK_SHIFT and VK_LSHIFT are the same Linux key.
                      HeldCase{"key 16 down, key 160 down, key 160 up, key 16 up", "key 16 down, key 160 up"},
                      HeldCase{"left down, right down, left up, right up", "left down, right down, left up, right up"},
                      // Mouse-button codes used as keys have no Linux key.
                      HeldCase{"key 4 down, key 1 down, key 4 up", ""},
                      HeldCase{"move 3 -2, wheel 120, wheel 120, wheel -120",
                               "move 3 -2, wheel 120, wheel 120, wheel -120"}));

TEST(InputSink, ReleaseAllLetsGoOfEverythingHeldLastPressedFirst) {
  RecordingSink sink;
  sink.Send(Events("left down, key 65 down, middle down, key 66 down, key 66 up, wheel 120"));
  sink.Take();
  EXPECT_TRUE(sink.Holding());
  sink.ReleaseAll();
  EXPECT_EQ(sink.Take(), "middle up, key 65 up, left up");
  EXPECT_FALSE(sink.Holding());
  sink.ReleaseAll();
  EXPECT_EQ(sink.Take(), "");
  // What was released can be pressed again.
  sink.Send(Events("key 65 down"));
  EXPECT_EQ(sink.Take(), "key 65 down");
}

TEST(VirtualKeys, EachKeyIsItsOwnLinuxKey) {
  struct Row {
    int vk;
    int linuxKey;
  };
  for (Row row : {Row{65, KEY_A}, Row{90, KEY_Z}, Row{48, KEY_0}, Row{57, KEY_9}, Row{112, KEY_F1}, Row{123, KEY_F12},
                  Row{124, KEY_F13}, Row{135, KEY_F24}, Row{96, KEY_KP0}, Row{105, KEY_KP9}, Row{16, KEY_LEFTSHIFT},
                  Row{161, KEY_RIGHTSHIFT}, Row{165, KEY_RIGHTALT}, Row{13, KEY_ENTER}, Row{33, KEY_PAGEUP},
                  Row{40, KEY_DOWN}, Row{44, KEY_SYSRQ}, Row{144, KEY_NUMLOCK}}) {
    EXPECT_EQ(LinuxKeyForVirtualKey(row.vk), row.linuxKey) << row.vk;
  }
  for (int vk : {1, 2, 4, 5, 6, 23, 24, 30, 31, 0, 200}) EXPECT_FALSE(LinuxKeyForVirtualKey(vk).has_value()) << vk;
}

TEST(UinputTranslation, EventsBecomeKernelEventsEndedBySyn) {
  const UinputEvent syn{EV_SYN, SYN_REPORT, 0};
  struct Row {
    InputEvent event;
    int linuxKey;
    std::vector<UinputEvent> expected;
  };
  const Row rows[] = {
      {InputEvent::Move(3, -2), 0, {{EV_REL, REL_X, 3}, {EV_REL, REL_Y, -2}, syn}},
      {InputEvent::Move(0, 5), 0, {{EV_REL, REL_Y, 5}, syn}},
      {InputEvent::Move(0, 0), 0, {}},
      {InputEvent::Button(MouseButton::Left, true), 0, {{EV_KEY, BTN_LEFT, 1}, syn}},
      {InputEvent::Button(MouseButton::Right, false), 0, {{EV_KEY, BTN_RIGHT, 0}, syn}},
      {InputEvent::Button(MouseButton::Middle, true), 0, {{EV_KEY, BTN_MIDDLE, 1}, syn}},
      {InputEvent::Wheel(120), 0, {{EV_REL, REL_WHEEL, 1}, {EV_REL, REL_WHEEL_HI_RES, 120}, syn}},
      {InputEvent::Wheel(-120), 0, {{EV_REL, REL_WHEEL, -1}, {EV_REL, REL_WHEEL_HI_RES, -120}, syn}},
      {InputEvent::Key(112, true), KEY_F1, {{EV_KEY, KEY_F1, 1}, syn}},
      {InputEvent::Key(65, false), KEY_A, {{EV_KEY, KEY_A, 0}, syn}},
  };
  std::vector<UinputEvent> out = {{EV_KEY, KEY_Z, 1}};  // what an earlier event left
  for (const Row& row : rows) {
    UinputTranslate(row.event, row.linuxKey, out);
    EXPECT_EQ(out, row.expected) << ToText(row.event);
  }
}

TEST(XTestTranslation, EventsBecomeXTestRequests) {
  using R = XTestRequest;
  struct Row {
    InputEvent event;
    int linuxKey;
    std::vector<R> expected;
  };
  const Row rows[] = {
      {InputEvent::Move(-7, 4), 0, {{R::Motion, -7, 4}}},
      {InputEvent::Move(0, 0), 0, {}},
      {InputEvent::Button(MouseButton::Left, true), 0, {{R::Button, 1, 1}}},
      {InputEvent::Button(MouseButton::Middle, false), 0, {{R::Button, 2, 0}}},
      {InputEvent::Button(MouseButton::Right, true), 0, {{R::Button, 3, 1}}},
      {InputEvent::Wheel(120), 0, {{R::Button, 4, 1}, {R::Button, 4, 0}}},
      {InputEvent::Wheel(-240), 0, {{R::Button, 5, 1}, {R::Button, 5, 0}, {R::Button, 5, 1}, {R::Button, 5, 0}}},
      {InputEvent::Key(65, true), KEY_A, {{R::Key, KEY_A + 8, 1}}},
      {InputEvent::Key(124, false), KEY_F13, {{R::Key, KEY_F13 + 8, 0}}},
      // Beyond X's key codes (255).
      {InputEvent::Key(12, true), KEY_CLEAR, {}},
  };
  std::vector<XTestRequest> out = {{R::Key, KEY_Z + 8, 1}};  // what an earlier event left
  for (const Row& row : rows) {
    XTestTranslate(row.event, row.linuxKey, out);
    EXPECT_EQ(out, row.expected) << ToText(row.event);
  }
}

TEST(OpenInputSink, WithNeitherUinputNorADisplayItSaysWhy) {
  if (::access("/dev/uinput", W_OK) == 0) GTEST_SKIP() << "/dev/uinput is usable on this machine";
  const char* display = std::getenv("DISPLAY");
  std::string saved = display ? display : "";
  ::unsetenv("DISPLAY");
  std::string whyNot;
  std::unique_ptr<InputSink> sink = OpenInputSink(whyNot);
  if (display) ::setenv("DISPLAY", saved.c_str(), 1);
  EXPECT_EQ(sink, nullptr);
  EXPECT_EQ(whyNot.rfind("/dev/uinput cannot be used (", 0), 0u) << whyNot;
  EXPECT_NE(whyNot.find("; no X display can be opened"), std::string::npos) << whyNot;
}

}  // namespace
