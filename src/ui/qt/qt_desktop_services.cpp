#include "ui/qt/qt_desktop_services.h"

#include "platform/key_string.h"
#include "platform/session_log.h"
#include "ui/qt/help_viewer.h"
#include "ui/qt/install_layout.h"

#ifdef Q_OS_UNIX
#include "settings/ini_file_store.h"
#endif

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <cstdio>

namespace {

Status fromNative(const AutomationStatus& s) {
  Status out = Status::failure(s.code, s.description);
  out.ownWindow = s.ownWindow;
  out.stop = s.stop;
  out.window = s.window;
  return out;
}

// Where the settings file lives too, decided as the store decides it.
QString settingsFolder() {
#ifdef Q_OS_UNIX
  return QString::fromStdString(settings::IniFileStore::appFolder());
#else
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("TalvorStart"));
#endif
}

QString q(const std::string& text) { return QString::fromStdString(text); }

// A dialog that opens over the middle of its window. Placed once its size
// is final and before it is mapped, as an explicit position that the window
// manager keeps (Qt's own placement is left to the window manager, and some
// put it in a corner of the screen).
template <class Dialog>
class OverTheWindow : public Dialog {
 public:
  using Dialog::Dialog;

 protected:
  void showEvent(QShowEvent* event) override {
    Dialog::showEvent(event);
    centreOver(this, this->parentWidget());
  }
};

}  // namespace

void centreOver(QWidget* dialog, const QWidget* window) {
  if (!window || !window->isVisible()) return;
  const QRect frame = window->frameGeometry();
  QRect box(QPoint(0, 0), dialog->frameGeometry().size());
  box.moveCenter(frame.center());
  // Keep it on the window's screen.
  if (const QScreen* screen = window->screen()) {
    const QRect area = screen->availableGeometry();
    box.moveLeft(std::max(area.left(), std::min(box.left(), area.right() - box.width())));
    box.moveTop(std::max(area.top(), std::min(box.top(), area.bottom() - box.height())));
  }
  dialog->move(box.topLeft());
}

QtDesktopServices::QtDesktopServices(std::unique_ptr<Automation> automation)
    : automation_(std::move(automation)) {
  clock_.start();
  wakeUp_.setSingleShot(true);
  // The default coarse timer may fire 5 % late: a second would be 50 ms.
  wakeUp_.setTimerType(Qt::PreciseTimer);
}

QtDesktopServices::~QtDesktopServices() { delete help_.data(); }

HelpViewer* QtDesktopServices::helpViewer() const { return help_.data(); }

void QtDesktopServices::beginRun() { automation_->beginRun(); }

Status QtDesktopServices::shell(const std::string& file, int windowStyle) {
  const QString programFolder = QCoreApplication::applicationDirPath();
  Status s = fromNative(
      automation_->start(file, programFolder.toStdString(), settingsFolder().toStdString(), windowStyle));
#ifdef Q_OS_UNIX
  // The box's text cannot name the folders; an unattended start's log can.
  if (s.code == failure_code::kFileNotFound)
    std::fputs(missingBatchFileHint(q(file), programFolder, settingsFolder()).toLocal8Bit().constData(), stderr);
#endif
  return s;
}

Status QtDesktopServices::appActivate(const std::string& title, TitleMatch match) {
  if (title.empty()) return Status::failure(failure_code::kInvalidArgument, "No window title was given");
  return fromNative(automation_->activate(title, match));
}

Status QtDesktopServices::sendKeys(const std::string& keys, bool wait) {
  ParsedKeys parsed = parseKeyString(keys);
  if (!parsed.status.ok()) return parsed.status;
  // With waiting, the back end returns once the backup program has handled
  // the keys, which takes milliseconds: the window need not pump meanwhile.
  return fromNative(automation_->send(parsed.strokes, wait));
}

// Steady, from the start of the program: no wrap at midnight, no jump when
// the clock is set.
double QtDesktopServices::timer() { return double(clock_.nsecsElapsed()) / 1e9; }

void QtDesktopServices::doEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool QtDesktopServices::idle(int maxMs) {
  if (maxMs == 0) return false;
  if (maxMs > 0) wakeUp_.start(maxMs);
  // Blocks without spinning until any event, our wake-up timer included.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const bool woken = maxMs < 0 || wakeUp_.isActive();  // a fired single shot is no longer active
  wakeUp_.stop();
  return woken;
}

LocalTime QtDesktopServices::now() {
  const QDateTime t = QDateTime::currentDateTime();
  const QDate d = t.date();
  return {Date{d.year(), d.month(), d.day()}, t.time().msecsSinceStartOfDay() / 1000.0};
}

std::string QtDesktopServices::shortDateText(const Date& date) {
  return QLocale::system().toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat).toStdString();
}

std::string QtDesktopServices::inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) {
  OverTheWindow<QInputDialog> dialog(ownWindow_);
  dialog.setWindowTitle(q(title));
  dialog.setLabelText(q(prompt));
  dialog.setTextValue(q(defaultText));
  dialog.setInputMode(QInputDialog::TextInput);
  // Long messages wrap instead of stretching the dialog off the screen.
  if (auto* label = dialog.findChild<QLabel*>()) label->setWordWrap(true);
  dialog.resize(420, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return std::string();
  return dialog.textValue().toStdString();
}

void QtDesktopServices::msgBox(const std::string& text, int style, const std::string& title) {
  // Also into the session's log: a run at login may have nobody watching.
  std::fprintf(stderr, "talvorstart: %s\n", text.c_str());
  OverTheWindow<QMessageBox> box(ownWindow_);
  box.setWindowTitle(q(title));
  box.setText(q(text));
  box.setStandardButtons(QMessageBox::Ok);
  switch (style & 0x70) {
    case msgbox_style::kCritical: box.setIcon(QMessageBox::Critical); break;
    case msgbox_style::kInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  box.exec();
}

void QtDesktopServices::showHelp(const std::string& helpFile, int topic) {
  if (!help_) help_ = new HelpViewer(*this, ownWindow_);
  help_->showTopic(q(helpFile), topic);
}

bool QtDesktopServices::systemLog(const std::string& message, bool problem, const LogFields& fields) {
  return session_log::journal(message, problem, fields);
}

bool QtDesktopServices::notify(const std::string& summary, const std::string& body, std::string& reason) {
  return session_log::notify(summary, body, reason);
}

void QtDesktopServices::setOwnWindow(QWidget* window) {
  ownWindow_ = window;
  automation_->setOwnWindow(window ? std::uintptr_t(window->winId()) : 0);
}
