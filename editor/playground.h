// The testing playground: a small window with a text box to try the
// controller's keys in. While it is open the pointer stays inside it; it
// closes itself after a countdown shown on its exit button, and every way out
// (the button, the countdown, closing, being unmapped or destroyed) frees the
// pointer.
#pragma once

#include "platform/cursor_clip.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;
class QTimer;

namespace editor {

// The playground's once-a-second tick (tmrExit); tests drive it by hand.
class PlaygroundTimer {
 public:
  virtual ~PlaygroundTimer() = default;
  virtual void Start(int intervalMs, std::function<void()> onTick) = 0;
  virtual void Stop() = 0;
};

class frmPlayground : public QWidget {
  Q_OBJECT
 public:
  // A window of its own, owned by `parent` (gone with it) and deleted when
  // closed. Without a timer, a real one ticks.
  explicit frmPlayground(QWidget* parent = nullptr, std::unique_ptr<PlaygroundTimer> timer = nullptr);
  ~frmPlayground() override;

  QLineEdit* txtPlayground;
  QPushButton* cmdExit;
  int Countdown = 0;  // seconds left

  void tmrExit_Timer();
  void cmdExit_Click();

  // Whether the pointer is held inside the window now.
  bool PointerConfined() const { return confined_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  void Form_Unload();
  void ClipPointer();
  void ReleasePointer();

  std::unique_ptr<PlaygroundTimer> tmrExit;
  QTimer* clipRetry_;
  bool loaded_ = false;
  bool confined_ = false;
  bool cannotConfine_ = false;  // the platform said so once; no need to ask again
};

}  // namespace editor
