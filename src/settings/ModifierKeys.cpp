#include "settings/ModifierKeys.h"

namespace glimmora {

void ResetShiftKeys(ModifierKeys& keys, std::int16_t value) {
  keys.CtrlDown = value;
  keys.AltDown = value;
  keys.ShiftDown = value;
}

}  // namespace glimmora
