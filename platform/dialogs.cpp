#include "platform/dialogs.h"

#include "platform/text.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace platform {

static MsgBoxHandler& Handler() {
  static MsgBoxHandler handler;
  return handler;
}

void SetMsgBoxHandler(MsgBoxHandler handler) { Handler() = std::move(handler); }

bool Headless() {
  return !qApp || QGuiApplication::platformName() == QLatin1String("offscreen") ||
         QGuiApplication::platformName() == QLatin1String("minimal");
}

MsgResult DefaultAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
      return MsgResult::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
      return MsgResult::Yes;
    case MsgButtons::RetryCancel:
      return MsgResult::Retry;
  }
  return MsgResult::Ok;
}

static std::string ForStandardError(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

MsgResult MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title, bool foreground) {
  MsgBoxRequest request{text, title, buttons, icon, foreground};
  if (Handler()) return Handler()(request);
  if (Headless()) {
    std::string shown = "[message box] " + title + ": " + ForStandardError(text) + "\n";
    QByteArray utf8 = FromAnsi(shown).toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stderr);
    std::fflush(stderr);
    return DefaultAnswer(buttons);
  }
  QMessageBox box;
  box.setWindowTitle(FromAnsi(title));
  box.setText(FromAnsi(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
  switch (icon) {
    case MsgIcon::None:
      break;
    case MsgIcon::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case MsgIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case MsgIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MsgIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
  }
  switch (buttons) {
    case MsgButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MsgButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MsgButtons::RetryCancel:
      box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
      break;
  }
  if (foreground) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return MsgResult::Ok;
    case QMessageBox::Yes:
      return MsgResult::Yes;
    case QMessageBox::No:
      return MsgResult::No;
    case QMessageBox::Retry:
      return MsgResult::Retry;
    default:
      return MsgResult::Cancel;
  }
}

}  // namespace platform
