// Tunedeck's start-up (Main): the attachment warning, one editor per
// installation folder, the splash, the configuration folder, the command line,
// the operating-system check and the main window.
#pragma once

#include "editor/main_window.h"
#include "editor/splash_window.h"
#include "platform/local_endpoint.h"

#include <functional>
#include <memory>
#include <string>

namespace editor {

class EditorStart {
 public:
  EditorStart(std::string commandText, std::string programFolder);
  ~EditorStart();

  // Runs the start-up; true when the main window is up and the program goes on.
  bool Main();
  int ExitCode() const { return exitCode_; }
  frmMain* Window() const { return window_.get(); }
  frmSplash* Splash() const { return splash_.get(); }

  bool SkipOsCheck = false;
  std::string ScgFolder;
  // The window is shown minimised (the monitor starts the editor that way).
  bool startMinimized = false;
  // Called when the window has been unloaded after the start-up.
  std::function<void(int exitCode)> onEnded;

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
