// The common file dialog (Open and Save As). Every file dialog of the programs
// goes through ShowFileDialog, so tests choose the file from a script. Without
// a display the dialog is noted on standard error and taken as cancelled.
#pragma once

#include <functional>
#include <string>

namespace platform {

struct FileDialogRequest {
  bool save = false;          // a Save As dialog, else Open
  std::string filter;         // "Name (*.scg)|*.scg|All Files (*.*)|*.*"
  std::string initialFolder;  // Linux folder
  std::string fileName;       // the name offered at first
};

struct FileDialogResult {
  std::string fileName;   // full path of the chosen file
  std::string fileTitle;  // the name without its folder; empty when cancelled
};

FileDialogResult ShowFileDialog(const FileDialogRequest& request);

// Tests install a handler that sees every dialog and answers it; an empty
// function restores the normal behaviour.
using FileDialogHandler = std::function<FileDialogResult(const FileDialogRequest&)>;
void SetFileDialogHandler(FileDialogHandler handler);

// "A (*.a)|*.a|B|*.*" as a Qt name filter list: "A (*.a);;B (*.*)".
std::string QtNameFilters(const std::string& filter);

}  // namespace platform
