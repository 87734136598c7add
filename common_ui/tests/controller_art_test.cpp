#include "common_ui/controller_art.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace common_ui::art;

namespace {

int OpaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 200) ++n;
  return n;
}

struct SetRange {
  PictureSet set;
  int last;  // members 0..last, and 50..50+last where the set has a vertical half
  bool twoOrientations;
};

const SetRange kSets[] = {
    {PictureSet::Sensitivity, 7, true}, {PictureSet::Motion, 12, true}, {PictureSet::ChordAB, 5, true},
    {PictureSet::Stick, 0, false},      {PictureSet::Splash, 1, false}, {PictureSet::Logo, 0, false},
};

TEST(ControllerArt, EverySetHoldsExactlyTheIndexesTheWindowsUse) {
  for (const SetRange& r : kSets) {
    SCOPED_TRACE(int(r.set));
    EXPECT_FALSE(HasPicture(r.set, -1));
    EXPECT_FALSE(HasPicture(r.set, r.last + 1));
    EXPECT_EQ(HasPicture(r.set, 50), r.twoOrientations);
    EXPECT_EQ(HasPicture(r.set, 50 + r.last), r.twoOrientations);
    EXPECT_FALSE(HasPicture(r.set, 51 + r.last));
    for (int base : {0, 50}) {
      if (base == 50 && !r.twoOrientations) continue;
      for (int k = 0; k <= r.last; ++k) {
        QSize size = NaturalSize(r.set, base + k);
        ASSERT_FALSE(size.isEmpty()) << base + k;
        QPixmap pm = Picture(r.set, base + k, size, 2.0);
        ASSERT_EQ(pm.deviceIndependentSize().toSize(), size) << base + k;
        EXPECT_EQ(pm.size(), size * 2) << base + k;
        EXPECT_GT(OpaquePixels(pm.toImage()), 50) << "nothing drawn for " << base + k;
      }
    }
  }
  EXPECT_TRUE(Picture(PictureSet::Motion, 13, {100, 100}).isNull());
  EXPECT_TRUE(Picture(PictureSet::Motion, 0, {0, 0}).isNull());
}

// The lit members are stacked over the whole controller and shown or hidden:
// each must leave the controller visible around its own lit part and line up
// with it, in both orientations.
TEST(ControllerArt, LitMembersAreOverlaysThatLineUpWithTheWholeController) {
  for (int base : {0, 50}) {
    QSize size = NaturalSize(PictureSet::Motion, base);
    QImage whole = Picture(PictureSet::Motion, base, size).toImage();
    int wholeCount = OpaquePixels(whole);
    for (auto [set, last] :
         {std::pair{PictureSet::Sensitivity, 7}, {PictureSet::Motion, 12}, {PictureSet::ChordAB, 5}}) {
      for (int k = set == PictureSet::ChordAB ? 0 : 1; k <= last; ++k) {
        SCOPED_TRACE(testing::Message() << int(set) << " index " << base + k);
        QImage overlay = Picture(set, base + k, size).toImage();
        int lit = OpaquePixels(overlay);
        EXPECT_GT(lit, 30);
        EXPECT_LT(lit, wholeCount / 3) << "an overlay must not hide the controller";
        // Everything an overlay draws lies on the controller.
        for (int y = 0; y < size.height(); y += 2)
          for (int x = 0; x < size.width(); x += 2)
            if (qAlpha(overlay.pixel(x, y)) > 200) {
              ASSERT_GT(qAlpha(whole.pixel(x, y)), 0) << x << "," << y;
            }
      }
    }
  }
  // The two sets are the controller turned: landscape and portrait.
  QSize h = NaturalSize(PictureSet::Sensitivity, 0), v = NaturalSize(PictureSet::Sensitivity, 50);
  EXPECT_GT(h.width(), h.height());
  EXPECT_GT(v.height(), v.width());
}

TEST(ControllerArt, EachLitMemberOfASetLightsADifferentPart) {
  for (auto [set, first, last] :
       {std::tuple{PictureSet::Sensitivity, 1, 7}, {PictureSet::Motion, 1, 12}, {PictureSet::ChordAB, 0, 5}}) {
    for (int base : {0, 50}) {
      QSize size = NaturalSize(set, base);
      for (int a = first; a <= last; ++a)
        for (int b = a + 1; b <= last; ++b)
          EXPECT_NE(Picture(set, base + a, size).toImage(), Picture(set, base + b, size).toImage())
              << int(set) << ": " << base + a << " and " << base + b;
    }
  }
}

TEST(ControllerArt, TheProgramIconHasSmallAndLargeSizes) {
  QIcon icon = TunedeckIcon();
  ASSERT_FALSE(icon.isNull());
  for (int side : {16, 32, 256}) {
    QPixmap pm = icon.pixmap(side, side);
    EXPECT_EQ(pm.size(), QSize(side, side));
    EXPECT_GT(OpaquePixels(pm.toImage()), side * side / 2);
  }
}

}  // namespace
