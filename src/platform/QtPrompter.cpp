#include "platform/QtPrompter.h"

#include <QGuiApplication>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "text/Languages.h"

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

}  // namespace

QtPrompter::QtPrompter(QWidget* parent, QString defaultTitle)
    : parent_(parent), defaultTitle_(std::move(defaultTitle)) {}

PromptAnswer QtPrompter::Ask(const PromptRequest& request) {
  // A message box belongs to the window in front (the window manager keeps it above that one), and
  // offers to close, never to minimise or maximise.
  QMessageBox box(parent_ ? parent_.data() : QApplication::activeWindow());
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
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
    const std::string_view caption = ButtonCaption(a, lang);
    b->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    if (a == enter) box.setDefaultButton(b);
    made.push_back(b);
  }
  // Its size is fixed before it is shown: a window manager that reads the size limits only when
  // the box appears then offers no maximise button.
  box.adjustSize();
  box.setFixedSize(box.size());
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
