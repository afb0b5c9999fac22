#include "shared/ui/PaneShade.h"

#include <QEvent>
#include <QObject>
#include <QPalette>
#include <QWidget>

namespace glimmora {
namespace {

const QColor kFocusedShade(255, 255, 255);
const QColor kUnfocusedShade(235, 235, 235);

// Owned by its pane, so it goes when the pane does.
class FocusShade : public QObject {
 public:
  explicit FocusShade(QWidget* pane) : QObject(pane) { pane->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
      ShadePane(static_cast<QWidget*>(watched), event->type() == QEvent::FocusIn);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void ShadePane(QWidget* pane, bool focused) {
  QPalette p = pane->palette();
  p.setColor(QPalette::Base, focused ? kFocusedShade : kUnfocusedShade);
  pane->setPalette(p);
}

void ShadeByFocus(QWidget* pane) {
  ShadePane(pane, false);
  new FocusShade(pane);
}

}  // namespace glimmora
