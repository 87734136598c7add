// The warning that the controller does not seem to be set up, with the choice
// to quit, go on, or not be warned again.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace common_ui {

class frmCheckAttached : public QDialog {
  Q_OBJECT
 public:
  explicit frmCheckAttached(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Image1;
  QPushButton* cmdOk;
  QPushButton* cmdExit;
  QCheckBox* chkIgnore;

  void chkIgnore_Click();
  void cmdOk_Click();
  // Tells the owner to end the program (`exitChosen`), then closes the dialog.
  void cmdExit_Click();

 signals:
  // The player chose Exit: the owner unloads its main window and ends.
  void exitChosen();

 private:
  void Form_Load();
};

}  // namespace common_ui
