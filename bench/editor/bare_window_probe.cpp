// The floor of the editor's start: a bare Qt Widgets main window of the
// editor's size with a menu bar and a label, shown and painted.
//   bench_bare_window START_STAMP IDLE_MS
#include "bench/editor/start_report.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&File"));
  auto* label = new QLabel(QStringLiteral("Heliryx 360 Customizer"));
  label->setFixedSize(1000, 620);
  window.setCentralWidget(label);
  window.show();
  window.repaint();
  bench_start::ReportShown(argv[1], std::atoi(argv[2]));
  return app.exec();
}
