#pragma once
// Small shared state rules: the modifier-key flags and the system folders.

#include <cstdint>
#include <string>

namespace glimmora {

// Ctrl, Alt and Shift as the main window tracks them (-1 held, 0 not held). Every message box and
// dialog is preceded by ResetShiftKeys(keys, 0): a key released while the dialog has the keyboard
// would otherwise stay "held".
struct ModifierKeys {
  std::int16_t CtrlDown = 0;
  std::int16_t AltDown = 0;
  std::int16_t ShiftDown = 0;
};
void ResetShiftKeys(ModifierKeys& keys, std::int16_t value);

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
