// Tunedeck's start-up (Main): the attachment warning, one editor per
// installation folder, the splash, the configuration folder, the command line,
// the operating-system check and the main window.
#pragma once

#include "editor/main_window.h"
#include "editor/splash_window.h"
#include "platform/local_endpoint.h"

#include <memory>
#include <string>

namespace editor {

class EditorStart {
 public:
  EditorStart(std::string commandText, std::string programFolder);
  ~EditorStart();

  // Runs the start-up; true when the main window is up and the program goes on
  // (until the window's End()).
  bool Main();
  // How the start-up ended, or once the window has ended, how the window did.
  int ExitCode() const { return window_ && window_->Ended() ? window_->ExitCode() : exitCode_; }
  frmMain* Window() const { return window_.get(); }
  frmSplash* Splash() const { return splash_.get(); }

  bool SkipOsCheck = false;
  std::string ScgFolder;
  // The window is shown minimised (the monitor starts the editor that way).
  bool startMinimized = false;
  // The window's end leaves the application's event loop, from its creation on
  // (the program asks for it; tests do not).
  bool leaveEventLoopOnEnd = false;

 private:
  void ShowCommandLineHelp();
  void End(int exitCode);

  std::string commandText_;
  std::string programFolder_;
  std::unique_ptr<platform::SingleInstance> instance_;
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<frmMain> window_;
  int exitCode_ = 0;
};

}  // namespace editor
