#include "updater/main_window.h"

#include "common_ui/about_dialog.h"
#include "platform/control_names.h"
#include "platform/local_endpoint.h"
#include "platform/text.h"
#include "updater/relaunch.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <initializer_list>
#include <utility>

namespace updater {

namespace {

QPixmap Artwork() {
  QPixmap picture(120, 330);
  picture.fill(QColor(18, 52, 96));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient ball(QPointF(52, 100), 48);
  ball.setColorAt(0, QColor(240, 244, 250));
  ball.setColorAt(1, QColor(70, 120, 190));
  painter.setBrush(ball);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(60, 110), 42, 42);
  painter.setPen(QColor(240, 244, 250));
  painter.setFont(QFont(QStringLiteral("Sans"), 14, QFont::Bold));
  painter.drawText(QRect(0, 180, 120, 30), Qt::AlignCenter, QStringLiteral("360"));
  return picture;
}

// Refills a list only when its items changed (`shown` holds what it shows):
// the view changes with every piece of a download, and a list of many
// thousand entries costs far more to rebuild than to compare.
void Fill(QListWidget* list, const std::vector<std::string>& items, std::vector<std::string>& shown) {
  if (items == shown) return;
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) texts.append(platform::FromAnsi(item));
  list->clear();
  list->addItems(texts);
  shown = items;
}

}  // namespace

frmMain::frmMain(const std::string& tempFolder, int killWaitMs, QWidget* parent)
    : frmMain(UpdaterSettings{tempFolder, killWaitMs, {}}, parent) {}

frmMain::frmMain(const UpdaterSettings& settings, QWidget* parent) : QWidget(parent), tempFolder_(settings.tempFolder) {
  setWindowTitle(platform::FromAnsi(kWindowTitle));
  setFixedSize(480, 330);

  Image1 = new QLabel(this);
  Image1->setGeometry(0, 0, 120, 330);
  Image1->setPixmap(Artwork());
  lblWelcome = new QLabel(QStringLiteral("Welcome to Freshline"), this);
  lblWelcome->setGeometry(135, 12, 330, 28);
  QFont big = lblWelcome->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  lblWelcome->setFont(big);
  lblDescription = new QLabel(this);
  lblDescription->setGeometry(135, 48, 330, 40);
  lblDescription->setWordWrap(true);
  lblNextCaption = new QLabel(this);
  lblNextCaption->setGeometry(135, 92, 330, 20);
  // The hint leaves eleven blanks after "Click" for the button's name.
  lblNEXT = new QLabel(QStringLiteral("Next"), this);
  QFont bold = lblNEXT->font();
  bold.setBold(true);
  lblNEXT->setFont(bold);
  lblNEXT->setGeometry(135 + lblNextCaption->fontMetrics().horizontalAdvance(QStringLiteral("Click  ")), 92, 60, 20);
  lstInfo = new QListWidget(this);
  lstInfo->setGeometry(135, 118, 330, 80);
  lblprogressinfo = new QLabel(this);
  lblprogressinfo->setGeometry(135, 204, 330, 20);
  barMinor = new QProgressBar(this);
  barMinor->setGeometry(135, 226, 330, 16);
  barMinor->setRange(0, 100);
  barMinor->setTextVisible(false);
  lblVersion = new QLabel(this);
  lblVersion->setGeometry(135, 296, 100, 20);
  lblVersion->setCursor(Qt::PointingHandCursor);
  lblVersion->installEventFilter(this);
  Command1 = new QPushButton(QStringLiteral("Command1"), this);
  Command1->setGeometry(260, 290, 95, 30);
  cmdCheck = new QPushButton(QStringLiteral("Next >"), this);
  cmdCheck->setGeometry(370, 290, 95, 30);
  cmdCheck->setDefault(true);

  // The bookkeeping lists are kept in the window but not shown.
  for (QListWidget** list : {&lstMain, &lstScg, &lstGames, &lstCrv, &lstAvailable, &lstExisting}) {
    *list = new QListWidget(this);
    (*list)->hide();
  }

  for (auto [control, name] :
       std::initializer_list<std::pair<QObject*, const char*>>{{Image1, "Image1"},
                                                               {lblWelcome, "lblWelcome"},
                                                               {lblDescription, "lblDescription"},
                                                               {lblNEXT, "lblNEXT"},
                                                               {lblNextCaption, "lblNextCaption"},
                                                               {cmdCheck, "cmdCheck"},
                                                               {Command1, "Command1"},
                                                               {lblprogressinfo, "lblprogressinfo"},
                                                               {barMinor, "barMinor"},
                                                               {lblVersion, "lblVersion"},
                                                               {lstMain, "lstMain"},
                                                               {lstScg, "lstScg"},
                                                               {lstGames, "lstGames"},
                                                               {lstCrv, "lstCrv"},
                                                               {lstInfo, "lstInfo"},
                                                               {lstAvailable, "lstAvailable"},
                                                               {lstExisting, "lstExisting"}})
    platform::NameControl(control, name);

  connect(cmdCheck, &QPushButton::clicked, this, [this] { cmdCheck_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

  core_ = std::make_unique<Updater>(settings, connection_);
  connect(core_.get(), &Updater::changed, this, &frmMain::Refresh);
  connect(&core_->End(), &platform::ProgramEnd::ended, this, [this] { hide(); });

  connect(&endpoint_, &platform::LocalEndpoint::message, this, [this](const std::string& message) {
    if (message != platform::kActivateMessage) return;
    showNormal();
    raise();
    activateWindow();
  });
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
  // Claimed first, so a second start finds this copy while it loads.
  endpoint_.Listen(WindowEndpoint(tempFolder_));
  core_->Form_Load();
  if (core_->Ended()) return;
  show();
  repaint();
}

void frmMain::Refresh() {
  const WizardView& v = core_->View();
  lblVersion->setText(platform::FromAnsi(v.lblVersion));
  lblDescription->setText(platform::FromAnsi(v.lblDescription));
  lblDescription->setVisible(v.lblDescriptionVisible);
  lblNEXT->setVisible(v.lblNEXTVisible);
  lblNextCaption->setText(platform::FromAnsi(v.lblNextCaption));
  barMinor->setVisible(v.barMinorVisible);
  barMinor->setValue(v.barMinorValue);
  lblprogressinfo->setText(platform::FromAnsi(v.lblprogressinfo));
  lblprogressinfo->setVisible(v.lblprogressinfoVisible);
  cmdCheck->setText(platform::FromAnsi(v.cmdCheckCaption));
  cmdCheck->setEnabled(v.cmdCheckEnabled);
  if (v.cmdCheckFocus) cmdCheck->setFocus();
  Fill(lstMain, v.lstMain, shown_[lstMain]);
  Fill(lstScg, v.lstScg, shown_[lstScg]);
  Fill(lstGames, v.lstGames, shown_[lstGames]);
  Fill(lstCrv, v.lstCrv, shown_[lstCrv]);
  Fill(lstInfo, v.lstInfo, shown_[lstInfo]);
  Fill(lstAvailable, v.lstAvailable, shown_[lstAvailable]);
  Fill(lstExisting, v.lstExisting, shown_[lstExisting]);
}

void frmMain::lblVersion_Click() { common_ui::ShowAbout(common_ui::AboutProduct::Freshline, kAppTitle, this); }

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblVersion && event->type() == QEvent::MouseButtonRelease) {
    lblVersion_Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Closing the window is the end of the run: the monitor is handed back first.
  if (!core_->Ended()) {
    event->ignore();
    Form_Unload();
    return;
  }
  event->accept();
}

}  // namespace updater
