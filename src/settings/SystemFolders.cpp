#include "settings/SystemFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace glimmora {

SystemFolders GetWinSysDir(const std::string& home) {
  SystemFolders f;
  f.WinDir = home;
  if (f.WinDir.empty()) {
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) f.WinDir = pw->pw_dir;
  }
  f.SysDir = "/usr/bin";
  return f;
}

SystemFolders GetWinSysDir() {
  const char* home = std::getenv("HOME");
  return GetWinSysDir(home != nullptr ? home : "");
}

}  // namespace glimmora
