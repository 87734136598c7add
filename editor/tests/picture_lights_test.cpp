#include "editor/picture_lights.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>

using namespace editor;

namespace {

// The lit overlays, e.g. "S3 M53 C1": S sensitivity, M motion, C chord.
template <std::size_t N>
void Add(std::ostringstream& out, char tag, const std::array<bool, N>& pictures, bool skipBase) {
  for (std::size_t i = 0; i < N; ++i) {
    if (!pictures[i] || (skipBase && (i == 0 || i == 50))) continue;
    if (out.tellp() > 0) out << ' ';
    out << tag << i;
  }
}

std::string Lit(const PictureLights& lights) {
  std::ostringstream out;
  Add(out, 'S', lights.imgSensitivity, true);
  Add(out, 'M', lights.imgMotion, true);
  Add(out, 'C', lights.imgChordAB, false);
  return out.str();
}

// Builds a state from the same notation.
PictureLights From(const std::string& lit) {
  PictureLights lights;
  std::istringstream in(lit);
  std::string item;
  while (in >> item) {
    int i = std::stoi(item.substr(1));
    (item[0] == 'S' ? lights.imgSensitivity[i] : item[0] == 'M' ? lights.imgMotion[i] : lights.imgChordAB[i]) = true;
  }
  return lights;
}

HoverContext Context(int orientation) {
  HoverContext c;
  c.orientationIndex = orientation;
  c.useChordingUser = "FALSE";
  c.chordingOff = true;
  c.useButtons = "TRUE";
  c.motionAliasX = "0";
  c.motionAliasY = "1";
  c.axisMotion = {0, 1, 2, 3, 4, 5, 6};
  return c;
}

struct HoverCase {
  const char* what;
  HoverFamily family;
  int member;
  int orientation;
  const char* before;
  const char* after;
  std::function<void(HoverContext&)> adjust = nullptr;
};

TEST(PictureLights, HoveringAControlShowsItsPicture) {
  auto chordingOn = [](HoverContext& c) {
    c.useChordingUser = "TRUE";
    c.chordingOff = false;
  };
  const HoverCase cases[] = {
      {"axis combo 3", HoverFamily::AxisCombo, 3, 1, "", "M3"},
      {"axis combo 3, vertical", HoverFamily::AxisCombo, 3, 2, "", "M53"},
      {"axis combo hides the other eleven", HoverFamily::AxisCombo, 3, 1, "M1 M5 M12", "M3"},
      {"axis combo leaves the sensitivity light", HoverFamily::AxisCombo, 6, 2, "S52", "S52 M56"},
      {"button combo 2 is button B", HoverFamily::ButtonCombo, 2, 1, "M3", "M8"},
      {"button combo 6 is button F, vertical", HoverFamily::ButtonCombo, 6, 2, "", "M62"},
      {"button combo with chording only resets, A and B stay", HoverFamily::ButtonCombo, 4, 1, "M3 M7 M8 M9 S2",
       "M7 M8", chordingOn},
      {"button combo without buttons resets", HoverFamily::ButtonCombo, 1, 1, "M7 M10", "",
       [](HoverContext& c) { c.useButtons = "FALSE"; }},
      {"enabled direction combo 4", HoverFamily::AxisDirectionCombo, 4, 1, "S1", "S4"},
      {"enabled direction combo 4, vertical", HoverFamily::AxisDirectionCombo, 4, 2, "", "S54"},
      {"disabled direction combo resets", HoverFamily::AxisDirectionCombo, 4, 1, "S2 M3", "",
       [](HoverContext& c) { c.controlEnabled = false; }},
      {"enabled slider lights its axis", HoverFamily::Slider, 5, 1, "S7", "S5"},
      {"a master slider lights all six axes, vertical", HoverFamily::Slider, 7, 2, "S53", "S57"},
      {"a slider beyond the master changes nothing", HoverFamily::Slider, 8, 1, "S3", "S3"},
      {"disabled dead-zone slider resets", HoverFamily::Slider, 6, 2, "S56 M51", "",
       [](HoverContext& c) { c.controlEnabled = false; }},
      {"mouse X lights the axis driving motion 1", HoverFamily::MouseXCombo, 0, 1, "", "S3",
       [](HoverContext& c) { c.axisMotion = {0, 3, 2, 1, 4, 5, 6}; }},
      {"mouse Y lights the axis driving motion 2, vertical", HoverFamily::MouseYCombo, 0, 2, "", "S52"},
      {"mouse X with no mouse axis changes nothing", HoverFamily::MouseXCombo, 0, 1, "S3 M2", "S3 M2",
       [](HoverContext& c) { c.motionAliasX = "-1"; }},
      {"mouse Y naming no motion changes nothing", HoverFamily::MouseYCombo, 0, 1, "M2", "M2",
       [](HoverContext& c) { c.motionAliasY = "6"; }},
      {"mouse X with a word changes nothing", HoverFamily::MouseXCombo, 0, 1, "M2", "M2",
       [](HoverContext& c) { c.motionAliasX = "ERROR"; }},
      {"chord slot 1 (None + C) lights C", HoverFamily::ChordCombo, 1, 1, "M7", "M9", chordingOn},
      {"chord slot 7 (A + E) lights E", HoverFamily::ChordCombo, 7, 1, "", "M11", chordingOn},
      {"chord slot 16 (A&B + F) lights F, vertical", HoverFamily::ChordCombo, 16, 2, "", "M62", chordingOn},
      {"neutral ground with chording on keeps A and B", HoverFamily::NeutralGround, 0, 1, "M7 M8 M9 S3 C0 C1",
       "M7 M8 C0 C1", chordingOn},
      {"neutral ground with chording off", HoverFamily::NeutralGround, 0, 1, "M7 M8 S7", ""},
      {"neutral ground clears the horizontal set and the current one", HoverFamily::NeutralGround, 0, 2,
       "M3 S4 M55 S57", ""},
      {"an axis combo beyond six changes nothing", HoverFamily::AxisCombo, 7, 1, "S3", "S3"},
      {"a chord list beyond sixteen changes nothing", HoverFamily::ChordCombo, 17, 1, "S3", "S3"},
  };
  for (const HoverCase& hc : cases) {
    HoverContext context = Context(hc.orientation);
    if (hc.adjust) hc.adjust(context);
    PictureLights lights = From(hc.before);
    Hover(lights, hc.family, hc.member, context);
    EXPECT_EQ(Lit(lights), hc.after) << hc.what;
  }
}

TEST(PictureLights, LightsOutsideTheirRangeChangeNothing) {
  PictureLights lights = From("S2 M4");
  EXPECT_FALSE(LightsOnSens(lights, 1, 0));
  EXPECT_FALSE(LightsOnSens(lights, 1, 8));
  EXPECT_FALSE(LightsOnMotion(lights, 2, 13));
  EXPECT_FALSE(LightsOnMotion(lights, 2, -1));
  EXPECT_EQ(Lit(lights), "S2 M4");
  EXPECT_TRUE(LightsOnSens(lights, 2, 7));
  EXPECT_EQ(Lit(lights), "S2 S57 M4");
}

TEST(PictureLights, ChordTabsShowTheirPairInTheCurrentSet) {
  const struct {
    int orientation, tab;
    const char* after;
  } cases[] = {
      {1, 0, ""}, {1, 1, "C0 C1"}, {1, 2, "C2 C3"}, {1, 3, "C4 C5"}, {2, 2, "C52 C53"}, {2, 3, "C54 C55"}, {1, 4, ""},
  };
  for (const auto& c : cases) {
    PictureLights lights = From("C0 C1 C52 C53 M7");
    ShowChordPictures(lights, c.orientation, c.tab);
    EXPECT_EQ(Lit(lights), c.after[0] ? "M7 " + std::string(c.after) : "M7") << c.orientation << "/" << c.tab;
  }
}

TEST(PictureLights, TheOrientationSwapsTheWholeControllers) {
  PictureLights lights;
  ShowOrientationSet(lights, 2);
  EXPECT_TRUE(lights.imgMotion[50] && lights.imgSensitivity[50]);
  EXPECT_FALSE(lights.imgMotion[0] || lights.imgSensitivity[0]);
  ShowOrientationSet(lights, 1);
  EXPECT_TRUE(lights.imgMotion[0] && lights.imgSensitivity[0]);
  EXPECT_FALSE(lights.imgMotion[50] || lights.imgSensitivity[50]);
}

TEST(PictureLights, TheSensitivityFrameFollowsTheTab) {
  const struct {
    int tab;
    bool changes, visible;
    double left, top;
  } cases[] = {
      {0, true, true, 251.25, 92.0}, {1, true, false, 0, 0},   {2, true, true, 339.75, 91.5},
      {3, false, false, 0, 0},       {-1, false, false, 0, 0},
  };
  for (const auto& c : cases) {
    SensitivityLightsPlace place = PositionSensitivityLights(c.tab);
    EXPECT_EQ(place.changes, c.changes) << c.tab;
    EXPECT_EQ(place.visible, c.visible) << c.tab;
    if (c.visible) {
      EXPECT_EQ(place.left, c.left) << c.tab;
      EXPECT_EQ(place.top, c.top) << c.tab;
    }
  }
}

}  // namespace
