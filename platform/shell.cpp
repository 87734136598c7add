#include "platform/shell.h"

#include "platform/text.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace platform {

bool OpenWithDesktop(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(FromAnsi(url), QUrl::TolerantMode));
}

bool StartDetached(const std::string& program, const std::vector<std::string>& args) {
  QStringList list;
  for (const auto& a : args) list << FromAnsi(a);
  return QProcess::startDetached(FromAnsi(program), list);
}

}  // namespace platform
