#include "monitor/real_services.h"

#include "platform/local_endpoint.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QThread>
#include <QTime>
#include <QTimer>

namespace monitor {

void QtClock::Sleep(int ms) {
  QElapsedTimer elapsed;
  elapsed.start();
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  QEventLoop* outer = loop_;
  loop_ = &loop;
  woken_ = false;
  loop.exec();
  loop_ = outer;
  // Once the program is ending, event loops return at once: sleep plainly then,
  // so that no caller's wait turns into a spin.
  if (!woken_ && elapsed.elapsed() < ms) QThread::msleep(static_cast<unsigned long>(ms - elapsed.elapsed()));
}

std::string TimeOfDayText() {
  // The system's time format, without a time zone.
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QStringLiteral(" t")).remove(QLatin1Char('t'));
  return QLocale::system().toString(QTime::currentTime(), format.trimmed()).toStdString();
}

void QtClock::Wake() {
  woken_ = true;
  if (loop_) loop_->quit();
}

void PointerlyWindow::ClosePointerly() { platform::PostCloseToWindow("Pointerly"); }

bool PointerlyWindow::Running() { return platform::WindowExists("Pointerly"); }

}  // namespace monitor
