#pragma once

#include <string>

namespace glimmora {

// What stands for the Windows and system folders on Linux: WinDir is the user's home folder (the
// folder that holds the user's desktop and settings), SysDir the folder of the system's programs,
// "/usr/bin". `home` is $HOME; when it is empty, the password database's entry is taken.
struct SystemFolders {
  std::string WinDir;
  std::string SysDir;
};
SystemFolders GetWinSysDir();
SystemFolders GetWinSysDir(const std::string& home);

}  // namespace glimmora
