#pragma once
// Shell icons and type names of the file list, looked up when a row is shown. Type names and the
// icons of ordinary files come from the MIME database by the file's name alone and are kept per
// kind of name, so a folder of thousands of files costs one lookup per kind; an icon file shows
// its own first image, read by our icon reader (its mask applied) once its row is shown.

#include <QHash>
#include <QIcon>
#include <QString>
#include <string>

namespace glimmora {

class FileListIcons {
 public:
  // The desktop's name of the type of a file called `name`.
  QString TypeName(const std::string& name);
  // The icon of the file `name` in `folder`: an icon file's own first image, else its kind's.
  QIcon Icon(const std::string& folder, const std::string& name);
  // How many icon files have been read for their own image.
  int IconFilesRead() const { return iconFilesRead_; }

 private:
  struct Kind {
    QString TypeName;
    QIcon Icon;
  };
  const Kind& KindOf(const std::string& name);
  QHash<QString, Kind> kinds_;
  int iconFilesRead_ = 0;
};

}  // namespace glimmora
