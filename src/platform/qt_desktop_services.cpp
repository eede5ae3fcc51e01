#include "platform/qt_desktop_services.h"

#include "platform/install_layout.h"
#include "platform/key_string.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QWidget>

#include <cstdio>

namespace {

const QString kAppTitle = QStringLiteral("talvorstart");

Status fromNative(const AutomationStatus& s) {
  Status out = Status::failure(s.code, QString::fromStdString(s.description));
  out.ownWindow = s.ownWindow;
  out.stopsRun = s.stopsRun;
  return out;
}

// $XDG_CONFIG_HOME/TalvorStart, where the settings file lives too.
QString settingsFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("TalvorStart"));
}

}  // namespace

QtDesktopServices::QtDesktopServices(std::unique_ptr<Automation> automation)
    : automation_(std::move(automation)) {
  clock_.start();
  wakeUp_.setSingleShot(true);
}

void QtDesktopServices::beginRun() { automation_->beginRun(); }

Status QtDesktopServices::shell(const QString& file, int windowStyle) {
  const QString programFolder = QCoreApplication::applicationDirPath();
  Status s = fromNative(
      automation_->start(file.toStdString(), programFolder.toStdString(), settingsFolder().toStdString(), windowStyle));
#ifdef Q_OS_UNIX
  // The box's text cannot name the folders; an unattended start's log can.
  if (s.code == failure_code::kFileNotFound)
    std::fputs(missingBatchFileHint(file, programFolder, settingsFolder()).toLocal8Bit().constData(), stderr);
#endif
  return s;
}

Status QtDesktopServices::appActivate(const QString& title) {
  if (title.isEmpty()) return Status::failure(failure_code::kInvalidArgument, QStringLiteral("No window title was given"));
  return fromNative(automation_->activate(title.toStdString()));
}

Status QtDesktopServices::sendKeys(const QString& keys, bool wait) {
  ParsedKeys parsed = parseKeyString(keys);
  if (!parsed.status.ok()) return parsed.status;
  // With waiting, the back end returns once the backup program has handled
  // the keys, which takes milliseconds: the window need not pump meanwhile.
  return fromNative(automation_->send(parsed.strokes, wait));
}

double QtDesktopServices::timer() { return double(clock_.nsecsElapsed()) / 1e9; }

void QtDesktopServices::doEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtDesktopServices::idle(int maxMs) {
  if (maxMs <= 0) return;
  wakeUp_.start(maxMs);
  // Blocks without spinning until any event, our wake-up timer included.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QDateTime QtDesktopServices::now() { return QDateTime::currentDateTime(); }

QString QtDesktopServices::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  QInputDialog dialog(ownWindow_);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setInputMode(QInputDialog::TextInput);
  // Long messages wrap instead of stretching the dialog off the screen.
  if (auto* label = dialog.findChild<QLabel*>()) label->setWordWrap(true);
  dialog.resize(420, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return QString();
  return dialog.textValue();
}

void QtDesktopServices::msgBox(const QString& text, int style, const QString& title) {
  // Also into the session's log: a run at login may have nobody watching.
  qWarning().noquote() << "talvorstart:" << text;
  QMessageBox box(ownWindow_);
  box.setWindowTitle(title.isEmpty() ? kAppTitle : title);
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  switch (style & 0x70) {
    case msgbox_style::kCritical: box.setIcon(QMessageBox::Critical); break;
    case msgbox_style::kInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  box.exec();
}

void QtDesktopServices::setOwnWindow(QWidget* window) {
  ownWindow_ = window;
  automation_->setOwnWindow(window ? std::uintptr_t(window->winId()) : 0);
}
