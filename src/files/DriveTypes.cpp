#include "files/DriveTypes.h"

#include <algorithm>
#include <array>
#include <string>

#include "files/ReplaceFile.h"

namespace glimmora {

namespace {

bool OneOf(std::string_view s, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

bool Under(std::string_view path, std::string_view folder) {
  return path == folder || (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

}  // namespace

const char* DriveTypeName(DriveType type) {
  static constexpr std::array<const char*, 7> kNames = {"Undetermined", "No root", "Removable", "Fixed",
                                                        "Remote",       "CD-ROM",  "Ramdisk"};
  const auto i = static_cast<std::size_t>(type);
  return i < kNames.size() ? kNames[i] : kNames[0];
}

DriveType ClassifyMount(const MountInfo& m) {
  if (!m.RootExists) return DriveType::NoRoot;
  const std::string_view fs = m.FsType;
  if (OneOf(fs, {"iso9660", "udf"})) return DriveType::CdRom;
  // The root holds the whole system and is always shown, whatever it is mounted from (an overlay
  // in a container, a network root on a diskless machine).
  if (m.RootPath == "/") return OneOf(fs, {"tmpfs", "ramfs"}) ? DriveType::RamDisk : DriveType::Fixed;
  if (OneOf(fs, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs", "9p", "afs", "ceph",
                 "glusterfs", "fuse.glusterfs", "davfs", "fuse.rclone"}))
    return DriveType::Remote;
  // System mounts hold no user files: the folder tree has no node for them.
  if (Under(m.RootPath, "/proc") || Under(m.RootPath, "/sys") || Under(m.RootPath, "/dev") ||
      (Under(m.RootPath, "/run") && !Under(m.RootPath, "/run/media")) || Under(m.RootPath, "/snap") ||
      Under(m.RootPath, "/boot/efi"))
    return DriveType::Undetermined;
  if (OneOf(fs, {"tmpfs", "ramfs"})) return DriveType::RamDisk;
  if (m.Removable || Under(m.RootPath, "/media") || Under(m.RootPath, "/run/media")) return DriveType::Removable;
  if (m.Device.starts_with("/dev/")) return DriveType::Fixed;
  return DriveType::Undetermined;
}

std::optional<DriveType> GetDriveTypeText(std::string_view root, const std::vector<MountInfo>& mounts) {
  if (root.empty()) return std::nullopt;
  // The last mount at a mount point is the one in force.
  for (auto it = mounts.rbegin(); it != mounts.rend(); ++it)
    if (it->RootPath == root) return ClassifyMount(*it);
  return DriveType::NoRoot;
}

bool DriveTypeHasNode(DriveType type) {
  return type != DriveType::Undetermined && type != DriveType::Remote;
}

std::vector<Volume> TreeVolumes(const std::vector<MountInfo>& mounts) {
  std::vector<Volume> out;
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    const MountInfo& m = mounts[i];
    const bool hiddenLater = std::any_of(mounts.begin() + static_cast<std::ptrdiff_t>(i) + 1, mounts.end(),
                                         [&](const MountInfo& o) { return o.RootPath == m.RootPath; });
    if (hiddenLater) continue;
    const DriveType type = ClassifyMount(m);
    if (!DriveTypeHasNode(type)) continue;
    out.push_back({m, type});
  }
  std::stable_partition(out.begin(), out.end(), [](const Volume& v) { return v.Mount.RootPath == "/"; });
  return out;
}

bool IsRemovableDevice(const std::string& device, const std::string& sysRoot) {
  if (!device.starts_with("/dev/")) return false;
  std::string name = device.substr(5);
  if (name.empty() || name.find('/') != std::string::npos || name.find("..") != std::string::npos) return false;
  auto readFlag = [](const std::string& path) {
    const Result<std::string> text = ReadFileStart(path, 16);
    return text && text->starts_with('1');
  };
  // A partition's class entry links into its disk's folder, which holds the flag.
  if (readFlag(sysRoot + "/class/block/" + name + "/removable")) return true;
  return readFlag(sysRoot + "/class/block/" + name + "/../removable");
}

}  // namespace glimmora
