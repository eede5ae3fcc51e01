#include "ui/frm_main.h"

#include "platform/desktop_services.h"
#include "settings/settings_store.h"
#include "ui/help_viewer.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>

FrmMain::FrmMain(settings::SettingsStore& store, DesktopServices& services, QWidget* parent)
    : QMainWindow(parent), store_(store), services_(services) {
  createControls();
  connectHandlers();
}

FrmMain::~FrmMain() = default;

void FrmMain::connectHandlers() {
  connect(cmdPause, &QPushButton::clicked, this, &FrmMain::cmdPause_Click);
  // toggled fires for the user's clicks and for the program's changes alike,
  // and only when the state really changes.
  connect(chkDefault, &QCheckBox::toggled, this, &FrmMain::chkDefault_Click);
  connect(chkOnceOnly, &QCheckBox::toggled, this, &FrmMain::chkOnceOnly_Click);
  for (const ScheduleEntry& e : scheduleTable()) {
    const ScheduleEntry* entry = &e;
    connect(scheduleBox(e), &QCheckBox::toggled, this, [this, entry] { scheduleBox_Click(*entry); });
  }
  // Only the user's moves: while dragging, once at the release.
  connect(SliderBackupNumber, &QSlider::valueChanged, this, [this] {
    if (!SliderBackupNumber->isSliderDown()) SliderBackupNumber_Change();
  });
  connect(SliderBackupNumber, &QSlider::sliderReleased, this, &FrmMain::SliderBackupNumber_Change);
  connect(txtBackupKey, &QLineEdit::textChanged, this, &FrmMain::txtBackupKey_Change);
  connect(txtStartDelay, &QLineEdit::textChanged, this, &FrmMain::txtStartDelay_Change);
  connect(txtStartKey, &QLineEdit::textChanged, this, &FrmMain::txtStartKey_Change);
  connect(txtTitle, &QLineEdit::textChanged, this, &FrmMain::txtTitle_Change);
  connect(mPopHelp, &QAction::triggered, this, &FrmMain::mPopHelp_Click);
  connect(mPopAbout, &QAction::triggered, this, &FrmMain::mPopAbout_Click);
}

QCheckBox* FrmMain::scheduleBox(const ScheduleEntry& e) const {
  return e.day > 0 ? days_[e.day - 1] : weekdays_[e.weekday];
}

void FrmMain::SetJobControlsVisible(bool visible) {
  for (QWidget* w : jobControls_) w->setVisible(visible);
}

int FrmMain::checkState(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

void FrmMain::setCheckState(QCheckBox* box, int state) {
  box->setChecked(state == 1);  // two states only: never partially checked
}

void FrmMain::setJobNumber(int value) {
  const QSignalBlocker quiet(SliderBackupNumber);
  SliderBackupNumber->setValue(value);  // out of range is clamped by the slider
}

int FrmMain::jobNumber() const { return SliderBackupNumber->value(); }
int FrmMain::jobNumberMaximum() const { return SliderBackupNumber->maximum(); }

void FrmMain::showProblem(const QString& text) {
  if (!lblProblem) {
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    lblProblem->setFixedWidth(centralWidget()->width() - 8);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(lblProblem, 1);
  } else if (lblProblem->text().contains(text)) {
    return;
  } else {
    lblProblem->setText(lblProblem->text() + QLatin1Char('\n'));
  }
  lblProblem->setText(lblProblem->text() + text);
  lblProblem->setFixedHeight(lblProblem->heightForWidth(lblProblem->width()));
  // The window is of fixed size: grow it so that the line goes below the
  // controls rather than over them.
  statusBar()->setFixedHeight(lblProblem->height() + 6);
  statusBar()->show();
  setFixedSize(width(), menuBar()->sizeHint().height() + centralWidget()->height() + statusBar()->height());
}

void FrmMain::closeEvent(QCloseEvent* event) {
  // The waits see this and end the program; nothing else is undone.
  closeRequested = true;
  event->accept();
}

void FrmMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    mPopHelp_Click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void FrmMain::showHelp(int topic) {
  if (!help_) help_ = new HelpViewer(services_, this);
  help_->showTopic(helpFile_, topic);
}
