// Writes every picture of the controller artwork to PNG files in the folder it is
// given, the lit ones laid over the whole controller as the window shows them,
// so they can be looked at without a display.
#include "common_ui/controller_art.h"
#include "platform/qt_start.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

using namespace common_ui::art;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::PrepareQtPlatform();
  QApplication app(argc, argv);
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  const struct {
    PictureSet set;
    const char* name;
  } sets[] = {{PictureSet::Sensitivity, "imgSensitivity"}, {PictureSet::Motion, "imgMotion"},
              {PictureSet::ChordAB, "imgChordAB"},         {PictureSet::Stick, "imgStix"},
              {PictureSet::Splash, "frmSplash"},           {PictureSet::Logo, "imgVantrelLogo"}};
  int written = 0;
  for (const auto& s : sets) {
    for (int index = 0; index < 100; ++index) {
      if (!HasPicture(s.set, index)) continue;
      QString file = folder.filePath(QString("%1_%2.png").arg(s.name).arg(index));
      if (!LitPicture(s.set, index, NaturalSize(s.set, index), 2.0).save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
      }
      ++written;
    }
  }
  // One sheet of every controller picture, a row per array and orientation.
  const int cell = 200;
  QPixmap sheet(cell * 13, cell * 6);
  sheet.fill(QColor(0xd9, 0xdd, 0xe2));
  QPainter p(&sheet);
  int row = 0;
  for (PictureSet set : {PictureSet::Sensitivity, PictureSet::Motion, PictureSet::ChordAB}) {
    for (int base : {0, kVerticalSetBase}) {
      for (int k = 0; HasPicture(set, base + k); ++k)
        p.drawPixmap(k * cell, row * cell, LitPicture(set, base + k, QSize(cell, cell)));
      ++row;
    }
  }
  p.end();
  if (!sheet.save(folder.filePath("sheet.png"))) return 1;
  for (int side : {16, 32, 48, 256}) {
    QString file = folder.filePath(QString("tunedeck_icon_%1.png").arg(side));
    if (!TunedeckIcon().pixmap(side, side).save(file)) return 1;
    ++written;
  }
  std::printf("%d pictures written to %s\n", written, argv[1]);
  return 0;
}
