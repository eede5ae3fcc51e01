#include "tab_only_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "key_log.h"

TabOnlyWindow::TabOnlyWindow(KeyLog& log, QWidget* parent) : QWidget(parent), log_(log) {
  setWindowTitle(QStringLiteral("Keyboard Backup"));
  auto* comment = new QLineEdit(this);
  comment->setPlaceholderText(QStringLiteral("Comment for this backup"));
  jobs_ = new QListWidget(this);
  jobs_->addItems({QStringLiteral("1 Documents"), QStringLiteral("2 Photos"), QStringLiteral("3 Mail"),
                   QStringLiteral("4 Whole disk"), QStringLiteral("5 Projects")});
  jobs_->setCurrentRow(0);
  // No '&': neither the labels nor the button have a shortcut.
  auto* start = new QPushButton(QStringLiteral("Start Backup"), this);
  start->setAutoDefault(false);
  started_ = new QLabel(QStringLiteral("No backup started"), this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Comment"), this), 0, 0);
  grid->addWidget(comment, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Backup job"), this), 1, 0);
  grid->addWidget(jobs_, 1, 1);
  grid->addWidget(start, 2, 1);
  grid->addWidget(started_, 3, 0, 1, 2);
  connect(start, &QPushButton::clicked, this, &TabOnlyWindow::startBackup);
  comment->setFocus();
  resize(420, 260);
}

void TabOnlyWindow::startBackup() {
  const int job = jobs_->currentRow() + 1;
  started_->setText(QStringLiteral("Started job %1").arg(job));
  log_.write(QStringLiteral("started %1").arg(job));
}
