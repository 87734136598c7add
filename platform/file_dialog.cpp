#include "platform/file_dialog.h"

#include "platform/dialogs.h"
#include "platform/text.h"

#include <QFileDialog>
#include <QFileInfo>
#include <cstdio>

namespace platform {

static FileDialogHandler& Handler() {
  static FileDialogHandler handler;
  return handler;
}

void SetFileDialogHandler(FileDialogHandler handler) { Handler() = std::move(handler); }

std::string QtNameFilters(const std::string& filter) {
  std::vector<std::string> parts = SplitOn(filter, '|');
  std::string result;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string name = parts[i];
    // A description that already shows its pattern in brackets is kept as it is.
    if (name.find('(') == std::string::npos) name += " (" + parts[i + 1] + ")";
    if (!result.empty()) result += ";;";
    result += name;
  }
  return result;
}

FileDialogResult ShowFileDialog(const FileDialogRequest& request) {
  if (Handler()) return Handler()(request);
  if (Headless()) {
    std::fprintf(stderr, "[file dialog] %s %s: cancelled without a display\n", request.save ? "Save As" : "Open",
                 request.initialFolder.c_str());
    std::fflush(stderr);
    return {};
  }
  QFileDialog dialog(nullptr, QString(), FromAnsi(request.initialFolder), FromAnsi(QtNameFilters(request.filter)));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The programs ask their own overwrite question, and add no extension.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!request.fileName.empty()) dialog.selectFile(FromAnsi(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  QString chosen = dialog.selectedFiles().first();
  return {ToAnsi(chosen), ToAnsi(QFileInfo(chosen).fileName())};
}

}  // namespace platform
