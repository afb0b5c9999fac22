#pragma once
// What a screen reader reads of our controls: their names, and the items of our list views.

#include <string>

class QWidget;

namespace glimmora {

// The name a screen reader reads for `control`. An editable combo box is read by the text in its
// box, so the box is named too.
void SetControlName(QWidget* control, const std::string& name);

// Our list and large-icon views show one column of a model that has several (the report view's),
// but Qt's own interface counts every model column as a cell of the list: the n-th child it
// reports is then a hidden cell of an earlier row, with no place on screen. From this call on,
// every plain QListView answers with one item per row, at the place the view draws it. Safe to
// call more than once.
void InstallListAccessibility();

}  // namespace glimmora
