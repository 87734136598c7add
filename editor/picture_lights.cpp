#include "editor/picture_lights.h"

#include <charconv>

namespace editor {

namespace {

template <std::size_t N>
void SetRange(std::array<bool, N>& pictures, int first, int last, bool visible) {
  for (int i = first; i <= last; ++i) pictures[i] = visible;
}

// Lights member `index` of 1..last in the set at `base` and hides its siblings.
template <std::size_t N>
void LightOne(std::array<bool, N>& pictures, int base, int index, int last) {
  SetRange(pictures, base + 1, base + last, false);
  pictures[base + index] = true;
}

// The motion number 1..6 a mouse alias names, or 0 when it names none (-1,
// beyond the six motions, or no number at all).
int MouseMotion(const std::string& alias) {
  std::size_t begin = alias.find_first_not_of(' ');
  if (begin == std::string::npos) return 0;
  int value = 0;
  const char* first = alias.data() + begin;
  const char* last = alias.data() + alias.size();
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || (end != last && alias.find_first_not_of(' ', end - alias.data()) != std::string::npos))
    return 0;
  return value >= 0 && value <= 5 ? value + 1 : 0;
}

}  // namespace

int PictureSetBase(int orientationIndex) { return orientationIndex == 1 ? 0 : 50; }

void ShowOrientationSet(PictureLights& lights, int orientationIndex) {
  bool horizontal = PictureSetBase(orientationIndex) == 0;
  lights.imgSensitivity[0] = lights.imgMotion[0] = horizontal;
  lights.imgSensitivity[50] = lights.imgMotion[50] = !horizontal;
}

void ResetImage(PictureLights& lights, int orientationIndex, bool chordingOff) {
  for (int base : {0, PictureSetBase(orientationIndex)}) {
    SetRange(lights.imgSensitivity, base + 1, base + 7, false);
    if (chordingOff) {
      SetRange(lights.imgMotion, base + 1, base + 12, false);
    } else {
      SetRange(lights.imgMotion, base + 1, base + 6, false);
      SetRange(lights.imgMotion, base + 9, base + 12, false);
    }
  }
}

bool LightsOnSens(PictureLights& lights, int orientationIndex, int index) {
  if (index < 1 || index > 7) return false;
  LightOne(lights.imgSensitivity, PictureSetBase(orientationIndex), index, 7);
  return true;
}

bool LightsOnMotion(PictureLights& lights, int orientationIndex, int index) {
  if (index < 1 || index > 12) return false;
  LightOne(lights.imgMotion, PictureSetBase(orientationIndex), index, 12);
  return true;
}

void ShowChordPictures(PictureLights& lights, int orientationIndex, int chordTab) {
  SetRange(lights.imgChordAB, 0, 5, false);
  SetRange(lights.imgChordAB, 50, 55, false);
  if (chordTab < 1 || chordTab > 3) return;
  int first = PictureSetBase(orientationIndex) + 2 * (chordTab - 1);
  lights.imgChordAB[first] = lights.imgChordAB[first + 1] = true;
}

SensitivityLightsPlace PositionSensitivityLights(int tab) {
  switch (tab) {
    case 0:
      return {true, true, 251.25, 92.0};
    case 1:
      return {true, false, 0, 0};
    case 2:
      return {true, true, 339.75, 91.5};
    default:
      return {};
  }
}

void Hover(PictureLights& lights, HoverFamily family, int member, const HoverContext& c) {
  const int o = c.orientationIndex;
  auto reset = [&] { ResetImage(lights, o, c.chordingOff); };
  auto inRange = [&](int last) { return member >= 1 && member <= last; };
  switch (family) {
    case HoverFamily::AxisCombo:
      if (inRange(6)) LightsOnMotion(lights, o, member);
      break;
    case HoverFamily::ButtonCombo:
      if (!inRange(6)) break;
      if (c.useChordingUser != "TRUE" && c.useButtons != "FALSE")
        LightsOnMotion(lights, o, 6 + member);
      else
        reset();
      break;
    case HoverFamily::AxisDirectionCombo:
    case HoverFamily::Slider:
      // The master sliders (7) light all six axes at once.
      if (!inRange(family == HoverFamily::Slider ? 7 : 6)) break;
      if (c.controlEnabled)
        LightsOnSens(lights, o, member);
      else
        reset();
      break;
    case HoverFamily::MouseXCombo:
    case HoverFamily::MouseYCombo: {
      int motion = MouseMotion(family == HoverFamily::MouseXCombo ? c.motionAliasX : c.motionAliasY);
      if (motion == 0) break;
      for (int axis = 1; axis <= 6; ++axis)
        if (c.axisMotion[axis] == motion) LightsOnSens(lights, o, axis);
      break;
    }
    case HoverFamily::ChordCombo:
      // Slot s is button C..F under one of the four modifier states (the chord
      // tab's pictures mark the modifier): light that button.
      if (inRange(16)) LightsOnMotion(lights, o, 9 + (member - 1) % 4);
      break;
    case HoverFamily::NeutralGround:
      reset();
      break;
  }
}

}  // namespace editor
