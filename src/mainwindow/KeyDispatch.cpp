#include "mainwindow/KeyDispatch.h"

#include "icons/SizeChoices.h"

namespace glimmora {
namespace {

bool Fits(Tri rule, bool held) {
  switch (rule) {
    case Tri::Any: return true;
    case Tri::On: return held;
    case Tri::Off: return !held;
  }
  return false;
}

// Ctrl+Alt keeps its Alt only where a Ctrl+Alt key means something: the icon clipboard's sizes from
// F1, the system clipboard's from 2, and C and X.
bool KeepsAlt(int vk) {
  return (vk >= kVkF1 && vk < kVkF1 + kSizeChoiceCount) || vk == 'C' || vk == 'X' ||
         (vk >= '2' && vk < '1' + kSizeChoiceCount);
}

}  // namespace

KeyMods EffectiveMods(int vk, KeyMods mods) {
  if (mods.ctrl && mods.alt && !KeepsAlt(vk)) mods.alt = false;
  return mods;
}

KeyHit MatchKey(Pane focus, int vk, KeyMods mods) {
  if (focus == Pane::None || vk <= 0) return {};
  const KeyMods m = EffectiveMods(vk, mods);
  for (const auto& r : CommandRows()) {
    if (r.key.vk == 0 || !InSet(r.panes, focus)) continue;
    if (vk < r.key.vk || vk >= r.key.vk + r.span) continue;
    if (!Fits(r.key.ctrl, m.ctrl) || !Fits(r.key.alt, m.alt) || !Fits(r.key.shift, m.shift)) continue;
    return {&r, r.arg + (vk - r.key.vk)};
  }
  return {};
}

}  // namespace glimmora
