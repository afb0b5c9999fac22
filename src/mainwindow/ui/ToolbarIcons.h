#pragma once
// The pictures of the toolbar's command buttons, drawn for this program at start-up.

#include <QIcon>

namespace glimmora {

// The picture of command button `command` (a toolbar slot), with a normal and a greyed disabled look.
// A slot without a command gets an empty icon.
QIcon ToolbarIcon(int command, int size = 24);

}  // namespace glimmora
