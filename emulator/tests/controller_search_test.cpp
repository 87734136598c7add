#include "emulator/controller_search.h"
#include "platform/input/virtual_joystick.h"

#include <gtest/gtest.h>

using namespace emulator;
using platform::VirtualJoystick;

namespace {

constexpr int kZ = 2;

TEST(ControllerSearch, PicksTheFirstControllerThatAnswersWithANonZeroZ) {
  VirtualJoystick pad("Generic Gamepad");
  VirtualJoystick sleeping("Heliryx 360 Controller");
  sleeping.SetAxis(kZ, 0);
  VirtualJoystick awake("VANTREL HELIRYX 360");
  awake.SetAxis(0, 1234);
  VirtualJoystick later("Heliryx 360 Controller");
  platform::Joystick joystick;

  EXPECT_TRUE(FindRyxDevice(joystick));
  ControllerSearch search = SearchController(joystick);
  EXPECT_TRUE(search.found);
  EXPECT_EQ(search.JoyId, awake.Number());
  EXPECT_EQ(search.JoyInfo.axes[0], 1234u);
  EXPECT_FALSE(ReadingOutOfRange(search.JoyInfo));
}

TEST(ControllerSearch, WithoutAControllerNothingIsReadAndTheStartIsRefused) {
  VirtualJoystick pad("Generic Gamepad");
  platform::Joystick joystick;
  EXPECT_FALSE(FindRyxDevice(joystick));
  ControllerSearch search = SearchController(joystick);
  EXPECT_FALSE(search.found);
  EXPECT_EQ(search.JoyInfo, platform::JoyReading{});
  EXPECT_TRUE(ReadingOutOfRange(search.JoyInfo));
  EXPECT_EQ(JoystickInputErrorText(search.JoyInfo),
            "The Heliryx Mouse utility failed to start since your joystick input data is out of range..."
            "\r\nX=0\r\nY=0\r\nZ=0\r\nR=0\r\nU=0\r\nV=0");
}

TEST(ControllerSearch, AControllerWhoseXReadsZeroIsFoundButRefused) {
  VirtualJoystick device("Heliryx 360");
  device.SetAxis(0, 0);
  device.SetAxis(5, 65535);
  platform::Joystick joystick;
  ControllerSearch search = SearchController(joystick);
  EXPECT_TRUE(search.found);
  EXPECT_TRUE(ReadingOutOfRange(search.JoyInfo));
  EXPECT_EQ(JoystickInputErrorText(search.JoyInfo),
            "The Heliryx Mouse utility failed to start since your joystick input data is out of range..."
            "\r\nX=0\r\nY=32768\r\nZ=32768\r\nR=32768\r\nU=32768\r\nV=65535");
}

TEST(ControllerSearch, AControllerWithZeroZIsKeptWhenNoOtherAnswers) {
  VirtualJoystick device("Heliryx 360");
  device.SetAxis(kZ, 0);
  platform::Joystick joystick;
  ControllerSearch search = SearchController(joystick);
  EXPECT_FALSE(search.found);
  EXPECT_EQ(search.JoyId, device.Number());
  EXPECT_EQ(search.JoyInfo.axes[0], 32768u);
  EXPECT_FALSE(ReadingOutOfRange(search.JoyInfo));
}

}  // namespace
