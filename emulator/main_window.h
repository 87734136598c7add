// Pointerly's one window, frmMain: a small diagnostic form titled "Pointerly"
// that owns the 10 ms timer, the notification icon and its menu, and sends the
// input the polling loop asks for. Every way the program ends goes through
// Form_Unload, which first lets go of every key and button it holds.
#pragma once

#include "emulator/emulator_settings.h"
#include "emulator/emulator_state.h"
#include "emulator/key_table.h"
#include "emulator/polling_loop.h"
#include "platform/input/input_sink.h"
#include "platform/input/joystick.h"
#include "platform/quit_signals.h"
#include "platform/local_endpoint.h"
#include "platform/tray_icon.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QTimer;

namespace emulator {

// What the window takes from its surroundings; tests and benchmarks replace parts.
struct PointerlyHooks {
  std::string iniFile = EmulatorIniPath();
  std::function<std::unique_ptr<platform::InputSink>(std::string& whyNot)> openSink = platform::OpenInputSink;
  // Ends the program (leaves the event loop with this exit code).
  std::function<void(int exitCode)> endProgram;
  // Called after every tick (for measurements).
  std::function<void()> afterTick;
};

class frmMain : public QWidget {
  Q_OBJECT
 public:
  explicit frmMain(PointerlyHooks hooks = {});
  ~frmMain() override;

  QLabel* lblPriority;
  QLabel* lblVersion;
  QLabel* lblMouseX;
  QLabel* lblMouseY;
  std::array<QLabel*, 3> lblLabel;  // "Mouse X", "Mouse Y", "Don't send events..."
  std::array<QLabel*, kAxisCount> lblValue;
  std::array<QLabel*, kButtonCount> Label1;
  QCheckBox* chkDebug;
  QCheckBox* chkHide;
  QTimer* tmrEvent;
  QMenu* mnuPopup;
  QAction* mnuAbout;
  QAction* mnuSeparator;
  QAction* mnuExit;

  // Start-up: single instance, icon, priority, settings, controller; on
  // failure the program ends through Form_Unload.
  void Form_Load();
  void tmrEvent_Timer();
  void chkDebug_Click();
  void mnuAbout_Click();
  void mnuExit_Click();
  void Form_Unload(int exitCode = 0);

  bool Ended() const { return ended_; }
  int ExitCode() const { return exitCode_; }
  const EmulatorState& State() const { return state_; }
  int JoyId() const { return JoyId_; }
  platform::InputSink* Sink() { return sink_.get(); }
  const platform::TrayIcon& Tray() const { return tray_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Shows the tick's values; only what changed, and only while the window can be seen.
  void RefreshLabels();

  PointerlyHooks hooks_;
  platform::SingleInstance instance_{"pointerly"};
  platform::WindowMessages window_{"Pointerly"};
  std::unique_ptr<platform::QuitSignals> quitSignals_;
  platform::TrayIcon tray_;
  platform::Joystick joystick_;
  std::unique_ptr<platform::InputSink> sink_;
  KeyTable KeyTable_;
  EmulatorState state_;
  platform::JoyReading JoyInfo_;
  int JoyId_ = 0;
  InputEvents events_;  // reused every tick
  // What the labels show, so a tick touches only those that change.
  std::array<int32_t, 2 + kAxisCount> shownValues_{};  // MouseDeltaX, MouseDeltaY, then the axes
  std::array<bool, kButtonCount> shownPressed_{};
  bool ended_ = false;
  int exitCode_ = 0;
};

}  // namespace emulator
