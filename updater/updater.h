// Fetchling's program state and procedures, without the window: start-up and
// end with the monitor's hand-shake, the wizard's stages, the downloads, the
// update list and the installation. The window (frmMain) shows `View` and
// forwards its clicks; tests drive this class directly.
#pragma once

#include "platform/http_transfer.h"
#include "platform/program_end.h"
#include "updater/kept_copies.h"
#include "updater/update_list.h"
#include "updater/wizard_view.h"

#include <QObject>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QEventLoop;

namespace updater {

inline const std::string kWindowTitle = "Heliryx 360 Freshline";
inline const std::string kAppTitle = "Freshline";
// Used when the registry holds no "UpdateServer" value.
inline const std::string kDefaultUpdateServer = "https://heliryx360.example.org";

// The update server's base address: the registry value "UpdateServer" under the
// Kelvane key, else the default; without a trailing "/".
std::string UpdateServerAddress();
// The test report's address: the update server's host over HTTP, port 8080.
std::string TestReportAddress(const std::string& updateServer, const std::string& when);

// Whether the computer seems connected, asked before the check for updates.
class ConnectionCheck {
 public:
  virtual ~ConnectionCheck() = default;
  virtual bool Connected(const std::string& serverAddress) = 0;
};

// The real check: whether the server's host resolves.
class HostLookup : public ConnectionCheck {
 public:
  bool Connected(const std::string& serverAddress) override { return platform::HostResolves(serverAddress); }
};

struct UpdaterSettings {
  // The folder the downloads go to (the relaunched copy's private folder).
  std::string tempFolder;
  // How long the end waits for a monitor told to quit to empty the mailbox.
  int killWaitMs = 5000;
  // The installation folder the starting copy was run from; empty (a copy
  // started by hand) for the one the registry's AppPath names.
  std::string installFolder{};
  // The update server's address; empty for UpdateServerAddress().
  std::string updateServer{};
};

// How far the downloads have come: the bytes of this file and of the whole
// installation, against what the list or the response said to expect.
struct TransferProgress {
  bool ShowProgress = false;        // the stage shows the progress text
  bool CumulativeProgress = false;  // an installation: the whole run counts, not one file
  long long ExpectedSize = 0;
  long long ExpectedTotal = 0;
  long long BytesThisFile = 0;
  long long BytesTotal = 0;
};

// What the updater tells its window is said by Qt signals: `changed`, and the
// program's end (End()).
class Updater : public QObject {
  Q_OBJECT
 public:
  Updater(UpdaterSettings settings, ConnectionCheck& connection);
  ~Updater() override;

  // Start-up and end of the relaunched copy.
  void Form_Load();
  void Form_Unload();
  void Command1_Click();

  // The wizard.
  void SetStage(int s);
  void cmdCheck_Click();
  void CheckConnection();
  void CancelUpdate();

  // Transfers, one at a time.
  void Download(const QueuedFile& file);
  // The downloads that follow show their progress against `expectedTotal`
  // bytes together, as an installation's do.
  void CountProgress(long long expectedTotal);
  void WaitForFinish();

  // The inventory, the update list and the installation.
  void ReadInstalledVersions();
  void CheckForUpdates();
  void InstallUpdates();

  bool Ended() const { return end_.Ended(); }
  int ExitCode() const { return end_.ExitCode(); }
  const platform::ProgramEnd& End() const { return end_; }
  // True when something went wrong in this run (the wizard then ends cancelled).
  bool RunFailed() const { return runFailed_; }

  // What the window shows.
  const WizardView& View() const { return view_; }
  // The installation folder being updated; ends with "/".
  const std::string& InstallPath() const { return installPath_; }
  int CurrentStage() const { return currentStage_; }
  const UpdateQueues& Queues() const { return queues_; }
  const TransferProgress& Progress() const { return progress_; }

 signals:
  // The view changed (the window copies it onto its controls).
  void changed();

 private:
  void Changed();
  void Report(const std::string& text);
  void ReportError(const std::string& description, int number);
  void ShowProgressText();
  void TransferFinished(const platform::TransferResult& result);
  // Fetches from the update site's `address` (below "/fetchling/") to `target`;
  // its result is kept under `key`.
  void Fetch(const std::string& key, const std::string& address, const std::string& target);
  bool InstallQueued(FileKind kind);
  void RemoveDownloads();
  void EndProgram(int exitCode);
  bool WaitForMode(const std::string& iniFile, const std::function<bool(const std::string&)>& done, int ms);

  UpdaterSettings settings_;
  ConnectionCheck& connection_;
  WizardView view_;
  std::string installPath_;  // ends with "/"
  std::string UpdateServer;
  int currentStage_ = 0;
  bool UpdateCancelled = false;
  bool CheckStarted = false;
  TransferProgress progress_;
  InstalledTable InstalledVersions;
  UpdateQueues queues_;
  platform::HttpTransfer Inet1;
  std::vector<QEventLoop*> waits_;
  std::set<std::string> arrived_;  // the keys of the files that arrived whole in this run
  std::string fetching_;           // the key of the running transfer
  std::vector<KeptCopy> kept_;     // the player's changed files this installation kept
  bool downloading_ = false;       // the running transfer is a Download (not the test report)
  std::optional<platform::TransferResult> failure_;
  bool runFailed_ = false;
  platform::ProgramEnd end_;
  bool unloading_ = false;
  int exitCode_ = 0;  // what the unload ends with
};

}  // namespace updater
