#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/DriveTypes.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;

MountInfo Mount(std::string root, std::string device, std::string fsType, bool removable = false) {
  MountInfo m;
  m.RootPath = std::move(root);
  m.Device = std::move(device);
  m.FsType = std::move(fsType);
  m.Removable = removable;
  return m;
}

TEST(DriveTypeRules, ClassifiesMounts) {
  EXPECT_EQ(ClassifyMount(Mount("/", "overlay", "overlay")), DriveType::Fixed);
  EXPECT_EQ(ClassifyMount(Mount("/", "server:/root", "nfs")), DriveType::Fixed);  // the root is always shown
  EXPECT_EQ(ClassifyMount(Mount("/home", "/dev/nvme0n1p3", "ext4")), DriveType::Fixed);
  EXPECT_EQ(ClassifyMount(Mount("/mnt/usb", "/dev/sdb1", "vfat", true)), DriveType::Removable);
  EXPECT_EQ(ClassifyMount(Mount("/media/u/STICK", "/dev/sdc1", "exfat")), DriveType::Removable);
  EXPECT_EQ(ClassifyMount(Mount("/run/media/u/CAM", "/dev/sdd1", "vfat")), DriveType::Removable);
  EXPECT_EQ(ClassifyMount(Mount("/media/cdrom", "/dev/sr0", "iso9660", true)), DriveType::CdRom);
  EXPECT_EQ(ClassifyMount(Mount("/mnt/nas", "nas:/share", "nfs4")), DriveType::Remote);
  EXPECT_EQ(ClassifyMount(Mount("/mnt/win", "//pc/c", "cifs")), DriveType::Remote);
  EXPECT_EQ(ClassifyMount(Mount("/tmp", "tmpfs", "tmpfs")), DriveType::RamDisk);
  EXPECT_EQ(ClassifyMount(Mount("/run/user/1000", "tmpfs", "tmpfs")), DriveType::Undetermined);
  EXPECT_EQ(ClassifyMount(Mount("/dev/shm", "tmpfs", "tmpfs")), DriveType::Undetermined);
  EXPECT_EQ(ClassifyMount(Mount("/proc", "proc", "proc")), DriveType::Undetermined);
  EXPECT_EQ(ClassifyMount(Mount("/sys/fs/cgroup", "cgroup2", "cgroup2")), DriveType::Undetermined);
  EXPECT_EQ(ClassifyMount(Mount("/snap/core/1", "/dev/loop0", "squashfs")), DriveType::Undetermined);
  MountInfo gone = Mount("/mnt/gone", "/dev/sde1", "ext4");
  gone.RootExists = false;
  EXPECT_EQ(ClassifyMount(gone), DriveType::NoRoot);
  EXPECT_STREQ(DriveTypeName(DriveType::CdRom), "CD-ROM");
  EXPECT_STREQ(DriveTypeName(DriveType::RamDisk), "Ramdisk");
  EXPECT_STREQ(DriveTypeName(DriveType::NoRoot), "No root");
}

TEST(DriveTypeRules, TreeShowsUserVolumesRootFirst) {
  const std::vector<MountInfo> mounts = {
      Mount("/boot", "/dev/sda1", "ext4"),          Mount("/", "/dev/sda2", "ext4"),
      Mount("/proc", "proc", "proc"),               Mount("/mnt/nas", "nas:/x", "nfs"),
      Mount("/media/u/STICK", "/dev/sdb1", "vfat"), Mount("/mnt/x", "/dev/sdc1", "ext4"),
      Mount("/mnt/x", "tmpfs", "tmpfs"),
  };
  std::vector<std::string> roots;
  std::vector<DriveType> types;
  for (const Volume& v : TreeVolumes(mounts)) roots.push_back(v.Mount.RootPath), types.push_back(v.Type);
  EXPECT_EQ(roots, (std::vector<std::string>{"/", "/boot", "/media/u/STICK", "/mnt/x"}));
  EXPECT_EQ(types.back(), DriveType::RamDisk);  // the later mount hides the earlier one

  EXPECT_FALSE(GetDriveTypeText("", mounts).has_value());
  EXPECT_EQ(GetDriveTypeText("/home", mounts), DriveType::NoRoot);
  EXPECT_EQ(GetDriveTypeText("/mnt/nas", mounts), DriveType::Remote);
}

TEST(DriveTypeRules, RemovableFlagComesFromTheDiskOfAPartition) {
  const testing::TempDir temp;
  const std::string sys = temp.str();
  fs::create_directories(sys + "/devices/sdb/sdb1");
  fs::create_directories(sys + "/devices/sda/sda1");
  fs::create_directories(sys + "/class/block");
  std::ofstream(sys + "/devices/sdb/removable") << "1\n";
  std::ofstream(sys + "/devices/sda/removable") << "0\n";
  for (const char* n : {"sda", "sdb"}) fs::create_directory_symlink(std::string("../../devices/") + n, sys + "/class/block/" + n);
  fs::create_directory_symlink("../../devices/sdb/sdb1", sys + "/class/block/sdb1");
  fs::create_directory_symlink("../../devices/sda/sda1", sys + "/class/block/sda1");
  EXPECT_TRUE(IsRemovableDevice("/dev/sdb", sys));
  EXPECT_TRUE(IsRemovableDevice("/dev/sdb1", sys));
  EXPECT_FALSE(IsRemovableDevice("/dev/sda1", sys));
  EXPECT_FALSE(IsRemovableDevice("/dev/../sdb", sys));
  EXPECT_FALSE(IsRemovableDevice("tmpfs", sys));
}

}  // namespace
}  // namespace glimmora
