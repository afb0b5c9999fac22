#pragma once
// Shell icons and type names of the file list. Both come from the MIME database by the file's
// name alone and are kept per kind of name, so a folder of thousands of files costs one lookup per
// kind. Icon files show their own first image.

#include <QHash>
#include <QIcon>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "source/FileListRows.h"

namespace glimmora {

class FileListIcons {
 public:
  // Fills TypeName and IconIndex of every row of `folder`; returns the icons the indexes point to.
  // `beforeRow` (when given) is told the index of each row before its icon is looked up.
  std::vector<QIcon> Apply(const std::string& folder, std::vector<FileListRow>& rows,
                           const std::function<void(std::size_t)>& beforeRow = {});

 private:
  struct Kind {
    QString TypeName;
    QIcon Icon;
  };
  const Kind& KindOf(const std::string& name);
  QHash<QString, Kind> kinds_;
};

}  // namespace glimmora
