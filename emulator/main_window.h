// Pointerly's one window, frmMain: a small diagnostic form titled "Pointerly"
// that owns the 10 ms timer, the notification icon and its menu, and sends the
// input the polling loop asks for. Every way the program ends goes through
// Form_Unload, which first lets go of every key and button it holds, then ends
// the program (End()).
#pragma once

#include "emulator/emulator_settings.h"
#include "emulator/emulator_state.h"
#include "emulator/key_table.h"
#include "emulator/polling_loop.h"
#include "platform/input/input_sink.h"
#include "platform/input/joystick.h"
#include "platform/local_endpoint.h"
#include "platform/program_end.h"
#include "platform/quit_signals.h"
#include "platform/tray_icon.h"

#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QTimer;

namespace emulator {

// Its controls are named (platform/control_names.h), the arrays indexed from 0:
// tests reach them by name.
class frmMain : public QWidget {
  Q_OBJECT
 public:
  // `iniFile` holds the settings (pointerly.ini); `sinks` gives the sink the
  // input goes to, opened at start-up.
  frmMain(std::string iniFile, platform::InputSinkSource& sinks);
  ~frmMain() override;

  // Start-up: single instance, icon, priority, settings, controller; on
  // failure the program ends through Form_Unload.
  void Form_Load();
  void tmrEvent_Timer();
  void chkDebug_Click();
  void mnuAbout_Click();
  void mnuExit_Click();
  void Form_Unload(int exitCode = 0);

  bool Ended() const { return end_.Ended(); }
  int ExitCode() const { return end_.ExitCode(); }
  const platform::ProgramEnd& End() const { return end_; }
  const EmulatorState& State() const { return state_; }
  int JoyId() const { return JoyId_; }
  platform::InputSink* Sink() { return sink_.get(); }
  const platform::TrayIcon& Tray() const { return tray_; }

 signals:
  // After every tick (for measurements).
  void ticked();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Shows the tick's values; only what changed, and only while the window can be seen.
  void RefreshLabels();

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

  std::string iniFile_;
  platform::InputSinkSource& sinks_;
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
  platform::ProgramEnd end_;
};

}  // namespace emulator
