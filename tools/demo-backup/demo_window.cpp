#include "demo_window.h"

#include "key_log.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

DemoWindow::DemoWindow(KeyLog& log, QWidget* parent) : QWidget(parent), log_(log) {
  setWindowTitle(QStringLiteral("Microsoft Backup"));
  auto* label = new QLabel(QStringLiteral("&Backup Job"), this);
  jobs_ = new QComboBox(this);
  jobs_->addItems({QStringLiteral("1 Documents"), QStringLiteral("2 Photos"), QStringLiteral("3 Mail"),
                   QStringLiteral("4 Whole disk"), QStringLiteral("5 Projects")});
  label->setBuddy(jobs_);
  auto* start = new QPushButton(QStringLiteral("&Start Backup"), this);
  started_ = new QLabel(QStringLiteral("No backup started"), this);
  QFont big = started_->font();
  big.setPointSize(big.pointSize() * 2);
  big.setBold(true);
  started_->setFont(big);
  started_->setAlignment(Qt::AlignCenter);

  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(jobs_, 0, 1);
  grid->addWidget(start, 1, 1);
  grid->addWidget(started_, 2, 0, 1, 2);
  connect(start, &QPushButton::clicked, this, &DemoWindow::startBackup);
  resize(420, 200);
}

void DemoWindow::startBackup() {
  const int job = jobs_->currentIndex() + 1;
  started_->setText(QStringLiteral("Started job %1:\n%2").arg(job).arg(jobs_->currentText().mid(2)));
  log_.write(QStringLiteral("started %1").arg(job));
}
