#include "platform/FolderBrowser.h"

#include <QDir>
#include <QFileDialog>

#include "text/LangRows.h"
#include "common/Paths.h"

namespace glimmora {

QtFolderBrowser::QtFolderBrowser(const LanguageTable& lang, QWidget* parent)
    : lang_(lang), parent_(parent), start_(QDir::homePath()) {}

std::string QtFolderBrowser::BrowseForFolder(const std::string& title) {
  const std::string& shown = title.empty() ? lang_.Row(kRowBrowseFolderTitle) : title;
  const QString folder = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(shown), start_,
                                                           QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return {};
  return DropTrailingSlash(QDir::cleanPath(folder).toStdString());
}

}  // namespace glimmora
