// Fetchling's window, frmMain: the one-button wizard. It shows the updater's
// view and hands every click to the updater; the logic lives in Updater.
#pragma once

#include "platform/local_endpoint.h"
#include "updater/updater.h"

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace updater {

class frmMain : public QWidget {
  Q_OBJECT
 public:
  // `tempFolder`: where the downloads go (the folder the relaunched copy runs
  // from). The window hides when the program ends.
  explicit frmMain(const std::string& tempFolder, int killWaitMs = 5000, QWidget* parent = nullptr);
  explicit frmMain(const UpdaterSettings& settings, QWidget* parent = nullptr);
  ~frmMain() override;

  void Form_Load();
  void Form_Unload() { core_->Form_Unload(); }
  void cmdCheck_Click() { core_->cmdCheck_Click(); }
  void Command1_Click() { core_->Command1_Click(); }
  void lblVersion_Click();

  Updater& Core() { return *core_; }
  bool Ended() const { return core_->Ended(); }
  int ExitCode() const { return core_->ExitCode(); }
  const platform::ProgramEnd& End() const { return core_->End(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refresh();

  // The controls, named as they are called here (platform/control_names.h).
  QLabel* Image1 = nullptr;
  QLabel* lblWelcome = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblNEXT = nullptr;
  QLabel* lblNextCaption = nullptr;
  QPushButton* cmdCheck = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* lblprogressinfo = nullptr;
  QProgressBar* barMinor = nullptr;
  QLabel* lblVersion = nullptr;
  QListWidget* lstMain = nullptr;
  QListWidget* lstScg = nullptr;
  QListWidget* lstGames = nullptr;
  QListWidget* lstCrv = nullptr;
  QListWidget* lstInfo = nullptr;
  QListWidget* lstAvailable = nullptr;
  QListWidget* lstExisting = nullptr;

  HostLookup connection_;
  std::unique_ptr<Updater> core_;
  std::map<QListWidget*, std::vector<std::string>> shown_;  // what each list shows
  platform::LocalEndpoint endpoint_;
  std::string tempFolder_;
};

}  // namespace updater
