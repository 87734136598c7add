// The controller pictures' hover lights as plain state and functions: which
// member of each picture array is visible, the procedures that switch them,
// and what hovering each control of the main window does. The window keeps
// one PictureLights, calls these, and shows or hides its picture labels to
// match.
#pragma once

#include <array>
#include <string>

namespace editor {

// Visibility of every member of the picture arrays, indexed as the arrays
// are (0.. for the horizontal set, 50.. for the vertical one).
struct PictureLights {
  std::array<bool, 58> imgSensitivity{};  // 0..7, 50..57
  std::array<bool, 63> imgMotion{};       // 0..12, 50..62
  std::array<bool, 56> imgChordAB{};      // 0..5, 50..55
};

// 0 for the horizontal orientation (OrientationIndex 1), 50 otherwise.
int PictureSetBase(int orientationIndex);

// Shows the whole controller of the orientation's set and hides the other
// set's (the orientation switch; the overlays are left as they are).
void ShowOrientationSet(PictureLights& lights, int orientationIndex);

// Hides the lit overlays, in the horizontal set and in the current one. With
// chording on, buttons A and B keep their motion lights, as they stand for
// the chord modifiers then.
void ResetImage(PictureLights& lights, int orientationIndex, bool chordingOff);

// Light one sensitivity overlay (1..7) or motion overlay (1..12) of the
// current set and hide its siblings. False, with nothing changed, for an index
// outside the range: the window then shows its "BOO BOO" box.
bool LightsOnSens(PictureLights& lights, int orientationIndex, int index);
bool LightsOnMotion(PictureLights& lights, int orientationIndex, int index);

// The chord pictures of the current chord tab (0 "None" none, 1 modifier A,
// 2 modifier B, 3 both), in the current set; every other chord picture hidden.
void ShowChordPictures(PictureLights& lights, int orientationIndex, int chordTab);

// Where the frame of sensitivity pictures goes for a tab of the sensitivity
// tab strip, in the window's layout units: shown at (left, top) for tabs 0
// and 2, hidden for tab 1, unchanged (changes false) for any other value.
struct SensitivityLightsPlace {
  bool changes = false;
  bool visible = false;
  double left = 0;
  double top = 0;
};
SensitivityLightsPlace PositionSensitivityLights(int tab);

// The controls whose mouse movement switches the lights, by family.
enum class HoverFamily {
  AxisCombo,           // cboAxis(1..6)
  ButtonCombo,         // cboButton(1..6), cboButtonAlias(1..6)
  AxisDirectionCombo,  // cboButtonAxisNEGAlias, cboButtonAxisPOSAlias, cboNegAxisCommand, cboPosAxisCommand (1..6)
  MouseXCombo,         // the four Mouse X lists
  MouseYCombo,         // the four Mouse Y lists
  ChordCombo,          // cboButtonChord(1..16), cboButtonChordAlias(1..16)
  Slider,              // sldSensitivity, sldGain (1..7, 7 the master), sldDeadzone (1..6)
  NeutralGround,       // frames, labels, the pictures, the tab strips, the window's background
};

// What the hover handlers read from the window and the record.
struct HoverContext {
  int orientationIndex = 1;         // 1 horizontal, 2 vertical
  bool chordingOff = false;         // optChording(2) "Disable" selected
  std::string useChordingUser;      // USE_CHORDING_USER
  std::string useButtons;           // USE_BUTTONS
  std::string motionAliasX;         // MOTION_ALIAS_X, motion number 0..5 or -1
  std::string motionAliasY;         // MOTION_ALIAS_Y
  std::array<int, 7> axisMotion{};  // AxisInfo(i).Motion for i = 1..6 (index 0 unused)
  bool controlEnabled = true;       // the hovered combo or slider is enabled
};

// Runs the hover of one control: `member` is its number in its array (1..6,
// chord lists 1..16; ignored for the mouse lists and neutral ground). A member
// outside its array changes nothing. Only the lights change, never the record.
void Hover(PictureLights& lights, HoverFamily family, int member, const HoverContext& context);

}  // namespace editor
