#include "monitor/startup_dialog.h"

#include "config_store/profile_helpers.h"
#include "platform/process/autostart.h"
#include "platform/registry.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace monitor {

using platform::Registry;
using platform::RegistryRoot;

std::string RunValueData(const std::string& programFolder, const std::string& programFileName) {
  return "\"" + programFolder + "/" + programFileName + "\"";
}

frmStartUp::frmStartUp(std::string programFolder, std::string programFileName, QWidget* parent)
    : QDialog(parent), programFolder_(std::move(programFolder)), programFileName_(std::move(programFileName)) {
  setWindowTitle(QStringLiteral("Startup Settings"));
  chkStartup = new QCheckBox(QStringLiteral("Launch the Heliryx Monitor when Windows starts"), this);
  cmdOk = new QPushButton(QStringLiteral("OK"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chkStartup);
  layout->addWidget(cmdOk, 0, Qt::AlignRight);
  connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
  Form_Load();
}

void frmStartUp::Form_Load() {
  auto value = Registry::Query(RegistryRoot::LocalMachine, kRunKey, kRunValueName);
  std::string text = value ? platform::Trim(value->text) : std::string();
  chkStartup->setChecked(platform::FindNoCase(text, programFileName_) != std::string::npos);
}

void frmStartUp::cmdOk_Click() { accept(); }

void frmStartUp::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (chkStartup->isChecked()) {
    config_store::SaveRegString(RegistryRoot::LocalMachine, kRunKey, kRunValueName,
                                RunValueData(programFolder_, programFileName_));
    platform::WriteAutostartEntry(kAutostartId, kRunValueName, programFolder_ + "/" + programFileName_);
  } else {
    Registry::DeleteValue(RegistryRoot::LocalMachine, kRunKey, kRunValueName);
    platform::RemoveAutostartEntry(kAutostartId);
  }
}

void frmStartUp::done(int result) {
  Form_Unload();
  QDialog::done(result);
}

void frmStartUp::closeEvent(QCloseEvent* event) {
  Form_Unload();
  QDialog::closeEvent(event);
}

}  // namespace monitor
