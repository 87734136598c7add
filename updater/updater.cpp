#include "updater/updater.h"

#include "config_store/install_folder.h"
#include "config_store/mode_mailbox.h"
#include "config_store/profile_helpers.h"
#include "config_store/shipped_record.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/version_stamp.h"
#include "platform/win_path.h"
#include "updater/version_number.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace updater {

namespace {

const UpdateError kFileNotFound{"File not found", 53};
const UpdateError kPathNotFound{"Path not found", 76};

// The key of the update list among the transfers' results (a queued file's key holds a "_").
const std::string kUpdateListKey = "list";
// The kinds in the order they are fetched and installed.
constexpr FileKind kInstallOrder[] = {FileKind::Program, FileKind::Configuration, FileKind::Support, FileKind::Curve};

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The address part of a file name: each folder level escaped on its own.
std::string UrlPath(const std::string& name) {
  std::string out;
  for (const std::string& part : platform::SplitOn(platform::SlashesForward(name), '/')) {
    if (!out.empty()) out += '/';
    out += QUrl::toPercentEncoding(QString::fromStdString(part)).toStdString();
  }
  return out;
}

// What to say about the first part of the installation an update could not
// write (the mailbox, the folder, its scg, games and crv folders); empty when
// every part takes new files.
std::string UnwritablePartText(const std::string& installPath) {
  std::string mailbox = config_store::MonitorIniPath(installPath);
  if (platform::FileExists(mailbox))
    if (int error = platform::ReplaceError(mailbox)) return platform::CannotWriteText(mailbox, error);
  for (const std::string& folder :
       {installPath, config_store::ScgFolderPath(installPath), config_store::GamesFolderPath(installPath),
        config_store::CurveFolderPath(installPath)})
    if (platform::FolderExists(folder))
      if (int error = platform::FolderWriteError(folder)) return platform::CannotWriteText(folder, error);
  return {};
}

// The window's pace while a list is read: events often enough for a click on
// Cancel to be seen at once, seldom enough to cost nothing.
class ListReadingPace : public ReadingPace {
 public:
  ListReadingPace(const Updater& updater, const bool& cancelled) : updater_(updater), cancelled_(cancelled) {
    sinceEvents_.start();
  }
  bool KeepReading() override {
    if (sinceEvents_.elapsed() >= 15) {
      QCoreApplication::processEvents();
      sinceEvents_.restart();
    }
    return !cancelled_ && !updater_.Ended();
  }

 private:
  const Updater& updater_;
  const bool& cancelled_;
  QElapsedTimer sinceEvents_;
};

}  // namespace

std::string UpdateServerAddress() {
  std::string server;
  if (auto value =
          platform::Registry::Query(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "UpdateServer");
      value && value->type == platform::RegistryValue::Type::String)
    server = platform::Trim(value->text);
  if (server.empty()) server = kDefaultUpdateServer;
  while (!server.empty() && server.back() == '/') server.pop_back();
  return server;
}

std::string TestReportAddress(const std::string& updateServer, const std::string& when) {
  QUrl server(QString::fromStdString(updateServer));
  QUrl report;
  report.setScheme(QStringLiteral("http"));
  report.setHost(server.host());
  report.setPort(8080);
  report.setPath(QStringLiteral("/test.asp"));
  report.setQuery(QStringLiteral("report=") + QString::fromUtf8(QUrl::toPercentEncoding(QString::fromStdString(when))));
  return report.toString(QUrl::FullyEncoded).toStdString();
}

Updater::Updater(UpdaterSettings settings, ConnectionCheck& connection)
    : settings_(std::move(settings)), connection_(connection), UpdateServer(settings_.updateServer) {
  connect(&Inet1, &platform::HttpTransfer::response, this, [this](int, std::optional<long long> length) {
    // What the list's sizes do not say, the response does (the progress of a single file).
    if (progress_.ExpectedSize == 0 && length) progress_.ExpectedSize = *length;
  });
  connect(&Inet1, &platform::HttpTransfer::bodyWritten, this, [this](long long bytes) {
    progress_.BytesThisFile += bytes;
    progress_.BytesTotal += bytes;
    ShowProgressText();
  });
  connect(&Inet1, &platform::HttpTransfer::finished, this, &Updater::TransferFinished);
}

Updater::~Updater() = default;

void Updater::Changed() { emit changed(); }

void Updater::Report(const std::string& text) {
  platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, kAppTitle);
}

void Updater::ReportError(const std::string& description, int number) {
  runFailed_ = true;
  Report(description + " " + std::to_string(number));
}

void Updater::EndProgram(int exitCode) {
  if (Ended()) return;
  UpdateCancelled = true;
  for (QEventLoop* loop : waits_) loop->quit();
  end_.End(exitCode);
}

// ---- start-up and end ----

void Updater::Form_Load() {
  queues_ = {};
  platform::FileVersionInfo v = platform::OwnVersion();
  view_.lblVersion =
      "v " + std::to_string(v.major) + "." + std::to_string(v.minor) + ".0." + std::to_string(v.revision);
  SetStage(10);

  // The folder the updater was started from is the one it updates; AppPath
  // holds the folder installed last, which may be another.
  std::string path = settings_.installFolder;
  if (path.empty())
    if (auto value =
            platform::Registry::Query(platform::RegistryRoot::LocalMachine, config_store::kKelvaneKey, "AppPath");
        value && value->type == platform::RegistryValue::Type::String)
      path = platform::Trim(value->text);
  if (path.empty() || !platform::FolderExists(path)) {
    platform::MsgBox(
        "Kelvane software installation path could not be determined.  Please reinstall the Kelvane software.",
        platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Path not found");
    Form_Unload();
    return;
  }
  installPath_ = WithSlash(path);
  if (settings_.updateServer.empty()) UpdateServer = UpdateServerAddress();

  // An update fetched for a folder that cannot take it would be lost: said first.
  if (std::string unwritable = UnwritablePartText(installPath_); !unwritable.empty()) {
    platform::MsgBox(unwritable, platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Critical Error");
    exitCode_ = 1;
    Form_Unload();
    return;
  }
  // What installations cut short by a kill or a power cut left behind.
  platform::RemoveStaleTemporaries(installPath_);
  for (const std::string& folder :
       {config_store::ScgFolderPath(installPath_), config_store::CurveFolderPath(installPath_),
        config_store::GamesFolderPath(installPath_)})
    platform::RemoveStaleTemporaries(folder, platform::Sweep::WithSubFolders);

  config_store::ReplaceMode(installPath_, "ACTIVE", "SUSPEND");

  ReadInstalledVersions();
  view_.lblprogressinfo.clear();
  Changed();
}

bool Updater::WaitForMode(const std::string& iniFile, const std::function<bool(const std::string&)>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done(config_store::ReadModeFile(iniFile))) {
    if (clock.elapsed() >= ms) return false;
    QEventLoop pause;
    QTimer::singleShot(50, &pause, &QEventLoop::quit);
    pause.exec();
  }
  return true;
}

void Updater::Form_Unload() {
  if (Ended() || unloading_) return;
  unloading_ = true;
  UpdateCancelled = true;
  Inet1.Cancel();

  std::string ini = config_store::MonitorIniPath(installPath_);
  if (!installPath_.empty() && platform::FileExists(ini)) {
    std::string mode = config_store::ReadModeFile(ini);
    // A monitor told to quit may not have seen it yet: give it a moment, so
    // that the player is not left without a monitor.
    if (mode == "KILL") {
      WaitForMode(
          ini, [](const std::string& m) { return m != "KILL"; }, settings_.killWaitMs);
      mode = config_store::ReadModeFile(ini);
    }
    if (mode == "SUSPEND") {
      config_store::ReplaceMode(installPath_, "SUSPEND", "ACTIVE");
    } else if (mode.empty()) {
      platform::StartDetached(config_store::MonitorProgramPath(installPath_), {}, platform::StartWindow::Minimized);
    }
  }
  RemoveDownloads();
  EndProgram(exitCode_);
}

void Updater::Command1_Click() {
  // The answer is not looked at; a transfer in progress is not disturbed.
  if (Inet1.StillExecuting()) return;
  std::string when = QDateTime::currentDateTime().toString(QStringLiteral("M/d/yyyy h:mm:ss AP")).toStdString();
  Inet1.Start(TestReportAddress(UpdateServer, when), "");
}

// ---- the wizard ----

void Updater::SetStage(int s) {
  currentStage_ = s;
  StageFlags flags{UpdateCancelled, progress_.ShowProgress, CheckStarted, queues_.UpdateCount};
  ApplyStage(s, view_, flags);
  UpdateCancelled = flags.UpdateCancelled;
  progress_.ShowProgress = flags.ShowProgress;
  CheckStarted = flags.CheckStarted;
  queues_.UpdateCount = flags.UpdateCount;
  Changed();
  view_.cmdCheckFocus = false;
}

void Updater::cmdCheck_Click() {
  if (Ended()) return;
  switch (currentStage_) {
    case 10:
      SetStage(20);
      CheckForUpdates();
      if (Ended()) return;
      if (UpdateCancelled || runFailed_)
        SetStage(95);
      else if (queues_.UpdateCount < 1)
        SetStage(90);
      else
        SetStage(30);
      break;
    case 30:
      SetStage(40);
      InstallUpdates();
      if (Ended()) return;
      // A run with errors is not reported as installed.
      SetStage(!UpdateCancelled && !runFailed_ ? 99 : 95);
      break;
    case 20:
    case 40:
      CancelUpdate();
      break;
    case 90:
    case 95:
    case 99:
      Form_Unload();
      break;
    default:
      break;
  }
}

void Updater::CheckConnection() {
  view_.lblprogressinfo = "Checking internet connection...";
  view_.barMinorValue = 10;
  view_.lblprogressinfoVisible = true;
  Changed();
  bool connected = connection_.Connected(UpdateServer);
  if (Ended()) return;  // ended while the test waited
  if (!connected) {
    platform::MsgResult answer =
        platform::MsgBox("You don't appear to be connected to the internet, would you like to try and continue anyhow?",
                         platform::MsgButtons::YesNo, platform::MsgIcon::Question, "No Connection Detected");
    if (answer != platform::MsgResult::Yes) {
      Form_Unload();
      return;
    }
  }
  view_.lblprogressinfo = "Connecting to Freshline server...";
  view_.barMinorValue = 25;
  Changed();
}

void Updater::CancelUpdate() {
  if (Inet1.StillExecuting()) Inet1.Cancel();
  UpdateCancelled = true;
  SetStage(95);
}

// ---- transfers ----

void Updater::CountProgress(long long expectedTotal) {
  progress_.ShowProgress = true;
  progress_.CumulativeProgress = true;
  progress_.ExpectedTotal = expectedTotal;
}

void Updater::Download(const QueuedFile& file) {
  std::string sub(KindFolder(file.kind));
  Fetch(FileKey(file.kind, file.name), (sub.empty() ? "" : sub + "/") + UrlPath(file.name), file.tempPath);
}

void Updater::Fetch(const std::string& key, const std::string& address, const std::string& target) {
  if (UpdateCancelled || Ended()) return;
  if (runFailed_ && progress_.CumulativeProgress) return;  // an installation stops at its first failed file
  if (Inet1.StillExecuting()) WaitForFinish();
  fetching_ = key;
  if (!platform::CreateFolderPath(platform::FolderPart(target))) {
    ReportError(kPathNotFound.description + ": " + platform::FolderPart(target), kPathNotFound.number);
    return;
  }
  if (platform::FileExists(target)) platform::RemoveFile(target);
  arrived_.erase(key);

  std::string url = UpdateServer + "/fetchling/" + address;
  if (!platform::IsSecureOrLoopback(url)) {
    ReportError("Freshline fetches updates only over HTTPS (or from this computer); the update server " + UpdateServer +
                    " is refused.",
                platform::kTransferAddressError);
    return;
  }
  downloading_ = Inet1.Start(url, target);
}

void Updater::WaitForFinish() {
  while (Inet1.StillExecuting() && !Ended()) {
    QEventLoop loop;
    waits_.push_back(&loop);
    loop.exec();
    waits_.pop_back();
  }
  if (failure_ && !Ended()) {
    platform::TransferResult failure = *failure_;
    failure_.reset();
    ReportError(failure.description, failure.number);
  }
  if (!progress_.CumulativeProgress) progress_.BytesThisFile = 0;
}

void Updater::ShowProgressText() {
  if (!progress_.ShowProgress || (progress_.ExpectedSize < 1 && progress_.ExpectedTotal < 1)) return;
  long long b = progress_.CumulativeProgress ? progress_.BytesTotal : progress_.BytesThisFile;
  long long total = progress_.CumulativeProgress ? progress_.ExpectedTotal : progress_.ExpectedSize;
  if (total < 1) return;  // nothing to measure against
  double p = static_cast<double>(b) / static_cast<double>(total) * 100.0;
  view_.lblprogressinfo = ProgressText(b, p);
  view_.lblprogressinfoVisible = true;
  if (auto bar = BarValue(p)) view_.barMinorValue = *bar;
  Changed();
}

void Updater::TransferFinished(const platform::TransferResult& result) {
  if (result.Ok()) {
    if (!progress_.ShowProgress) {
      view_.lblprogressinfo = "Processing update list...";
      view_.barMinorValue = 50;
    } else if (!progress_.CumulativeProgress) {
      view_.lblprogressinfo = "Download complete.";
    }
    arrived_.insert(fetching_);
  } else {
    view_.lblprogressinfo = "Update cancelled...";
  }
  Changed();
  // A user's cancel is no error; a failed download is said once its wait ends.
  if (result.outcome == platform::TransferResult::Outcome::Failed && downloading_) failure_ = result;
  downloading_ = false;
  for (QEventLoop* loop : waits_) loop->quit();
}

// ---- inventory, list, installation ----

void Updater::ReadInstalledVersions() {
  Inventory inventory = updater::ReadInstalledVersions(installPath_);
  InstalledVersions = std::move(inventory.InstalledVersions);
  view_.lstExisting = std::move(inventory.lstExisting);
  Changed();
}

void Updater::CheckForUpdates() {
  if (CheckStarted) {
    if (!Inet1.StillExecuting()) return;
    Inet1.Cancel();
  }
  view_.barMinorVisible = true;
  CheckConnection();
  if (Ended()) return;
  CheckStarted = true;
  progress_.ExpectedSize = 0;
  const std::string list = config_store::UpdateListPath(installPath_);
  Fetch(kUpdateListKey, UrlPath(std::string(config_store::kUpdateListName)), list);
  view_.lblprogressinfo = "Checking for updates...";
  Changed();
  WaitForFinish();
  if (UpdateCancelled || Ended()) return;

  view_.lblprogressinfo = "Processing update list...";
  view_.barMinorValue = 0;
  queues_.MainEntries.clear();
  Changed();
  bool found = arrived_.count(kUpdateListKey) && platform::FileExists(list);
  std::optional<std::uintmax_t> size = found ? platform::FileSize(list) : std::nullopt;
  if (size && *size > kUpdateListSizeLimit) {
    runFailed_ = true;
    Report(UpdateListTooLargeText());
    return;
  }
  auto text = found ? platform::ReadFileBytes(list) : std::nullopt;
  if (!text) {
    platform::MsgBox("Update information file not found.", platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                     kAppTitle);
    Form_Unload();
    return;
  }
  ListReadingPace pace(*this, UpdateCancelled);
  UpdateListReader reader(queues_, InstalledVersions, &pace, {WithSlash(settings_.tempFolder), installPath_});
  std::optional<UpdateError> error = reader.ReadAll(*text);
  if (UpdateCancelled || Ended()) return;
  if (!reader.Skipped.empty()) Report(SkippedNamesText(reader.Skipped));
  if (error) Report(error->Text());
  view_.lstMain = queues_.Names(FileKind::Program);
  view_.lstScg = queues_.Names(FileKind::Configuration);
  view_.lstGames = queues_.Names(FileKind::Support);
  view_.lstCrv = queues_.Names(FileKind::Curve);
  view_.lstInfo = queues_.Infos();
  view_.lstAvailable = queues_.lstAvailable;
  Changed();
}

void Updater::InstallUpdates() {
  progress_.CumulativeProgress = true;
  progress_.ExpectedTotal = 0;
  for (const auto& [key, file] : queues_.Files.Items()) progress_.ExpectedTotal += file.size;
  progress_.BytesTotal = 0;

  std::string ini = config_store::MonitorIniPath(installPath_);
  for (FileKind kind : kInstallOrder)
    for (const auto& [key, file] : queues_.Files.Items()) {
      if (file.kind != kind) continue;
      // Not when the download will not happen: the monitor would be stopped for nothing.
      if (kind == FileKind::Program && file.name == "watchpost.exe" && platform::FileExists(ini) && !UpdateCancelled &&
          !runFailed_ && !Ended() &&
          std::any_of(queues_.MainEntries.begin(), queues_.MainEntries.end(),
                      [&](const MainEntry& e) { return e.name == file.name; }))
        config_store::WriteModeFile(ini, "KILL");
      Download(file);
      WaitForFinish();
    }
  progress_.CumulativeProgress = false;
  if (Ended()) return;
  view_.cmdCheckEnabled = false;
  Changed();

  kept_.clear();
  for (FileKind kind : kInstallOrder)
    if (!InstallQueued(kind)) break;
  // Installed or not, nothing of the run's downloads is used again.
  RemoveDownloads();
  if (std::string text = KeptCopiesText(kept_); !text.empty() && !Ended())
    platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Information, kAppTitle);
}

// Copies the files of one kind from the temporary folder into the
// installation, each replacing its target at once; stops at the first file that
// did not arrive whole in this run. A configuration, game file or curve the
// player changed since we put it there is kept beside it first, and every one
// installed is recorded in the folder's record of what we put there.
bool Updater::InstallQueued(FileKind kind) {
  const bool programs = kind == FileKind::Program;
  config_store::ShippedRecord shipped = config_store::ShippedRecord::Read(installPath_);
  for (const auto& [key, file] : queues_.Files.Items()) {
    if (file.kind != kind) continue;
    if (Ended()) return false;
    const std::string& source = file.tempPath;
    if (!arrived_.count(key) || !platform::FileExists(source)) {
      ReportError(kFileNotFound.description + ": " + source, kFileNotFound.number);
      return false;
    }
    std::string target =
        platform::ResolveNoCase(file.installFolder, file.installPath.substr(file.installFolder.size() + 1));
    bool executable = programs && IsProgramName(file.name);
    const std::string relative = target.substr(installPath_.size());
    std::optional<std::string> sum;
    if (!programs) {
      if (!(sum = platform::FileSha256(source))) {
        ReportError("Cannot install " + target, kPathNotFound.number);
        return false;
      }
      KeepResult keep = KeepChangedFile(target, shipped.Sum(relative), *sum);
      if (!keep.ok) {
        ReportError("Cannot keep your changed " + target + " as " + keep.copy + "; it was not replaced",
                    kPathNotFound.number);
        return false;
      }
      if (!keep.copy.empty()) kept_.push_back({relative, keep.copy});
    }
    if (!platform::CreateFolderPath(platform::FolderPart(target)) ||
        !platform::CopyFileAtomic(source, target, executable ? 0755u : 0644u)) {
      ReportError("Cannot install " + target, kPathNotFound.number);
      return false;
    }
    if (!programs) {
      shipped.Set(relative, *sum);
      if (int error = shipped.Write()) {
        ReportError(platform::CannotWriteText(config_store::ShippedRecordPath(installPath_), error),
                    kPathNotFound.number);
        return false;
      }
    }
    // The version of the entry queued: a list may name the tool again with another.
    if (programs && file.name == "ryxcontrol.exe")
      config_store::WriteIni(config_store::MonitorIniPath(installPath_), "Version", "RyxControl",
                             FormatVersionRecord(std::strtod(file.version.c_str(), nullptr)));
  }
  return true;
}

// The private folder is often memory-backed: the run's downloads leave it once
// they are installed, or with the run's end, so that none holds memory until logout.
void Updater::RemoveDownloads() {
  const std::string temp = WithSlash(settings_.tempFolder);
  if (temp.empty()) return;
  for (const auto& [key, file] : queues_.Files.Items()) {
    if (!arrived_.erase(key)) continue;
    platform::RemoveFile(file.tempPath);
    // The folders it was fetched into go too once empty (remove refuses any other).
    for (std::string folder = platform::FolderPart(file.tempPath); folder.size() > temp.size();
         folder = platform::FolderPart(folder))
      if (!platform::RemoveEmptyFolder(folder)) break;
  }
}

}  // namespace updater
