#pragma once
// The shade that tells where the focus is: a pane's lists and boxes are light grey while another
// pane has the focus and white while they have it. Every page shades its panes the same way.

class QWidget;

namespace glimmora {

// Grey unless `focused`, white when it is.
void ShadePane(QWidget* pane, bool focused);

// For a pane that tells nobody of its focus: grey now, and from now on white while it has the
// focus and grey again when it loses it.
void ShadeByFocus(QWidget* pane);

}  // namespace glimmora
