// What a test inside an X desktop (RunInDesktop) sees of it through Xlib: the
// window manager, the tray, and the state of a program's top-level window.
#pragma once

#include <string>

struct _XDisplay;

namespace testing_support {

class XDesktop {
 public:
  XDesktop();  // on $DISPLAY
  ~XDesktop();
  XDesktop(const XDesktop&) = delete;
  XDesktop& operator=(const XDesktop&) = delete;
  bool Connected() const { return display_ != nullptr; }

  // A window manager has taken over the screen (it names itself on the root
  // window, _NET_SUPPORTING_WM_CHECK).
  bool WindowManagerRunning();
  // An XEmbed tray holds the screen's tray selection.
  bool TrayPresent();
  // A player's click at a point of the screen (XTest): button 1 left, 3 right.
  void Click(int x, int y, int button);

  struct WindowState {
    bool found = false;
    bool viewable = false;  // mapped, and its parents too
    bool iconic = false;    // WM_STATE says IconicState
    bool active = false;    // the window manager's active window (_NET_ACTIVE_WINDOW)
    int width = 0;
    int height = 0;
  };
  // The largest managed window (one with WM_STATE) titled `title`: a program's
  // splash may bear its main window's title.
  WindowState TopLevel(const std::string& title);

 private:
  _XDisplay* display_ = nullptr;
};

}  // namespace testing_support
