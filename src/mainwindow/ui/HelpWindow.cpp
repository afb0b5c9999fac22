#include "mainwindow/ui/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <utility>

#include "text/Languages.h"

namespace glimmora {

QString HelpContentsFile(const QString& appPath, Language lang) {
  const QDir help(QDir(appPath).filePath(QStringLiteral("help")));
  for (const std::string_view page : FactsOf(lang).helpPages) {
    if (page.empty()) break;
    const QString path = help.filePath(QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
    if (QFileInfo(path).isFile()) return path;
  }
  return QString();
}

HelpWindow::HelpWindow(const QString& contentsFile, const QString& title, AddressOpener opener,
                       const QString& contentsCaption, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)), opener_(std::move(opener)) {
  setObjectName("HelpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  resize(760, 620);

  // Pages of the help folder open in the window itself; addresses outside it go to the desktop's
  // browser or mail program.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (url.isRelative() || url.isLocalFile()) {
      browser_->setSource(url);
    } else if (opener_) {
      opener_(url.toString().toStdString());
    }
  });
  browser_->setSource(QUrl::fromLocalFile(contentsFile));

  auto* back = new QPushButton(tr("<"), this);
  auto* forward = new QPushButton(tr(">"), this);
  auto* home = new QPushButton(contentsCaption, this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(home, &QPushButton::clicked, browser_, &QTextBrowser::home);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addWidget(home);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace glimmora
