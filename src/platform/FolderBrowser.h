#pragma once
// The folder browser: a directory chooser titled from the language table.

#include <QString>

#include "text/LanguageTable.h"
#include "common/ShellServices.h"

class QWidget;

namespace glimmora {

class QtFolderBrowser : public FolderBrowser {
 public:
  // `lang` must outlive the browser; `parent` may be null.
  QtFolderBrowser(const LanguageTable& lang, QWidget* parent = nullptr);
  std::string BrowseForFolder(const std::string& title) override;

  // The folder the dialog starts in (the home folder by default).
  void SetStartFolder(const QString& folder) { start_ = folder; }

 private:
  const LanguageTable& lang_;
  QWidget* parent_;
  QString start_;
};

}  // namespace glimmora
