#include "platform/cursor_clip.h"

#include "platform/cursor_clip_x11.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdio>

namespace platform {

namespace {

void* confinedOn = nullptr;  // the display whose pointer this program holds

void* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? static_cast<void*>(x11->display()) : nullptr;
}

}  // namespace

ClipResult ClipCursorToForm(QWidget& frm) {
  void* display = X11Display();
  if (!display) {
    std::fprintf(stderr, "%s: the pointer is not confined to the window (the %s platform cannot hold it)\n",
                 frm.windowTitle().toLocal8Bit().constData(),
                 QGuiApplication::platformName().toLocal8Bit().constData());
    return ClipResult::Unsupported;
  }
  if (!x11::ConfinePointer(display, frm.window()->winId())) return ClipResult::NotYet;
  confinedOn = display;
  return ClipResult::Confined;
}

void ReleaseCursorClip() {
  if (!confinedOn) return;
  // The display is gone with the application; the X server has freed the pointer then.
  if (confinedOn == X11Display()) x11::ReleasePointer(confinedOn);
  confinedOn = nullptr;
}

}  // namespace platform
