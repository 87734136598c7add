// The artwork of the programs' windows, painted in code so it stays sharp at
// any size: the controller seen from above in both orientations with its lit
// parts, the stick picture, the splash pictures, the maker's logo and
// Tunedeck's icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace common_ui::art {

// The picture arrays of the main window and the other pictures, numbered as
// the windows number them.
enum class PictureSet {
  Sensitivity,  // imgSensitivity: 0 whole controller, 1..6 axis k lit, 7 all axes lit
  Motion,       // imgMotion: 0 whole controller, 1..6 axis k lit, 7..12 button A..F lit
  ChordAB,      // imgChordAB: 0,1 modifier A; 2,3 modifier B; 4,5 A and B
  Stick,        // imgStix: 0
  Splash,       // frmSplash: 0 the product banner, 1 the maker's logo
  Logo,         // imgVantrelLogo: 0
};

// Indexes below 50 belong to the horizontal set, 50 and above to the vertical
// one (50 + k has the role of k) for the three controller arrays.
constexpr int kVerticalSetBase = 50;

// True for every index the set holds.
bool HasPicture(PictureSet set, int index);

// The picture's natural size in device-independent pixels (the size the main
// window lays it out at).
QSize NaturalSize(PictureSet set, int index);

// One picture at `size` (device-independent pixels), drawn for the given
// device pixel ratio. The controller arrays' index 0 (50) is the whole
// controller; their other members are overlays on a transparent ground, laid
// out exactly like the whole controller of the same size, to be stacked over
// it and shown or hidden. A picture is drawn centred with its own aspect
// ratio kept. A null pixmap for an index the set does not hold.
QPixmap Picture(PictureSet set, int index, QSize size, qreal devicePixelRatio = 1.0);

// The whole controller of the member's orientation with that member laid over
// it: how the lit state looks on the window.
QPixmap LitPicture(PictureSet set, int index, QSize size, qreal devicePixelRatio = 1.0);

// Tunedeck's window and program icon.
QIcon TunedeckIcon();

}  // namespace common_ui::art
