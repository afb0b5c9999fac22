#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "common/AsciiCase.h"
#include "common/TextCodec.h"
#include "common/DriveTypes.h"
#include "common/FileInfo.h"
#include "common/NumberText.h"
#include "common/Paths.h"
#include "common/WebAddress.h"
#include "support/ScriptedShell.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;

TEST(NumberText, KeepsTheSignBlankThatListTextsRelyOn) {
  EXPECT_EQ(VbStr(5), " 5");
  EXPECT_EQ(VbStr(-5), "-5");
  EXPECT_EQ(VbStr(0), " 0");
  EXPECT_EQ(VbStr(0.5), " .5");
  EXPECT_EQ(VbStr(-0.5), "-.5");
  EXPECT_EQ(VbStr(12.1), " 12.1");
  EXPECT_EQ(VbStr(100.0), " 100");
  EXPECT_EQ(VbStr(0.0001), " .0001");
  EXPECT_EQ(VbStr(0.00001), " 1E-05");
  EXPECT_EQ(VbStr(-1.5e-5), "-1.5E-05");
  EXPECT_EQ(VbStr(123456789012345.0), " 123456789012345");
  EXPECT_EQ(VbStr(1234567890123456.0), " 1.23456789012346E+15");
  EXPECT_EQ(VbStr(1e15), " 1E+15");
  // Single precision: seven digits, so a float's binary noise never shows.
  EXPECT_EQ(VbStr(0.1f), " .1");
  EXPECT_EQ(VbStr(2.9f), " 2.9");
  EXPECT_EQ(VbStr(9999999.0f), " 9999999");
  EXPECT_EQ(VbStr(12345678.0f), " 1.234568E+07");
}

TEST(NumberText, NumToStrDropsOnlyTheBlank) {
  EXPECT_EQ(NumToStr(120), "120");
  EXPECT_EQ(NumToStr(-5), "-5");
  EXPECT_EQ(NumToStr(0.5), ".5");
  EXPECT_EQ(NumToStr(12.1), "12.1");
  EXPECT_EQ(NumToStr(std::uint64_t{5368709120}), "5368709120");
  EXPECT_EQ(NumToStr(std::uint32_t{4294967295u}), "4294967295");
  EXPECT_EQ(NumToStr(LLONG_MIN), "-9223372036854775808");
}

TEST(NumberText, KillSpKeepsTrailingBlanks) {
  EXPECT_EQ(KillSp("   abc "), "abc ");
  EXPECT_EQ(KillSp("    "), "");
  EXPECT_EQ(KillSp(""), "");
}

TEST(AsciiCase, OnlyAsciiLettersChangeCase) {
  EXPECT_EQ(AsciiUpper("ico Bmp-9\xC3\xA4"), "ICO BMP-9\xC3\xA4");  // the UTF-8 bytes of an umlaut stay
  EXPECT_TRUE(EqualsIgnoringCase("Mail", "MAIL"));
  EXPECT_FALSE(EqualsIgnoringCase("Mail", "MAILS"));
  EXPECT_TRUE(StartsWithIgnoringCase("MailTo:a@b", "mailto:"));
  EXPECT_FALSE(StartsWithIgnoringCase("mail", "mailto:"));
  EXPECT_TRUE(EndsWithIgnoringCase("A.ICO", ".ico"));
  EXPECT_FALSE(EndsWithIgnoringCase("ico", ".ico"));
  EXPECT_FALSE(EqualsIgnoringCase("@", "`"));  // neighbours of the letters are no letters
  // Names the program upper-cases: every letter that has a capital, and only letters; bytes that
  // are not UTF-8 (a legacy name) keep all but their ASCII letters.
  EXPECT_EQ(UpperCase("a5-Système 图标_ÿ.ico"), "A5-SYSTÈME 图标_Ÿ.ICO");
  EXPECT_EQ(UpperCase("straße ǆ ıi"), "STRAßE Ǆ II");  // one capital for one letter
  EXPECT_EQ(UpperCase("ab\xB9\xCF" "cd"), "AB\xB9\xCF" "CD");
}

TEST(PathText, JoinsAndTrimsAroundTheRoot) {
  EXPECT_EQ(JoinPath("/", "a"), "/a");
  EXPECT_EQ(JoinPath("/home/u", "a"), "/home/u/a");
  EXPECT_EQ(JoinPath("/home/u/", "a"), "/home/u/a");
  EXPECT_EQ(JoinPath("", "a"), "a");
  EXPECT_EQ(DropTrailingSlash("/a/b/"), "/a/b");
  EXPECT_EQ(DropTrailingSlash("/"), "/");
  EXPECT_EQ(DropTrailingSlash("//"), "/");
  EXPECT_EQ(DropTrailingSlash(""), "");
  EXPECT_EQ(FolderOfPath("/usr/bin/ed"), "/usr/bin");
  EXPECT_EQ(FolderOfPath("/ed"), "/");
  EXPECT_EQ(FolderOfPath("ed"), "");
  EXPECT_EQ(NameOfPath("/usr/bin/ed"), "ed");
  EXPECT_EQ(JoinPath(FolderOfPath("/ed"), NameOfPath("/ed")), "/ed");
}

TEST(WebAddressRule, AddressesAsOpened) {
  struct Case {
    std::string address, kind, opened;
  };
  const Case cases[] = {
      {"WwW.Example.COM/Path   ", "web", "http://WwW.Example.COM/Path"},
      {std::string("x.org\0\0 ", 8), "WEB", "http://x.org"},
      {"  x.org", "WEB", "http://x.org"},
      {"x.org:8080/a", "WEB", "http://x.org:8080/a"},
      {"ftp://Files.x.org", "WEB", "ftp://Files.x.org"},
      {"FTP://x", "Web", "FTP://x"},
      {"https://x.org/A?b=C", "WEB", "https://x.org/A?b=C"},
      {"mailto:A@b.c", "WEB", "mailto:A@b.c"},
      {"Support@X.com", "Mail", "mailto:Support@X.com"},
      {"MAILTO:a@b.c", "MAIL", "MAILTO:a@b.c"},
      {"ftp://x", "MAIL", "mailto:ftp://x"},
      {"x.org", "other", "x.org"},
      {"   ", "WEB", ""},
      // Other schemes only ever reach a browser, as part of a web address.
      {"file:///etc/passwd", "WEB", "http://file:///etc/passwd"},
      {"SMB://host/share", "web", "http://SMB://host/share"},
      {"x-program://run", "WEB", "http://x-program://run"},
      {"file:///etc/passwd", "MAIL", "mailto:file:///etc/passwd"},
      // A mail link keeps only the fields a message needs: no file to attach, by any spelling.
      {"mailto:a@b.c?subject=Hi&attach=/etc/passwd&body=x&Attachment=~/.ssh/id_rsa&%61ttach=y&cc=d@e.f",
       "WEB", "mailto:a@b.c?subject=Hi&body=x&cc=d@e.f"},
      {"a@b.c?attach=/x", "MAIL", "mailto:a@b.c"},
  };
  for (const Case& c : cases) {
    const std::string opened = WebAddressToOpen(c.address, c.kind);
    EXPECT_EQ(opened, c.opened) << c.address;
    if (!opened.empty() && !EqualsIgnoringCase(c.kind, "other")) {
      EXPECT_TRUE(IsAddressToOpen(opened)) << opened;
    }
  }
  for (const char* refused : {"file:///etc/passwd", "smb://host/share", "x.org", " http://x.org", "javascript:x", ""})
    EXPECT_FALSE(IsAddressToOpen(refused)) << refused;

  testing::RecordingWebOpener opener;
  EXPECT_EQ(OpenWebAddress(opener, "x.org", "WEB"), "http://x.org");
  EXPECT_EQ(OpenWebAddress(opener, " ", "MAIL"), "");
  EXPECT_EQ(opener.opened, std::vector<std::string>{"http://x.org"});
}

class FileInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) oldTz_ = tz, hadTz_ = true;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_)
      setenv("TZ", oldTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  std::string MakeFile(const std::string& name, std::time_t mtime, const std::string& bytes = "abc") {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << bytes;
    const timespec times[2] = {{mtime, 0}, {mtime, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
  }
  testing::TempDir temp_;
  std::string dir_ = temp_.str();
  std::string oldTz_;
  bool hadTz_ = false;
};

TEST_F(FileInfoTest, DateTextIsLocalTimeWithoutLeadingZeros) {
  const FileDateText summer = GetFileDateText(MakeFile("s", 960275100));  // 2000-06-06 07:05:00 UTC
  EXPECT_EQ(summer.DateText, "2000-6-6  9:5:0");
  EXPECT_EQ(summer.DateCopy, "2000-6-6  9:5:0");
  EXPECT_EQ(summer.Size, 3u);
  EXPECT_EQ(summer.SizeText, "3");
  EXPECT_EQ(GetFileDateText(MakeFile("w", 946782245)).DateText, "2000-1-2  4:4:5");  // 03:04:05 UTC
}

TEST_F(FileInfoTest, MissingFileGivesZeroAndTheEmptyDate) {
  const FileDateText t = GetFileDateText(dir_ + "/none");
  EXPECT_EQ(t.Size, 0u);
  EXPECT_EQ(t.SizeText, "0");
  EXPECT_EQ(t.DateText, "1601-1-1  0:0:0");
  EXPECT_FALSE(GetFileFindData(dir_ + "/none").Found);
}

TEST_F(FileInfoTest, SizesPastFourGigabytesStayExact) {
  const std::string path = MakeFile("big", 960275100, "");
  ASSERT_EQ(truncate(path.c_str(), 5LL << 30), 0);  // sparse: takes no disk space
  const FileDateText t = GetFileDateText(path);
  EXPECT_EQ(t.Size, 5368709120u);
  EXPECT_EQ(t.SizeText, "5368709120");
}

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
