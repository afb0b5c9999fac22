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

// Captions of the standard buttons in the program's own language. Qt would take them from the
// system's locale, which leaves "Yes" and "No" under a Chinese question whose text refers to them
// as 是 and 否.
QString ButtonCaption(QMessageBox::StandardButton button, Language lang) {
  using B = QMessageBox;
  struct Caption {
    B::StandardButton button;
    const char* text[3];  // English, Chinese GB, Chinese BIG5
  };
  static const Caption kCaptions[] = {
      {B::Ok, {"OK", "确定", "確定"}},
      {B::Cancel, {"Cancel", "取消", "取消"}},
      {B::Yes, {"&Yes", "是(&Y)", "是(&Y)"}},
      {B::No, {"&No", "否(&N)", "否(&N)"}},
      {B::Retry, {"&Retry", "重试(&R)", "重試(&R)"}},
      {B::Abort, {"&Abort", "中止(&A)", "中止(&A)"}},
      {B::Ignore, {"&Ignore", "忽略(&I)", "略過(&I)"}},
  };
  for (const Caption& c : kCaptions)
    if (c.button == button) return QString::fromUtf8(c.text[static_cast<int>(lang)]);
  return QString();
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
  const Language lang = language_ != nullptr ? language_->CurLang : Language::English;
  for (const ButtonChoice& c : choices) {
    QAbstractButton* b = box.addButton(c.button);
    b->setText(ButtonCaption(c.button, lang));
    made.push_back(b);
  }
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
