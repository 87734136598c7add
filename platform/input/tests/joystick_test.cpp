#include "platform/input/joystick.h"
#include "platform/input/virtual_joystick.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Joystick, ReadsAxesOnTheZeroTo65535ScaleWithCentre32768) {
  VirtualJoystick device("Heliryx 360 Test");
  ASSERT_TRUE(device.Attached());
  Joystick joystick;
  int id = device.Number();
  EXPECT_EQ(joystick.ProductName(id), "Heliryx 360 Test");
  JoyReading reading;
  ASSERT_TRUE(joystick.Read(id, reading));
  EXPECT_EQ(reading.axes, (std::array<uint32_t, 6>{32768, 32768, 32768, 32768, 32768, 32768}));
  const uint32_t values[6] = {0, 65535, 1, 32767, 32769, 40000};
  for (int a = 0; a < 6; ++a) device.SetAxis(a, values[a]);
  ASSERT_TRUE(joystick.Read(id, reading));
  EXPECT_EQ(reading.axes, (std::array<uint32_t, 6>{0, 65535, 1, 32767, 32769, 40000}));
}

TEST(Joystick, AnAxisTheDeviceLacksReadsZero) {
  VirtualJoystick device("Two Axes", 2, 4);
  Joystick joystick;
  device.SetAxis(1, 100);
  JoyReading reading;
  ASSERT_TRUE(joystick.Read(device.Number(), reading));
  EXPECT_EQ(reading.axes, (std::array<uint32_t, 6>{32768, 100, 0, 0, 0, 0}));
}

TEST(Joystick, ButtonKIsBitKMinusOneOfTheMaskAlsoAboveBit15) {
  VirtualJoystick device("Many Buttons", 6, 20);
  Joystick joystick;
  for (int b : {0, 2, 15, 16, 19}) device.SetButton(b, true);
  JoyReading reading;
  ASSERT_TRUE(joystick.Read(device.Number(), reading));
  EXPECT_EQ(reading.buttons, (1u << 0) | (1u << 2) | (1u << 15) | (1u << 16) | (1u << 19));
  device.SetButton(2, false);
  ASSERT_TRUE(joystick.Read(device.Number(), reading));
  EXPECT_EQ(reading.buttons, (1u << 0) | (1u << 15) | (1u << 16) | (1u << 19));
}

TEST(Joystick, AnUnpluggedJoystickNoLongerAnswersAndTheReadingIsKept) {
  VirtualJoystick device("Heliryx 360 Test");
  Joystick joystick;
  int id = device.Number();
  device.SetAxis(0, 1000);
  JoyReading reading;
  ASSERT_TRUE(joystick.Read(id, reading));
  device.Unplug();
  JoyReading after = reading;
  EXPECT_FALSE(joystick.Read(id, after));
  EXPECT_EQ(after, reading);
  EXPECT_FALSE(joystick.Open(id));
  EXPECT_EQ(joystick.ProductName(id), "");
}

TEST(Joystick, AfterAnUnplugTheNumberDoesNotPassToAnotherDevice) {
  auto controller = std::make_unique<VirtualJoystick>("Heliryx 360 Test");
  VirtualJoystick pad("Generic Gamepad");
  Joystick joystick;
  int id = controller->Number();
  JoyReading reading;
  ASSERT_TRUE(joystick.Read(id, reading));
  controller->Unplug();
  ASSERT_EQ(pad.Number(), id);  // the gamepad moved down to the controller's number
  pad.SetAxis(4, 0);
  JoyReading after = reading;
  EXPECT_FALSE(joystick.Read(id, after));
  EXPECT_EQ(after, reading);
  // The same controller plugged in again at that number is read again.
  VirtualJoystick again("Heliryx 360 Test");
  pad.Unplug();
  ASSERT_EQ(again.Number(), id);
  EXPECT_TRUE(joystick.Read(id, after));
}

TEST(Joystick, NumbersWithoutADeviceDoNotAnswer) {
  Joystick joystick;
  JoyReading reading;
  for (int id : {-1, joystick.Count(), 15}) {
    EXPECT_FALSE(joystick.Open(id)) << id;
    EXPECT_FALSE(joystick.Read(id, reading)) << id;
  }
}

}  // namespace
