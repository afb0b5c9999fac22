#include "mainwindow/ui/Toolbar.h"

#include <QAction>
#include <QToolButton>

#include "text/LangRows.h"
#include "mainwindow/CommandTable.h"
#include "mainwindow/ui/ToolbarIcons.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {

CommandToolbar::CommandToolbar(const LanguageTable& lang, QWidget* parent) : QToolBar(parent) {
  setObjectName("Toolbar1");
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(24, 24));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Qt's button for the buttons that do not fit a narrow window has no text of its own either.
  if (auto* more = findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QString::fromStdString(lang.Row(kRowMoreToolbarButtons)));
  for (int i = 1; i <= kToolbarSlots; ++i) {
    switch (ToolbarSlotKind(i)) {
      case SlotKind::Separator:
        addSeparator();
        break;
      case SlotKind::Hidden: {
        // Kept so that every index has its button, but never shown.
        auto* a = new QAction(this);
        a->setVisible(false);
        buttons_[static_cast<std::size_t>(i)] = a;
        break;
      }
      case SlotKind::Command: {
        QAction* a = addAction(ToolbarIcon(i), QString());
        a->setObjectName(QStringLiteral("Toolbar1_%1").arg(i));
        const QString tip = QString::fromStdString(lang.Row(ToolbarTipRow(i)));
        a->setToolTip(tip);
        // The buttons show only a picture: a screen reader says this name instead.
        if (QWidget* button = widgetForAction(a)) button->setAccessibleName(tip);
        a->setCheckable(i >= kToolReportView && i <= kToolLargeIconsView);
        connect(a, &QAction::triggered, this, [this, i] { emit commandClicked(i); });
        buttons_[static_cast<std::size_t>(i)] = a;
        break;
      }
    }
  }
}

void CommandToolbar::ShowState(const ToolbarState& state) {
  for (int i = 1; i <= kToolbarSlots; ++i) {
    QAction* a = buttons_[static_cast<std::size_t>(i)];
    if (!a) continue;
    a->setEnabled(state.Enabled(i));
    if (a->isCheckable()) a->setChecked(state.pressedView && ViewButtonOf(*state.pressedView) == i);
  }
}

QAction* CommandToolbar::Button(int index) const {
  if (!IsToolbarSlot(index)) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

}  // namespace glimmora
