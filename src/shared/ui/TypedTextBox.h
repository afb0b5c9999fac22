#pragma once
// The editable boxes whose list is a history (keyword search, recent libraries, folder paths):
// Enter acts on the text as the user typed it, and only a pick from the list takes an entry.

class QComboBox;

namespace glimmora {

// The box completes nothing from its list (a completion written into the box would make Enter
// act on another text), and leaving the box with a text equal to an entry picks nothing.
void KeepTypedText(QComboBox* box);

}  // namespace glimmora
