#include "common_ui/controller_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <bitset>

namespace common_ui::art {

namespace {

// The controller is drawn in a design space of its own, lying horizontally;
// the vertical set is the same drawing turned a quarter clockwise.
constexpr double kW = 480, kH = 270;
const QPointF kBall(240, 135);
constexpr double kBallRadius = 58;
constexpr double kButtonRadius = 15;
const QPointF kButtons[6] = {{80, 105}, {80, 165}, {384, 105}, {424, 105}, {384, 165}, {424, 165}};

// One palette for every picture.
const QColor kBodyLight(0x45, 0x4c, 0x56), kBodyDark(0x24, 0x28, 0x2e), kBodyEdge(0x12, 0x14, 0x18);
const QColor kBevel(0x6a, 0x73, 0x7f);
const QColor kBallLight(0xf4, 0xf7, 0xfa), kBallDark(0x8d, 0x99, 0xa6), kBallEdge(0x3c, 0x43, 0x4c);
const QColor kDim(0x86, 0x90, 0x9c), kDimEdge(0x2a, 0x2f, 0x36);
const QColor kOnBallDim(0x6f, 0x7a, 0x87);
const QColor kLit(0xff, 0xb0, 0x20), kLitEdge(0x7a, 0x45, 0x00);
const QColor kChord(0x3c, 0xc8, 0xff), kChordEdge(0x05, 0x4a, 0x66);
const QColor kButtonFace(0x5b, 0x64, 0x71), kButtonText(0xec, 0xef, 0xf2);

QFont SansFont(double pixelSize, int weight = QFont::Bold) {
  QFont f("DejaVu Sans");
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(std::max(1, qRound(pixelSize)));
  f.setWeight(QFont::Weight(weight));
  return f;
}

// A filled arrow from `from` to the tip `to`.
QPainterPath StraightArrow(QPointF from, QPointF to, double shaft = 11, double head = 24, double headLength = 17) {
  QLineF line(from, to);
  double len = line.length();
  QPainterPath p;
  p.moveTo(0, -shaft / 2);
  p.lineTo(len - headLength, -shaft / 2);
  p.lineTo(len - headLength, -head / 2);
  p.lineTo(len, 0);
  p.lineTo(len - headLength, head / 2);
  p.lineTo(len - headLength, shaft / 2);
  p.lineTo(0, shaft / 2);
  p.closeSubpath();
  QTransform t;
  t.translate(from.x(), from.y());
  t.rotate(-line.angle());
  return t.map(p);
}

// An arrow head whose tip is `tip`, pointing along `angleDegrees` (screen angle, y down).
QPainterPath Head(QPointF tip, double angleDegrees, double width, double length) {
  QPainterPath p;
  p.moveTo(0, 0);
  p.lineTo(-length, -width / 2);
  p.lineTo(-length, width / 2);
  p.closeSubpath();
  QTransform t;
  t.translate(tip.x(), tip.y());
  t.rotate(angleDegrees);
  return t.map(p);
}

// A curved arrow along `curve`, with heads at its end and, when asked, at its start.
QPainterPath CurvedArrow(const QPainterPath& curve, bool bothEnds, double shaft = 8, double head = 20,
                         double headLength = 15) {
  // The shaft stops short of each head so the tip stays sharp.
  double total = curve.length();
  double cutStart = bothEnds ? curve.percentAtLength(headLength * 0.8) : 0.0;
  double cutEnd = curve.percentAtLength(total - headLength * 0.8);
  QPainterPath shaftPath;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    double t = cutStart + (cutEnd - cutStart) * i / steps;
    QPointF pt = curve.pointAtPercent(t);
    if (i == 0)
      shaftPath.moveTo(pt);
    else
      shaftPath.lineTo(pt);
  }
  QPainterPathStroker stroker;
  stroker.setWidth(shaft);
  stroker.setCapStyle(Qt::FlatCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  QPainterPath result = stroker.createStroke(shaftPath);
  auto tangent = [&](double at) { return -curve.angleAtPercent(at); };
  result = result.united(Head(curve.pointAtPercent(1.0), tangent(1.0), head, headLength));
  if (bothEnds) result = result.united(Head(curve.pointAtPercent(0.0), tangent(0.0) + 180, head, headLength));
  return result.simplified();
}

QPainterPath ArcAround(QPointF c, double r, double fromDeg, double toDeg) {
  // Screen angles, clockwise from +x; Qt's arcTo counts counter-clockwise.
  QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
  QPainterPath p;
  p.arcMoveTo(box, -fromDeg);
  p.arcTo(box, -fromDeg, -(toDeg - fromDeg));
  return p;
}

// The indicator of an axis, in design space, and whether it lies on the ball.
struct AxisShape {
  QPainterPath outline;
  bool onBall = false;
};

AxisShape BuildAxisShape(int axis) {
  const double cx = kBall.x(), cy = kBall.y();
  QPainterPath p;
  bool onBall = false;
  switch (axis) {
    case 1:  // sideways: left and right
      p.addPath(StraightArrow({cx - 66, cy}, {cx - 116, cy}));
      p.addPath(StraightArrow({cx + 66, cy}, {cx + 116, cy}));
      break;
    case 2:  // forward and back
      p.addPath(StraightArrow({cx, cy - 64}, {cx, cy - 98}));
      p.addPath(StraightArrow({cx, cy + 64}, {cx, cy + 98}));
      break;
    case 3: {  // push and pull: a ring with the ball's centre
      onBall = true;
      QPainterPath ring;
      ring.addEllipse(kBall, 13, 13);
      ring.addEllipse(kBall, 8, 8);
      p.addPath(ring);
      p.addEllipse(kBall, 4, 4);
      break;
    }
    case 4: {  // twist around the ball
      p.addPath(CurvedArrow(ArcAround(kBall, 76, -68, -22), false));
      p.addPath(CurvedArrow(ArcAround(kBall, 76, 112, 158), false));
      break;
    }
    case 5: {  // tilt forward and back: a curved arrow across the ball
      onBall = true;
      QPainterPath c;
      c.moveTo(cx - 36, cy - 26);
      c.quadTo(cx - 54, cy, cx - 36, cy + 26);
      p.addPath(CurvedArrow(c, true, 7, 17, 12));
      break;
    }
    case 6: {  // tilt to either side
      onBall = true;
      QPainterPath c;
      c.moveTo(cx - 26, cy + 36);
      c.quadTo(cx, cy + 54, cx + 26, cy + 36);
      p.addPath(CurvedArrow(c, true, 7, 17, 12));
      break;
    }
  }
  p.setFillRule(Qt::WindingFill);
  return {p, onBall};
}

// The outlines are joined from several parts (QPainterPath::united, the
// costliest step of a picture), so each is built once and shared by every
// picture drawn afterwards.
const AxisShape& AxisIndicator(int axis) {
  static const std::array<AxisShape, 7> shapes = [] {
    std::array<AxisShape, 7> built;
    for (int a = 1; a <= 6; ++a) built[a] = BuildAxisShape(a);
    return built;
  }();
  return shapes.at(axis);
}

QTransform Rotation(bool vertical) {
  // (x, y) -> (kH - y, x): a quarter turn clockwise into a kH x kW space.
  return vertical ? QTransform(0, 1, -1, 0, kH, 0) : QTransform();
}

// Scales a design space of `design` into `target`, centred, aspect kept.
QTransform Fit(QSizeF design, QRectF target) {
  double s = std::min(target.width() / design.width(), target.height() / design.height());
  QTransform t;
  t.translate(target.center().x() - design.width() * s / 2, target.center().y() - design.height() * s / 2);
  t.scale(s, s);
  return t;
}

// What one controller picture shows.
struct Scene {
  bool base = false;               // the whole controller
  std::bitset<7> litAxes;          // 1..6
  std::bitset<6> litButtons;       // A..F
  std::bitset<2> heldModifiers;    // A, B held for a chord
  bool chordTargets = false;       // C..F marked as the buttons a modifier combines with,
  std::bitset<2> ringedModifiers;  // and that modifier marked with them
};

// Starts one picture drawn in a design space of its own, fitted into `target`.
QTransform Begin(QPainter& p, QSizeF space, QRectF target) {
  QTransform fit = Fit(space, target);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setTransform(fit);
  return fit;
}

// One line of spaced capitals or a title.
void DrawLabel(QPainter& p, QRectF box, const QString& text, double pixelSize, int weight, double spacing,
               const QColor& colour) {
  QFont f = SansFont(pixelSize, weight);
  f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  p.setFont(f);
  p.setPen(colour);
  p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

// The ball's shading, lit from `light`.
QRadialGradient BallShading(QPointF light, double radius) {
  QRadialGradient g(light, radius);
  g.setColorAt(0, kBallLight);
  g.setColorAt(0.55, QColor(0xc9, 0xd1, 0xda));
  g.setColorAt(1, kBallDark);
  return g;
}

// Light falls from the top left of the screen in both orientations; in the
// turned design space of the vertical set that is the bottom left.
QPointF Up(bool vertical) { return vertical ? QPointF(-1, 0) : QPointF(0, -1); }
QPointF Left(bool vertical) { return vertical ? QPointF(0, 1) : QPointF(-1, 0); }

void Glow(QPainter& p, const QPainterPath& shape, const QColor& colour) {
  for (auto [width, alpha] : {std::pair{14.0, 40}, {8.0, 70}, {4.0, 120}}) {
    QColor c = colour;
    c.setAlpha(alpha);
    p.strokePath(shape, QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  }
}

void DrawButton(QPainter& p, bool vertical, const QTransform& design, const QTransform& fit, int b, const QColor* face,
                const QColor& edge) {
  QPointF c = kButtons[b];
  QPointF shine = c + Up(vertical) * 5 + Left(vertical) * 4;
  QPainterPath disc;
  disc.addEllipse(c, kButtonRadius, kButtonRadius);
  p.setTransform(design);
  if (face) {
    Glow(p, disc, *face);
    QRadialGradient g(shine, kButtonRadius * 1.6);
    g.setColorAt(0, face->lighter(135));
    g.setColorAt(1, *face);
    p.setBrush(g);
  } else {
    QRadialGradient g(shine, kButtonRadius * 1.6);
    g.setColorAt(0, kButtonFace.lighter(140));
    g.setColorAt(1, kButtonFace.darker(115));
    p.setBrush(g);
  }
  p.setPen(QPen(edge, 2));
  p.drawPath(disc);
  // Letters stay upright in both orientations.
  QPointF at = design.map(c);
  p.setTransform(QTransform());
  p.setPen(face ? QColor(0x1c, 0x14, 0x00) : kButtonText);
  double scale = fit.m11() != 0 ? std::abs(fit.m11()) : std::abs(fit.m12());
  p.setFont(SansFont(kButtonRadius * 1.15 * scale));
  double r = kButtonRadius * scale;
  p.drawText(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QString(QChar('A' + b)));
}

void DrawBody(QPainter& p, bool vertical) {
  QRectF body(12, 30, kW - 24, kH - 60);
  QPainterPath shape;
  shape.addRoundedRect(body, body.height() / 2, body.height() / 2);
  // A soft shadow under the body.
  for (int i = 4; i >= 1; --i) {
    QColor s(0, 0, 0, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(s);
    p.drawPath(shape.translated(-Up(vertical) * i * 1.5));
  }
  QPointF mid = body.center(), reach = Up(vertical) * (vertical ? body.width() : body.height()) / 2;
  QLinearGradient g(mid + reach, mid - reach);
  g.setColorAt(0, kBodyLight);
  g.setColorAt(1, kBodyDark);
  p.setBrush(g);
  p.setPen(QPen(kBodyEdge, 2.5));
  p.drawPath(shape);
  QRectF inner = body.adjusted(7, 7, -7, -7);
  QPainterPath bevel;
  bevel.addRoundedRect(inner, inner.height() / 2, inner.height() / 2);
  p.setBrush(Qt::NoBrush);
  QColor b = kBevel;
  b.setAlpha(110);
  p.setPen(QPen(b, 1.2));
  p.drawPath(bevel);
  // The well the ball sits in.
  QRadialGradient well(kBall, kBallRadius + 12);
  well.setColorAt(0.80, QColor(0x10, 0x12, 0x15));
  well.setColorAt(1.0, QColor(0x30, 0x35, 0x3c));
  p.setBrush(well);
  p.setPen(Qt::NoPen);
  p.drawEllipse(kBall, kBallRadius + 9, kBallRadius + 9);
}

void DrawBall(QPainter& p, bool vertical) {
  p.setBrush(BallShading(kBall + Up(vertical) * 24 + Left(vertical) * 20, kBallRadius * 1.5));
  p.setPen(QPen(kBallEdge, 2));
  p.drawEllipse(kBall, kBallRadius, kBallRadius);
}

void DrawIndicator(QPainter& p, const QPainterPath& shape, const QColor& fill, const QColor& edge, bool glow) {
  if (glow) Glow(p, shape, fill);
  p.setBrush(fill);
  p.setPen(QPen(edge, 1.6));
  p.drawPath(shape);
}

void DrawController(QPainter& p, bool vertical, QRectF target, const Scene& scene) {
  QSizeF space = vertical ? QSizeF(kH, kW) : QSizeF(kW, kH);
  QTransform fit = Fit(space, target);
  QTransform design = Rotation(vertical) * fit;
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setTransform(design);

  if (scene.base) {
    DrawBody(p, vertical);
    DrawBall(p, vertical);
  }
  for (int axis = 1; axis <= 6; ++axis) {
    const AxisShape& shape = AxisIndicator(axis);
    const bool onBall = shape.onBall;
    p.setTransform(design);
    if (scene.litAxes[axis])
      DrawIndicator(p, shape.outline, kLit, kLitEdge, true);
    else if (scene.base)
      DrawIndicator(p, shape.outline, onBall ? kOnBallDim : kDim, onBall ? kBallLight : kDimEdge, false);
  }
  for (int b = 0; b < 6; ++b) {
    const QColor* face = nullptr;
    QColor edge = kBodyEdge;
    if (scene.litButtons[b]) {
      face = &kLit;
      edge = kLitEdge;
    } else if (b < 2 && scene.heldModifiers[b]) {
      face = &kChord;
      edge = kChordEdge;
    }
    if (face || scene.base) DrawButton(p, vertical, design, fit, b, face, edge);
    bool ringed = scene.chordTargets && (b >= 2 || scene.ringedModifiers[b]);
    if (ringed) {
      // A ring around the modifier and each button it combines with.
      p.setTransform(design);
      QPainterPath ring;
      ring.addEllipse(kButtons[b], kButtonRadius + 5, kButtonRadius + 5);
      p.setBrush(Qt::NoBrush);
      QColor halo = kChord;
      halo.setAlpha(80);
      p.setPen(QPen(halo, 7));
      p.drawPath(ring);
      p.setPen(QPen(kChord, 2.5));
      p.drawPath(ring);
    }
  }
  p.setTransform(QTransform());
}

Scene SceneFor(PictureSet set, int k) {
  Scene s;
  switch (set) {
    case PictureSet::Sensitivity:
      if (k == 0)
        s.base = true;
      else if (k == 7)
        for (int a = 1; a <= 6; ++a) s.litAxes[a] = true;
      else
        s.litAxes[k] = true;
      break;
    case PictureSet::Motion:
      if (k == 0)
        s.base = true;
      else if (k <= 6)
        s.litAxes[k] = true;
      else
        s.litButtons[k - 7] = true;
      break;
    case PictureSet::ChordAB: {
      int modifiers = k / 2;  // 0 A, 1 B, 2 both
      if (k % 2 == 0) {
        s.heldModifiers[0] = modifiers != 1;
        s.heldModifiers[1] = modifiers != 0;
      } else {
        s.chordTargets = true;
        s.ringedModifiers[0] = modifiers != 1;
        s.ringedModifiers[1] = modifiers != 0;
      }
      break;
    }
    default:
      break;
  }
  return s;
}

bool IsControllerSet(PictureSet set) {
  return set == PictureSet::Sensitivity || set == PictureSet::Motion || set == PictureSet::ChordAB;
}

int LastIndexOfSet(PictureSet set) {
  switch (set) {
    case PictureSet::Sensitivity:
      return 7;
    case PictureSet::Motion:
      return 12;
    case PictureSet::ChordAB:
      return 5;
    case PictureSet::Splash:
      return 1;
    default:
      return 0;
  }
}

// ---- The maker's logo: a V of two strokes cradling a ball, and the name.

void DrawLogo(QPainter& p, QRectF target, bool onDark) {
  Begin(p, QSizeF(236, 64), target);
  QColor ink = onDark ? QColor(0xee, 0xf1, 0xf4) : QColor(0x2b, 0x30, 0x38);
  QPainterPath v;
  v.moveTo(6, 10);
  v.lineTo(20, 10);
  v.lineTo(32, 42);
  v.lineTo(44, 10);
  v.lineTo(58, 10);
  v.lineTo(38, 56);
  v.lineTo(26, 56);
  v.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(v);
  QRadialGradient g(QPointF(29, 17), 12);
  g.setColorAt(0, kLit.lighter(130));
  g.setColorAt(1, kLit.darker(110));
  p.setBrush(g);
  p.drawEllipse(QPointF(32, 20), 8, 8);
  DrawLabel(p, QRectF(68, 6, 168, 40), "VANTREL", 27, QFont::Bold, 1.5, ink);
  QColor sub = ink;
  sub.setAlpha(170);
  DrawLabel(p, QRectF(70, 42, 166, 16), "MOTION CONTROLLERS", 9.5, QFont::Normal, 1.4, sub);
  p.setTransform(QTransform());
}

// ---- The splash banner: the controller beside the product's name.

void DrawSplash(QPainter& p, QRectF target) {
  const QSizeF space(480, 220);
  QTransform fit = Begin(p, space, target);
  QLinearGradient bg(0, 0, 0, space.height());
  bg.setColorAt(0, QColor(0x1d, 0x27, 0x36));
  bg.setColorAt(1, QColor(0x0e, 0x12, 0x18));
  p.setPen(Qt::NoPen);
  p.setBrush(bg);
  p.drawRect(QRectF(QPointF(0, 0), space));
  // Faint rings behind the controller, like a ball's orbit.
  for (int i = 0; i < 3; ++i) {
    QColor ring = kLit;
    ring.setAlpha(28 - i * 8);
    p.setPen(QPen(ring, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(120, 110), 96 + i * 22, 96 + i * 22);
  }
  Scene whole;
  whole.base = true;
  DrawController(p, true, fit.mapRect(QRectF(58, 14, 124, 192)), whole);
  p.setTransform(fit);
  DrawLabel(p, QRectF(212, 42, 262, 54), "Heliryx 360", 40, QFont::Bold, 0, QColor(0xf2, 0xf4, 0xf7));
  DrawLabel(p, QRectF(214, 98, 262, 32), "CUSTOMIZER", 22, QFont::Normal, 3.0, kLit);
  p.setPen(QPen(QColor(0xff, 0xb0, 0x20, 140), 2));
  p.drawLine(QPointF(214, 140), QPointF(440, 140));
  p.setTransform(QTransform());
}

// ---- The stick picture: the ball alone with its six motions.

const QPointF kStickCentre(80, 80);

// The two turning arrows, built once like the axis outlines.
const std::array<QPainterPath, 2>& StickTurns() {
  static const std::array<QPainterPath, 2> turns = {
      CurvedArrow(ArcAround(kStickCentre, 58, -70, -22), false, 6, 15, 11),
      CurvedArrow(ArcAround(kStickCentre, 58, 110, 158), false, 6, 15, 11)};
  return turns;
}

void DrawStick(QPainter& p, QRectF target) {
  Begin(p, QSizeF(160, 160), target);
  const QPointF c = kStickCentre;
  p.setBrush(BallShading(c - QPointF(16, 18), 70));
  p.setPen(QPen(kBallEdge, 2));
  p.drawEllipse(c, 44, 44);
  // The equator, so the ball reads as round.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x5a, 0x64, 0x70, 150), 1.5, Qt::DashLine));
  p.drawEllipse(c, 44, 14);
  auto draw = [&](const QPainterPath& shape, const QColor& fill) {
    p.setBrush(fill);
    p.setPen(QPen(fill.darker(220), 1.2));
    p.drawPath(shape);
  };
  QColor moves = kLit, turns = kChord;
  draw(StraightArrow({c.x() + 48, c.y()}, {c.x() + 76, c.y()}, 7, 16, 11), moves);
  draw(StraightArrow({c.x() - 48, c.y()}, {c.x() - 76, c.y()}, 7, 16, 11), moves);
  draw(StraightArrow({c.x(), c.y() - 48}, {c.x(), c.y() - 76}, 7, 16, 11), moves);
  draw(StraightArrow({c.x(), c.y() + 48}, {c.x(), c.y() + 76}, 7, 16, 11), moves);
  for (const QPainterPath& turn : StickTurns()) draw(turn, turns);
  QPainterPath ring;
  ring.addEllipse(c, 10, 10);
  ring.addEllipse(c, 6, 6);
  ring.addEllipse(c, 3, 3);
  draw(ring, moves);
  p.setTransform(QTransform());
}

// ---- The program icon: three tuning sliders whose knobs are the controller's
// ball, the same picture as the icon of the program's menu entry.

void DrawIcon(QPainter& p, QRectF target) {
  Begin(p, QSizeF(48, 48), target);
  const QColor deep(0x1c, 0x31, 0x5c);
  QRectF tile(4, 4, 40, 40);
  QLinearGradient bg(tile.topLeft(), tile.bottomLeft());
  bg.setColorAt(0, QColor(0x3b, 0x63, 0xa8));
  bg.setColorAt(1, deep);
  p.setPen(Qt::NoPen);
  p.setBrush(bg);
  p.drawRoundedRect(tile, 8, 8);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 51), 1));
  p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 7.5, 7.5);
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  for (double x : {14.0, 24.0, 34.0}) p.drawLine(QPointF(x, 11), QPointF(x, 37));
  for (QPointF knob : {QPointF(14, 29), QPointF(24, 17), QPointF(34, 24)}) {
    QRadialGradient ball(knob - QPointF(1.4, 1.8), 7.5);
    ball.setColorAt(0, QColor(0xff, 0xf3, 0xdf));
    ball.setColorAt(0.45, QColor(0xff, 0xa5, 0x3a));
    ball.setColorAt(1, QColor(0xc2, 0x56, 0x0a));
    p.setBrush(ball);
    p.setPen(QPen(deep, 1));
    p.drawEllipse(knob, 5, 5);
  }
  p.setTransform(QTransform());
}

QPixmap Canvas(QSize size, qreal dpr) {
  QPixmap pm(size * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  return pm;
}

}  // namespace

bool HasPicture(PictureSet set, int index) {
  int k = index;
  if (IsControllerSet(set) && index >= kVerticalSetBase) k = index - kVerticalSetBase;
  return k >= 0 && k <= LastIndexOfSet(set);
}

QSize NaturalSize(PictureSet set, int index) {
  if (!HasPicture(set, index)) return {};
  bool vertical = index >= kVerticalSetBase;
  switch (set) {
    case PictureSet::Sensitivity:
    case PictureSet::Motion:
    case PictureSet::ChordAB:
      return vertical ? QSize(180, 320) : QSize(320, 180);
    case PictureSet::Stick:
      return {96, 96};
    case PictureSet::Splash:
      return index == 0 ? QSize(480, 220) : QSize(236, 64);
    case PictureSet::Logo:
      return {236, 64};
  }
  return {};
}

QPixmap Picture(PictureSet set, int index, QSize size, qreal devicePixelRatio) {
  if (!HasPicture(set, index) || size.isEmpty()) return {};
  QPixmap pm = Canvas(size, devicePixelRatio);
  QPainter p(&pm);
  QRectF target(QPointF(0, 0), QSizeF(size));
  if (IsControllerSet(set)) {
    bool vertical = index >= kVerticalSetBase;
    DrawController(p, vertical, target, SceneFor(set, vertical ? index - kVerticalSetBase : index));
  } else if (set == PictureSet::Stick) {
    DrawStick(p, target);
  } else if (set == PictureSet::Splash && index == 0) {
    DrawSplash(p, target);
  } else {
    DrawLogo(p, target, set == PictureSet::Splash);
  }
  return pm;
}

QPixmap LitPicture(PictureSet set, int index, QSize size, qreal devicePixelRatio) {
  if (!HasPicture(set, index) || size.isEmpty()) return {};
  if (!IsControllerSet(set)) return Picture(set, index, size, devicePixelRatio);
  int base = index >= kVerticalSetBase ? kVerticalSetBase : 0;
  QPixmap pm = Picture(PictureSet::Motion, base, size, devicePixelRatio);
  QPainter p(&pm);
  p.drawPixmap(0, 0, Picture(set, index, size, devicePixelRatio));
  return pm;
}

QIcon TunedeckIcon() {
  QIcon icon;
  for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pm = Canvas(QSize(side, side), 1.0);
    QPainter p(&pm);
    DrawIcon(p, QRectF(0, 0, side, side));
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace common_ui::art
