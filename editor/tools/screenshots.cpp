// Renders Tunedeck's main window, once per page and with a part of the
// controller lit on each page, and its splash window to PNG files, so they can
// be looked at without a display:
//   tunedeck_screenshots OUTPUT_FOLDER INSTALLATION_FOLDER
// The installation folder needs an scg/ folder; the window is loaded from it as
// at start (it writes tunedeck.ini and the snapshots there).
#include "editor/main_window.h"
#include "editor/pages/motions_page.h"
#include "editor/splash_window.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER INSTALLATION_FOLDER\n", argv[0]);
    return 2;
  }
  QDir output(QString::fromLocal8Bit(argv[1]));
  if (!output.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  editor::frmMain window(QDir(QString::fromLocal8Bit(argv[2])).absolutePath().toStdString());
  window.Form_Load();
  if (window.Ended()) return 1;
  auto* tabs = window.Controls().Get<QTabWidget>("tabSensitivity");
  const char* const pages[] = {"page-0-sensitivity", "page-1-motions-and-actions", "page-2-mouse-keyboard"};
  int written = 0;
  for (int page = 0; page < 3; ++page) {
    if (!tabs->isTabEnabled(page)) tabs->setTabEnabled(page, true);
    tabs->setCurrentIndex(page);
    QApplication::processEvents();
    QString file = output.filePath(QString::fromLatin1(pages[page]) + QStringLiteral(".png"));
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
    std::printf("%s\n", file.toLocal8Bit().constData());
    ++written;
  }
  tabs->setCurrentIndex(0);
  QString main = output.filePath(QStringLiteral("main-window.png"));
  if (!window.grab().save(main)) return 1;
  std::printf("%s\n", main.toLocal8Bit().constData());

  // One hover state per page, through the window's own hover handlers, to see
  // the lights where they fall: the first enabled sensitivity slider (the
  // master one when the master settings are on), axis list 3, the first axis
  // whose keys can be set; then chord B + E in the vertical orientation.
  auto firstEnabled = [](const auto& array) {
    for (const auto& [index, control] : array.Members())
      if (control->isEnabled()) return index;
    return array.Members().begin()->first;
  };
  struct Hover {
    const char* file;
    int page;
    std::function<void()> hover;
  };
  const Hover hovers[] = {
      {"page-0-sensitivity-hover", 0,
       [&] {
         window.sldSensitivity_MouseMove(
             firstEnabled(editor::ControlArray<QSlider>(window.Controls(), "sldSensitivity")));
       }},
      {"page-1-motions-and-actions-hover", 1, [&] { window.mcboAxis_MouseMove(3); }},
      {"page-2-mouse-keyboard-hover", 2,
       [&] {
         window.mcboButtonAxisPOSAlias_MouseMove(
             firstEnabled(editor::ControlArray<QComboBox>(window.Controls(), "cboButtonAxisPOSAlias")));
       }},
      {"page-1-chording-vertical-hover", 1,
       [&] {
         window.Motions().UpdateOrientation(2);
         window.Motions().ShowChording(1);
         window.Controls().Get<QTabWidget>("tabChording")->setCurrentIndex(2);
         window.mcboButtonChord_MouseMove(11);
       }},
  };
  for (const Hover& hover : hovers) {
    tabs->setCurrentIndex(hover.page);
    window.ResetImage();
    hover.hover();
    QApplication::processEvents();
    QString file = output.filePath(QString::fromLatin1(hover.file) + QStringLiteral(".png"));
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
    std::printf("%s\n", file.toLocal8Bit().constData());
  }
  editor::frmSplash splash;
  splash.txtStatus->setPlainText(QStringLiteral("Upgrading configuration files..."));
  QString splashFile = output.filePath(QStringLiteral("splash.png"));
  if (!splash.grab().save(splashFile)) return 1;
  std::printf("%s\n", splashFile.toLocal8Bit().constData());
  return written == 3 ? 0 : 1;
}
