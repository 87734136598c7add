#include "emulator/main_window.h"

#include "common_ui/about_dialog.h"
#include "emulator/controller_search.h"
#include "platform/control_names.h"
#include "platform/dialogs.h"
#include "platform/process/process_priority.h"
#include "platform/text.h"
#include "platform/version_stamp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace emulator {

namespace {

const char* const kTrayTip = "  Heliryx 360\r\nMouse Emulation";

// The program's icon: a ball with a pointer mark.
QIcon EmulatorIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(40, 90, 170));
  p.setPen(Qt::NoPen);
  p.drawEllipse(2, 2, 28, 28);
  p.setBrush(Qt::white);
  const QPoint arrow[] = {{12, 8}, {12, 24}, {16, 20}, {20, 26}, {22, 25}, {18, 19}, {23, 19}};
  p.drawPolygon(arrow, 7);
  return QIcon(pixmap);
}

void SetBackColour(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, colour);
  label->setPalette(palette);
}

}  // namespace

frmMain::frmMain(std::string iniFile, platform::InputSinkSource& sinks) : iniFile_(std::move(iniFile)), sinks_(sinks) {
  setWindowTitle("Pointerly");
  // Never listed in the task list.
  setWindowFlag(Qt::Tool);
  QIcon icon = EmulatorIcon();
  setWindowIcon(icon);

  auto* grid = new QGridLayout(this);
  lblPriority = new QLabel(this);
  lblVersion = new QLabel(this);
  grid->addWidget(lblPriority, 0, 0, 1, 4);
  grid->addWidget(lblVersion, 0, 4, 1, 4);
  lblLabel[0] = new QLabel("Mouse X", this);
  lblLabel[1] = new QLabel("Mouse Y", this);
  lblLabel[2] = new QLabel("Don't send events...", this);
  // The values change up to 100 times a second: plain text (never markup), and
  // a fixed size, so a new value repaints its label without laying out the window.
  auto valueLabel = [this] {
    auto* label = new QLabel("0", this);
    label->setTextFormat(Qt::PlainText);
    label->setFixedSize(std::max(48, label->fontMetrics().horizontalAdvance("-0000000") + 4),
                        label->sizeHint().height());
    return label;
  };
  lblMouseX = valueLabel();
  lblMouseY = valueLabel();
  grid->addWidget(lblLabel[0], 1, 0, 1, 2);
  grid->addWidget(lblMouseX, 1, 2, 1, 2);
  grid->addWidget(lblLabel[1], 1, 4, 1, 2);
  grid->addWidget(lblMouseY, 1, 6, 1, 2);
  for (int a = 0; a < kAxisCount; ++a) {
    lblValue[a] = valueLabel();
    grid->addWidget(lblValue[a], 2, a);
  }
  for (int b = 0; b < kButtonCount; ++b) {
    Label1[b] = new QLabel(QString::number(b + 1), this);
    Label1[b]->setAlignment(Qt::AlignCenter);
    Label1[b]->setAutoFillBackground(true);
    SetBackColour(Label1[b], Qt::white);
    grid->addWidget(Label1[b], 3 + b / 8, b % 8);
  }
  chkDebug = new QCheckBox(this);
  grid->addWidget(chkDebug, 5, 0);
  grid->addWidget(lblLabel[2], 5, 1, 1, 7);
  chkHide = new QCheckBox(this);
  chkHide->hide();
  connect(chkDebug, &QCheckBox::clicked, this, &frmMain::chkDebug_Click);

  tmrEvent = new QTimer(this);
  tmrEvent->setInterval(10);
  tmrEvent->setTimerType(Qt::PreciseTimer);
  connect(tmrEvent, &QTimer::timeout, this, &frmMain::tmrEvent_Timer);

  mnuPopup = new QMenu(this);
  mnuAbout = mnuPopup->addAction("About...");
  mnuSeparator = mnuPopup->addSeparator();
  mnuExit = mnuPopup->addAction("Exit");
  connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
  connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
  tray_.SetMenu(mnuPopup);

  using platform::NameControl;
  NameControl(lblPriority, "lblPriority");
  NameControl(lblVersion, "lblVersion");
  NameControl(lblMouseX, "lblMouseX");
  NameControl(lblMouseY, "lblMouseY");
  for (int i = 0; i < int(lblLabel.size()); ++i) NameControl(lblLabel[i], "lblLabel", i);
  for (int a = 0; a < kAxisCount; ++a) NameControl(lblValue[a], "lblValue", a);
  for (int b = 0; b < kButtonCount; ++b) NameControl(Label1[b], "Label1", b);
  NameControl(chkDebug, "chkDebug");
  NameControl(chkHide, "chkHide");
  NameControl(tmrEvent, "tmrEvent");
  NameControl(mnuPopup, "mnuPopup");
  NameControl(mnuAbout, "mnuAbout");
  NameControl(mnuSeparator, "mnuSeparator");
  NameControl(mnuExit, "mnuExit");
}

frmMain::~frmMain() {
  // Also when the window goes without Form_Unload (a test ending early).
  if (sink_) sink_->ReleaseAll();
}

void frmMain::Form_Load() {
  update();
  if (!instance_.Claim(1000)) {
    // Another copy runs: end without a trace.
    Form_Unload(0);
    return;
  }
  connect(&window_, &platform::WindowMessages::closeRequested, this, [this] { Form_Unload(0); });
  window_.Listen();
  quitSignals_ = std::make_unique<platform::QuitSignals>();
  connect(quitSignals_.get(), &platform::QuitSignals::quit, this, [this] { Form_Unload(0); });

  tray_.Add(windowIcon(), kTrayTip);

  platform::SetProcessPriority(0, platform::HIGH_PRIORITY_CLASS);
  lblPriority->setText(platform::FromAnsi("Priority: " + platform::PriorityName(platform::GetProcessPriority(0))));
  platform::FileVersionInfo v = platform::OwnVersion();
  lblVersion->setText(QString("v%1.%2.0.%3").arg(v.major).arg(v.minor).arg(v.revision));

  KeyTable_ = BuildKeyTable();
  LoadEmulatorSettings(iniFile_, KeyTable_, state_);

  ControllerSearch search = SearchController(joystick_);
  JoyId_ = search.JoyId;
  JoyInfo_ = search.JoyInfo;
  if (ReadingOutOfRange(JoyInfo_)) {
    platform::MsgBox(JoystickInputErrorText(JoyInfo_), platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                     "Joystick Input Error");
    Form_Unload(1);
    return;
  }

  std::string whyNot;
  sink_ = sinks_.Open(whyNot);
  if (!sink_) {
    platform::MsgBox("Pointerly cannot send mouse and key input: " + whyNot + ".", platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical, "Pointerly");
    Form_Unload(1);
    return;
  }
  if (!Ended()) tmrEvent->start();
}

void frmMain::tmrEvent_Timer() {
  std::optional<platform::JoyReading> reading;
  if (joystick_.Read(JoyId_, JoyInfo_)) reading = JoyInfo_;
  events_.clear();
  emulator::tmrEvent_Timer(state_, KeyTable_, reading, chkDebug->isChecked(), events_);
  if (sink_) sink_->Send(events_);
  RefreshLabels();
  emit ticked();
}

void frmMain::RefreshLabels() {
  if (!isVisible() || isMinimized()) return;  // brought up to date when shown
  auto show = [](QLabel* label, int32_t& shown, int32_t value) {
    if (value == shown) return;
    shown = value;
    label->setText(QString::number(value));
  };
  show(lblMouseX, shownValues_[0], state_.MouseDeltaX);
  show(lblMouseY, shownValues_[1], state_.MouseDeltaY);
  for (int a = 0; a < kAxisCount; ++a) show(lblValue[a], shownValues_[2 + a], state_.MotionMap[a].Value);
  for (int b = 0; b < kButtonCount; ++b) {
    bool pressed = state_.ButtonPressed[b + 1];
    if (pressed == shownPressed_[b]) continue;
    shownPressed_[b] = pressed;
    SetBackColour(Label1[b], pressed ? QColor(255, 0, 0) : QColor(255, 255, 255));
  }
}

void frmMain::chkDebug_Click() {
  // What is held while events are switched off would stay held.
  if (chkDebug->isChecked() && sink_) sink_->ReleaseAll();
  chkHide->setFocus();
}

void frmMain::mnuAbout_Click() { common_ui::ShowAbout(common_ui::AboutProduct::MouseEmulator, "Pointerly", this); }

void frmMain::mnuExit_Click() { Form_Unload(0); }

void frmMain::Form_Unload(int exitCode) {
  if (Ended()) return;
  tmrEvent->stop();
  if (sink_) sink_->ReleaseAll();
  KeyTable_.Clear();
  tray_.Remove();
  end_.End(exitCode);
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload(0);
  event->accept();
}

void frmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshLabels();
}

void frmMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RefreshLabels();
}

}  // namespace emulator
