#pragma once
// Drive types of mounted volumes, and which volumes the folder tree shows.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glimmora {

enum class DriveType : int {
  Undetermined = 0,
  NoRoot = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

// "Undetermined", "No root", "Removable", "Fixed", "Remote", "CD-ROM", "Ramdisk".
const char* DriveTypeName(DriveType type);

// One mounted volume as the system reports it.
struct MountInfo {
  std::string RootPath;    // mount point, "/" for the root
  std::string Device;      // "/dev/sda1", "server:/export", "tmpfs", ...
  std::string FsType;      // "ext4", "nfs", "iso9660", ...
  std::string Label;       // volume name; may be empty
  bool Removable = false;  // the device is removable (sysfs), or mounted under /media or /run/media
  bool RootExists = true;  // the mount point is there
};

// CD and DVD file systems -> CdRom; the root "/" -> Fixed (RamDisk on tmpfs); network file systems -> Remote; tmpfs and ramfs mounted where a
// user keeps files -> RamDisk; removable devices -> Removable; other block devices -> Fixed; a
// mount point that is gone -> NoRoot; pseudo and system mounts (proc, sysfs, cgroups, /run, /dev,
// /sys, overlay, ...) -> Undetermined.
DriveType ClassifyMount(const MountInfo& mount);

// The drive type of the volume mounted at `root`: its class when `root` is a mount point of
// `mounts`, NoRoot otherwise. An empty `root` gives no answer (the caller keeps its value).
std::optional<DriveType> GetDriveTypeText(std::string_view root, const std::vector<MountInfo>& mounts);

// Whether a folder tree shows a volume of this type (remote and undetermined ones get no node).
bool DriveTypeHasNode(DriveType type);

// The volumes the folder tree shows: classified, those without a node left out, the root first and
// then the others in the order given; a mount point mounted twice is listed once (the last mount
// wins, as it hides the earlier ones).
struct Volume {
  MountInfo Mount;
  DriveType Type = DriveType::Undetermined;
};
std::vector<Volume> TreeVolumes(const std::vector<MountInfo>& mounts);

// True when the block device `device` ("/dev/sdb1") is removable, as sysfs under `sysRoot` says
// (a partition asks its disk).
bool IsRemovableDevice(const std::string& device, const std::string& sysRoot = "/sys");

}  // namespace glimmora
