#pragma once

#include <cstdint>

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

}  // namespace glimmora
