#include "editor/playground.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace editor {

namespace {

class QtPlaygroundTimer : public PlaygroundTimer {
 public:
  void Start(int intervalMs, std::function<void()> onTick) override {
    timer_.disconnect();
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
    timer_.start(intervalMs);
  }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

// How often to try again to hold the pointer while the window is not on screen yet.
constexpr int kClipRetryMs = 50;

}  // namespace

frmPlayground::frmPlayground(QWidget* parent, std::unique_ptr<PlaygroundTimer> timer)
    : QWidget(parent, Qt::Window),
      tmrExit(timer ? std::move(timer) : std::make_unique<QtPlaygroundTimer>()),
      clipRetry_(new QTimer(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Testing Playground");
  txtPlayground = new QLineEdit(this);
  cmdExit = new QPushButton("Exit Playground ... 10", this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(txtPlayground);
  layout->addWidget(cmdExit);
  setFixedSize(320, 110);
  connect(cmdExit, &QPushButton::clicked, this, &frmPlayground::cmdExit_Click);
  clipRetry_->setInterval(kClipRetryMs);
  connect(clipRetry_, &QTimer::timeout, this, &frmPlayground::ClipPointer);
}

frmPlayground::~frmPlayground() {
  // Destroyed without a close (its owner went first, the program is ending).
  ReleasePointer();
}

void frmPlayground::Form_Load() {
  QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->geometry();
  move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
  Countdown = 5;
  ClipPointer();
  tmrExit->Start(1000, [this] { tmrExit_Timer(); });
  txtPlayground->setFocus();
}

void frmPlayground::Form_Unload() {
  tmrExit->Stop();
  ReleasePointer();
}

void frmPlayground::tmrExit_Timer() {
  Countdown = Countdown - 1;
  if (Countdown != 0) {
    cmdExit->setText("Exit Playground ... " + QString::number(Countdown));
    return;
  }
  tmrExit->Stop();
  close();
}

void frmPlayground::cmdExit_Click() {
  tmrExit->Stop();
  close();
}

void frmPlayground::ClipPointer() {
  if (confined_ || cannotConfine_) return;
  switch (platform::ClipCursorToForm(*this)) {
    case platform::ClipResult::Confined:
      confined_ = true;
      clipRetry_->stop();
      break;
    case platform::ClipResult::NotYet:
      clipRetry_->start();
      break;
    case platform::ClipResult::Unsupported:
      cannotConfine_ = true;
      clipRetry_->stop();
      break;
  }
}

void frmPlayground::ReleasePointer() {
  clipRetry_->stop();
  if (!confined_) return;
  platform::ReleaseCursorClip();
  confined_ = false;
}

void frmPlayground::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!loaded_) {
    loaded_ = true;
    // Unmapped from outside (minimised by the window manager), a window gets
    // no hide event, only word that it is no longer exposed.
    if (windowHandle()) windowHandle()->installEventFilter(this);
    Form_Load();
  } else {
    ClipPointer();  // back on screen after being unmapped (restored from minimised)
  }
}

void frmPlayground::hideEvent(QHideEvent* event) {
  // Unmapped (minimised, hidden): the X server has freed the pointer already.
  ReleasePointer();
  QWidget::hideEvent(event);
}

bool frmPlayground::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose && watched == windowHandle()) {
    if (windowHandle()->isExposed())
      ClipPointer();
    else
      ReleasePointer();  // the X server has freed the pointer with the mapping already
  }
  return false;
}

void frmPlayground::closeEvent(QCloseEvent* event) {
  Form_Unload();
  QWidget::closeEvent(event);
}

}  // namespace editor
