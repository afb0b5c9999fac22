#pragma once
// The help contents: the HTML pages of the program folder's help folder in a browser window.
// Chinese pages are shown for the two Chinese languages when they are there, in simplified
// characters for GB and traditional ones for BIG5.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "text/TextCodec.h"

class QTextBrowser;

namespace glimmora {

// Opens a web or mail address outside the program.
using AddressOpener = std::function<void(const std::string& address)>;

// The contents page for `lang` in `appPath`/help: for Chinese BIG5 index.zh-hant.html (traditional
// characters), for both Chinese languages index.zh.html (simplified), when present; else
// index.html. Empty when none exists.
QString HelpContentsFile(const QString& appPath, Language lang);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // `contentsCaption` labels the button that goes back to the contents page, in the program's language.
  HelpWindow(const QString& contentsFile, const QString& title, AddressOpener opener,
             const QString& contentsCaption, QWidget* parent = nullptr);

  QTextBrowser* Browser() const { return browser_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextBrowser* browser_;
  AddressOpener opener_;
};

}  // namespace glimmora
