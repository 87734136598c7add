#include "common_ui/about_dialog.h"
#include "common_ui/controller_art.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/modal.h"
#include "platform/shell.h"
#include "platform/text.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace common_ui {

std::string VersionLinePrefix(AboutProduct product) {
  switch (product) {
    case AboutProduct::Customizer:
      return "Heliryx 360 Customizer v";
    case AboutProduct::Monitor:
      return "Heliryx 360 Monitor v";
    case AboutProduct::Freshline:
      return "Heliryx 360 Freshline v";
    case AboutProduct::MouseEmulator:
      return "Heliryx 360 Mouse Emulator v";
  }
  return "";
}

std::string MailSubjectPrefix(AboutProduct product) {
  return product == AboutProduct::Freshline ? VersionLinePrefix(AboutProduct::Customizer) : VersionLinePrefix(product);
}

std::string VersionLine(AboutProduct product, const platform::FileVersionInfo& v) {
  return VersionLinePrefix(product) + std::to_string(v.major) + "." + std::to_string(v.minor) + ".0." +
         std::to_string(v.revision);
}

std::string MailLink(AboutProduct product, const platform::FileVersionInfo& v) {
  return "mailto:" + kSupportMailAddress + "&Subject=" + MailSubjectPrefix(product) + std::to_string(v.major) + "." +
         std::to_string(v.minor) + std::to_string(v.revision);
}

bool GetKeyValue(platform::RegistryRoot keyRoot, const std::string& keyName, const std::string& subKeyRef,
                 std::string& keyVal) {
  auto value = platform::Registry::Query(keyRoot, keyName, subKeyRef);
  if (!value) {
    keyVal.clear();
    return false;
  }
  if (value->type == platform::RegistryValue::Type::Dword) {
    keyVal = std::to_string(value->number);
  } else {
    keyVal = value->text;
    if (!keyVal.empty() && keyVal.back() == '\0') keyVal.pop_back();
  }
  return true;
}

void StartSysInfo() {
  const auto root = platform::RegistryRoot::LocalMachine;
  std::string path;
  bool found = GetKeyValue(root, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path);
  if (!found) {
    std::string folder;
    if (GetKeyValue(root, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)) {
      std::string candidate = folder + "/MSINFO32.EXE";
      if (platform::FileExists(candidate)) {
        path = candidate;
        found = true;
      }
    }
  }
  if (found && platform::StartDetached(path)) return;
  platform::MsgBox("System Information Is Unavailable At This Time", platform::MsgButtons::Ok);
}

frmAbout::frmAbout(AboutProduct product, const std::string& programTitle, QWidget* parent)
    : QDialog(parent), product_(product) {
  lblVersion = new QLabel(this);
  lblAbountInfo[0] = new QLabel(QStringLiteral("For information and software updates, visit my website at:"), this);
  lblWebLink = new QLabel(platform::FromAnsi(kMakerWebAddress), this);
  lblMailLink = new QLabel(platform::FromAnsi(kSupportMailAddress), this);
  lblAbountInfo[1] = new QLabel(QStringLiteral("Heliryx 360 tool set, rebuilt for Linux."), this);
  imgVantrelLogo = new QLabel(this);
  QSize logo = art::NaturalSize(art::PictureSet::Logo, 0) * 48 / art::NaturalSize(art::PictureSet::Logo, 0).height();
  imgVantrelLogo->setPixmap(art::Picture(art::PictureSet::Logo, 0, logo, devicePixelRatioF()));
  Line1 = new QFrame(this);
  Line1->setFrameShape(QFrame::HLine);
  cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdOk = new QPushButton(QStringLiteral("OK"), this);
  cmdOk->setDefault(true);
  for (QLabel* link : {lblWebLink, lblMailLink}) {
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
  }
  // Labels have no click signal: a link label opens on mouse release.
  lblWebLink->installEventFilter(this);
  lblMailLink->installEventFilter(this);

  auto* top = new QHBoxLayout;
  top->addWidget(imgVantrelLogo);
  auto* texts = new QVBoxLayout;
  texts->addWidget(lblVersion);
  texts->addWidget(lblAbountInfo[0]);
  texts->addWidget(lblWebLink);
  texts->addWidget(lblMailLink);
  texts->addWidget(lblAbountInfo[1]);
  top->addLayout(texts);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdSysInfo);
  buttons->addWidget(cmdOk);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Line1);
  layout->addLayout(buttons);

  connect(cmdOk, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  Form_Load(programTitle);
}

void frmAbout::Form_Load(const std::string& programTitle) {
  setWindowTitle(platform::FromAnsi("About " + programTitle));
  lblVersion->setText(platform::FromAnsi(VersionLine(product_, platform::OwnVersion())));
}

void frmAbout::cmdOk_Click() { accept(); }
void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }
void frmAbout::lblWebLink_Click() { platform::OpenWithDesktop(kMakerWebAddress); }
void frmAbout::lblMailLink_Click() { platform::OpenWithDesktop(MailLink(product_, platform::OwnVersion())); }

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == lblWebLink) lblWebLink_Click();
    if (watched == lblMailLink) lblMailLink_Click();
  }
  return QDialog::eventFilter(watched, event);
}

void ShowAbout(AboutProduct product, const std::string& programTitle, QWidget* parent) {
  frmAbout dialog(product, programTitle, parent);
  platform::ExecModal(dialog);
}

}  // namespace common_ui
