#pragma once
// Mounted volumes and the user's standard folders, for the folder tree's roots.

#include <string>
#include <vector>

#include "files/DriveTypes.h"

namespace glimmora {

// Every mounted volume as the system reports it, removable devices marked.
std::vector<MountInfo> MountedVolumes();

// The volumes the folder tree shows (root first; network and pseudo file systems left out).
std::vector<Volume> TreeVolumesNow();

// The drive type of the volume mounted at `root` (NoRoot when `root` is no mount point); an empty
// `root` gives no answer.
std::optional<DriveType> GetDriveTypeNow(const std::string& root);

// The user's desktop and documents folders (XDG user folders); the home folder when unset.
std::string DesktopFolder();
std::string DocumentsFolder();

}  // namespace glimmora
