#include "ui/qt/help_viewer.h"

#include "platform/desktop_services.h"
#include "ui/qt/install_layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(DesktopServices& services, QWidget* parent)
    : QDialog(parent), services_(services), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Talvor Start Help"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenExternalLinks(false);
  resize(520, 420);
}

QString HelpViewer::locate(const QString& helpFile) {
  return locate(helpFile, QCoreApplication::applicationDirPath());
}

QString HelpViewer::locate(const QString& helpFile, const QString& programFolder) {
  const QString beside = QDir(programFolder).filePath(helpFile);
  const QString shared = QDir(sharedDataFolder(programFolder)).filePath(helpFile);
  return QFile::exists(beside) || !QFile::exists(shared) ? beside : shared;
}

bool HelpViewer::showTopic(const QString& helpFile, int topic) {
  QFile file(locate(helpFile));
  if (helpFile.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    showMsgBox(services_,
               QStringLiteral("The help file %1 could not be opened: %2")
                   .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                   .toStdString(),
               msgbox_style::kCritical);
    return false;
  }
  file.close();
  QUrl url = QUrl::fromLocalFile(file.fileName());
  url.setFragment(topic > 0 ? QStringLiteral("topic%1").arg(topic) : QStringLiteral("contents"));
  // The name does not end in .html: say what it holds.
  browser_->setSource(url, QTextDocument::HtmlResource);
  show();
  raise();
  return true;
}

QString HelpViewer::shownAnchor() const { return browser_->source().fragment(); }
