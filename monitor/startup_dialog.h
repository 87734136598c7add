// frmStartUp: whether Watchpost starts when the user logs in. The choice is the
// Run value "Ryx Monitor" in the registry store, and, so that a desktop session
// really starts the monitor, an autostart entry kept in step with it.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QPushButton;

namespace monitor {

inline const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kRunValueName = "Ryx Monitor";
inline const std::string kAutostartId = "heliryx360-watchpost";

// The Run value for the running program: its full path in double quotes.
std::string RunValueData(const std::string& programFolder, const std::string& programFileName);

class frmStartUp : public QDialog {
  Q_OBJECT
 public:
  frmStartUp(std::string programFolder, std::string programFileName, QWidget* parent = nullptr);

  QCheckBox* chkStartup;
  QPushButton* cmdOk;

  void Form_Load();
  void cmdOk_Click();
  // Applies the choice; runs however the dialog is closed.
  void Form_Unload();

 protected:
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::string programFolder_;
  std::string programFileName_;
  bool unloaded_ = false;
};

}  // namespace monitor
