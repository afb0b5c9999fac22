#include "library/ui/AuthorInfoDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "text/LangRows.h"
#include "shared/ui/QtText.h"

namespace glimmora {

AuthorInfoDialog::AuthorInfoDialog(const LanguageTable& lang, WebOpener* opener, QWidget* parent)
    : QDialog(parent), opener_(opener) {
  setObjectName("FrmAuthorInf");
  setWindowTitle(Q(lang.Row(kRowAuthorTitle)));
  setModal(false);
  label2_ = new QLabel(Q(lang.Row(kRowAuthorHeading)));
  label2_->setAlignment(Qt::AlignCenter);
  auto* grid = new QGridLayout;
  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(Q(lang.Row(kRowAuthorNameLabel + k)));
    auto* box = new QLineEdit;
    box->setObjectName(QStringLiteral("Text1_%1").arg(k));
    box->setMinimumWidth(280);
    label->setBuddy(box);
    grid->addWidget(label, k, 0, Qt::AlignRight);
    grid->addWidget(box, k, 1);
    label1_[static_cast<std::size_t>(k)] = label;
    text1_[static_cast<std::size_t>(k)] = box;
  }
  auto* buttons = new QHBoxLayout;
  for (int k = 0; k < 4; ++k) {
    auto* b = new QPushButton(Q(lang.Row(kRowAuthorSave + k)));
    b->setObjectName(QStringLiteral("Command1_%1").arg(k));
    b->setAutoDefault(false);
    buttons->addWidget(b);
    command1_[static_cast<std::size_t>(k)] = b;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label2_);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  connect(command1_[0], &QPushButton::clicked, this, [this] { emit SaveRequested(Fields()); });
  connect(command1_[1], &QPushButton::clicked, this, &QDialog::close);
  connect(command1_[2], &QPushButton::clicked, this, [this] {
    if (opener_) OpenWebAddress(*opener_, text1_[1]->text().toStdString(), "MAIL");
  });
  connect(command1_[3], &QPushButton::clicked, this, [this] {
    if (opener_) OpenWebAddress(*opener_, text1_[2]->text().toStdString(), "WEB");
  });
}

void AuthorInfoDialog::Load(const AuthorFields& fields, const QString& title, bool enabled) {
  const std::string* values[] = {&fields.AuthorName, &fields.AuthorEmail, &fields.AuthorHomepage, &fields.Note};
  for (int k = 0; k < 4; ++k) {
    text1_[static_cast<std::size_t>(k)]->setText(Q(*values[k]));
    text1_[static_cast<std::size_t>(k)]->setEnabled(enabled);
  }
  command1_[0]->setEnabled(enabled);
  label2_->setToolTip(title);
}

AuthorFields AuthorInfoDialog::Fields() const {
  AuthorFields f;
  f.AuthorName = text1_[0]->text().toStdString();
  f.AuthorEmail = text1_[1]->text().toStdString();
  f.AuthorHomepage = text1_[2]->text().toStdString();
  f.Note = text1_[3]->text().toStdString();
  return f;
}

}  // namespace glimmora
