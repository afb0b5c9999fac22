#include "shared/ui/TypedTextBox.h"

#include <QComboBox>
#include <QLineEdit>

namespace glimmora {

void KeepTypedText(QComboBox* box) {
  box->setCompleter(nullptr);
  // The box itself would take the end of an edit (leaving it, too) whose text equals an entry for
  // a pick of that entry and report it as activated.
  QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
}

}  // namespace glimmora
