#include "platform/QtPrompter.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace glimmora {
namespace {

QMessageBox::StandardButton ButtonOf(PromptAnswer answer) {
  using B = QMessageBox;
  switch (answer) {
    case PromptAnswer::Ok: return B::Ok;
    case PromptAnswer::Cancel: return B::Cancel;
    case PromptAnswer::Yes: return B::Yes;
    case PromptAnswer::No: return B::No;
    case PromptAnswer::Retry: return B::Retry;
    case PromptAnswer::Abort: return B::Abort;
    case PromptAnswer::Ignore: return B::Ignore;
  }
  return B::Ok;
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

}  // namespace

QtPrompter::QtPrompter(QWidget* parent, QString defaultTitle)
    : parent_(parent), defaultTitle_(std::move(defaultTitle)) {}

PromptAnswer QtPrompter::Ask(const PromptRequest& request) {
  QMessageBox box(parent_.data());
  box.setWindowTitle(request.title.empty() ? defaultTitle_ : QString::fromStdString(request.title));
  box.setText(QString::fromStdString(request.text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(request.icon));
  const std::vector<PromptAnswer> answers = AnswersOf(request.buttons);
  const PromptAnswer enter = DefaultAnswer(request);
  std::vector<QAbstractButton*> made;
  const Language lang = language_ != nullptr ? language_->CurLang : Language::English;
  for (const PromptAnswer a : answers) {
    QPushButton* b = box.addButton(ButtonOf(a));
    b->setText(ButtonCaption(ButtonOf(a), lang));
    if (a == enter) box.setDefaultButton(b);
    made.push_back(b);
  }
  // The program may be showing the busy pointer; a question needs the normal one.
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QGuiApplication::restoreOverrideCursor();
  QAbstractButton* clicked = box.clickedButton();
  for (std::size_t i = 0; i < made.size(); ++i)
    if (made[i] == clicked) return answers[i];
  // Closing the box without a button is the most cautious answer it offers.
  return CautiousAnswer(request.buttons);
}

}  // namespace glimmora
