#include "platform/Volumes.h"

#include <QDir>
#include <QStandardPaths>
#include <QStorageInfo>

namespace glimmora {

std::vector<MountInfo> MountedVolumes() {
  std::vector<MountInfo> mounts;
  for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
    MountInfo m;
    m.RootPath = s.rootPath().toStdString();
    m.Device = QString::fromUtf8(s.device()).toStdString();
    m.FsType = QString::fromUtf8(s.fileSystemType()).toStdString();
    m.Label = s.name().toStdString();
    m.RootExists = QDir(s.rootPath()).exists();
    m.Removable = IsRemovableDevice(m.Device);
    mounts.push_back(std::move(m));
  }
  return mounts;
}

std::vector<Volume> TreeVolumesNow() { return TreeVolumes(MountedVolumes()); }

std::optional<DriveType> GetDriveTypeNow(const std::string& root) {
  if (root.empty()) return std::nullopt;
  return GetDriveTypeText(root, MountedVolumes());
}

namespace {

std::string StandardFolder(QStandardPaths::StandardLocation where) {
  QString folder = QStandardPaths::writableLocation(where);
  if (folder.isEmpty()) folder = QDir::homePath();
  return QDir::cleanPath(folder).toStdString();
}

}  // namespace

std::string DesktopFolder() { return StandardFolder(QStandardPaths::DesktopLocation); }
std::string DocumentsFolder() { return StandardFolder(QStandardPaths::DocumentsLocation); }

}  // namespace glimmora
