// Modal windows. Every modal dialog of the programs runs through ExecModal, so
// tests can look at it and close it, and so a program without a display does
// not wait forever for a click nobody can make.
#pragma once

#include <functional>

class QDialog;

namespace platform {

// QDialog::exec(), or, without a display, a note on standard error and an
// immediate close (rejected), unless a test handler takes the dialog.
int ExecModal(QDialog& dialog);

using ModalHandler = std::function<int(QDialog&)>;
void SetModalHandler(ModalHandler handler);

}  // namespace platform
