#include "platform/QtPrompter.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace glimmora {
namespace {

struct ButtonChoice {
  QMessageBox::StandardButton button;
  PromptAnswer answer;
};

std::vector<ButtonChoice> ButtonsOf(PromptButtons buttons) {
  using B = QMessageBox;
  switch (buttons) {
    case PromptButtons::Ok:
      return {{B::Ok, PromptAnswer::Ok}};
    case PromptButtons::OkCancel:
      return {{B::Ok, PromptAnswer::Ok}, {B::Cancel, PromptAnswer::Cancel}};
    case PromptButtons::YesNo:
      return {{B::Yes, PromptAnswer::Yes}, {B::No, PromptAnswer::No}};
    case PromptButtons::YesNoCancel:
      return {{B::Yes, PromptAnswer::Yes}, {B::No, PromptAnswer::No},
              {B::Cancel, PromptAnswer::Cancel}};
    case PromptButtons::RetryCancel:
      return {{B::Retry, PromptAnswer::Retry}, {B::Cancel, PromptAnswer::Cancel}};
    case PromptButtons::AbortRetryIgnore:
      return {{B::Abort, PromptAnswer::Abort}, {B::Retry, PromptAnswer::Retry},
              {B::Ignore, PromptAnswer::Ignore}};
  }
  return {{B::Ok, PromptAnswer::Ok}};
}

QMessageBox::Icon IconOf(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::None: return QMessageBox::NoIcon;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// What closing the box without a button means: the most cautious answer it offers.
PromptAnswer EscapeAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok: return PromptAnswer::Ok;
    case PromptButtons::YesNo: return PromptAnswer::No;
    case PromptButtons::AbortRetryIgnore: return PromptAnswer::Abort;
    default: return PromptAnswer::Cancel;
  }
}

}  // namespace

QtPrompter::QtPrompter(QWidget* parent, QString defaultTitle)
    : parent_(parent), defaultTitle_(std::move(defaultTitle)) {}

PromptAnswer QtPrompter::Ask(const PromptRequest& request) {
  QMessageBox box(parent_.data());
  box.setWindowTitle(request.title.empty() ? defaultTitle_ : QString::fromStdString(request.title));
  box.setText(QString::fromStdString(request.text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(request.icon));
  const std::vector<ButtonChoice> choices = ButtonsOf(request.buttons);
  std::vector<QAbstractButton*> made;
  for (const ButtonChoice& c : choices) made.push_back(box.addButton(c.button));
  if (request.defaultButton >= 0 && request.defaultButton < static_cast<int>(made.size()))
    box.setDefaultButton(
        static_cast<QPushButton*>(made[static_cast<std::size_t>(request.defaultButton)]));
  // The program may be showing the busy pointer; a question needs the normal one.
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QGuiApplication::restoreOverrideCursor();
  QAbstractButton* clicked = box.clickedButton();
  for (std::size_t i = 0; i < made.size(); ++i)
    if (made[i] == clicked) return choices[i].answer;
  return EscapeAnswer(request.buttons);
}

}  // namespace glimmora
