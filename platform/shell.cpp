#include "platform/shell.h"

#include "platform/text.h"

#include <QDesktopServices>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QUrl>

namespace platform {

bool OpenWithDesktop(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(FromAnsi(url), QUrl::TolerantMode));
}

bool StartDetached(const std::string& program, const std::vector<std::string>& args, StartWindow how) {
  QStringList list;
  for (const auto& a : args) list << FromAnsi(a);
  QProcess process;
  process.setProgram(FromAnsi(program));
  process.setArguments(list);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  std::string entry = StartWindowEntry(how);
  size_t eq = entry.find('=');
  environment.insert(QString::fromStdString(entry.substr(0, eq)), QString::fromStdString(entry.substr(eq + 1)));
  process.setProcessEnvironment(environment);
  process.setStandardInputFile(QProcess::nullDevice());
  return process.startDetached();
}

}  // namespace platform
