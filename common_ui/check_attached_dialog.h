// The warning that the controller does not seem to be set up, with the choice
// to quit, go on, or not be warned again.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace common_ui {

class frmCheckAttached : public QDialog {
  Q_OBJECT
 public:
  // `closeMainWindow` unloads the program's main window before Exit ends the program.
  explicit frmCheckAttached(std::function<void()> closeMainWindow = {}, QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Image1;
  QPushButton* cmdOk;
  QPushButton* cmdExit;
  QCheckBox* chkIgnore;

  void chkIgnore_Click();
  void cmdOk_Click();
  void cmdExit_Click();

  // Ends the program; tests replace it.
  std::function<void(int)> endProgram;

 private:
  void Form_Load();
  std::function<void()> closeMainWindow_;
};

}  // namespace common_ui
