#include "platform/modal.h"

#include "platform/dialogs.h"

#include <QDialog>
#include <cstdio>

namespace platform {

static ModalHandler& Handler() {
  static ModalHandler handler;
  return handler;
}

void SetModalHandler(ModalHandler handler) { Handler() = std::move(handler); }

int ExecModal(QDialog& dialog) {
  if (Handler()) return Handler()(dialog);
  if (Headless()) {
    std::fprintf(stderr, "[dialog] %s\n", dialog.windowTitle().toUtf8().constData());
    std::fflush(stderr);
    return QDialog::Rejected;
  }
  return dialog.exec();
}

}  // namespace platform
