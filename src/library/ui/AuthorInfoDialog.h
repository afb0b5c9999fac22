#pragma once
// The author information window (FrmAuthorInf): the four author fields of the icon selected in
// the library pane, a save button and buttons that open the mail address and the home page. It
// does not block the main window; the page fills it again whenever the selection changes, so a
// save always writes the boxes of the icon they were read from.

#include <QDialog>
#include <array>

#include "text/LanguageTable.h"
#include "shared/WebAddress.h"
#include "library/LibraryWriter.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace glimmora {

class AuthorInfoDialog : public QDialog {
  Q_OBJECT
 public:
  AuthorInfoDialog(const LanguageTable& lang, WebOpener* opener, QWidget* parent = nullptr);

  // Shows the fields of one icon (`title` names it); nothing to edit when `enabled` is false.
  void Load(const AuthorFields& fields, const QString& title, bool enabled);
  AuthorFields Fields() const;

  QLineEdit* Text1(int k) const { return text1_[static_cast<std::size_t>(k & 3)]; }
  QPushButton* Command1(int k) const { return command1_[static_cast<std::size_t>(k & 3)]; }
  QLabel* Label2() const { return label2_; }

 signals:
  void SaveRequested(const glimmora::AuthorFields& fields);

 private:
  WebOpener* opener_;
  std::array<QLineEdit*, 4> text1_{};
  std::array<QLabel*, 4> label1_{};
  std::array<QPushButton*, 4> command1_{};
  QLabel* label2_ = nullptr;
};

}  // namespace glimmora
