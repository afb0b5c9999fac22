#pragma once
// The library manager (TreeViewLDialog): creates or deletes a category or a library. Its two lists
// hold the categories and the libraries of the chosen category, each entry with the folder or
// index file it stands for, and every operation acts on the entries chosen here: a click in the
// main tree while the dialog is open changes nothing of what OK does.

#include <QDialog>
#include <array>
#include <string>

#include "text/LanguageTable.h"
#include "common/Prompter.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTreeWidgetItem;

namespace glimmora {

class LibraryTree;

class LibraryManagerDialog : public QDialog {
  Q_OBJECT
 public:
  enum Mode { Create = 0, Delete = 1 };

  LibraryManagerDialog(Mode mode, LibraryTree& tree, const LanguageTable& lang, Prompter& prompter,
                       std::string appTitle, QWidget* parent = nullptr);

  QTabBar* TabStripLib() const { return tabs_; }
  QComboBox* Combo1() const { return combo1_; }
  QComboBox* Combo2() const { return combo2_; }
  QLineEdit* TextLibname(int i) const { return names_[static_cast<std::size_t>(i & 1)]; }
  QLabel* Label1(int i) const { return label1_[static_cast<std::size_t>(i & 3)]; }
  QPushButton* Command1(int i) const { return buttons_[static_cast<std::size_t>(i & 1)]; }

  // The lists refilled from the tree: the chosen category and library kept where they still are.
  void Setlist1();
  void Setlist2();

  // OK: AddIcoLIb in create mode, KillIcoLIb in delete mode; then the dialog closes either way,
  // except for a library asked for while there is no category yet (kRowNoCategoryYet).
  void Ok();

 signals:
  // Categories or libraries were made or deleted; `select` is the tree node to show now (may be null).
  void LibrariesChanged(QTreeWidgetItem* select);

 protected:
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void AddIcoLIb();
  void KillIcoLIb();
  void ApplyTabCaptions();
  void RestoreTreeSelection();
  std::string CategoryFolder() const;   // of Combo1's entry
  std::string LibrarySrc() const;       // of Combo2's entry

  Mode mode_;
  LibraryTree& tree_;
  const LanguageTable& lang_;
  Prompter& prompter_;
  std::string appTitle_;
  // The node selected when the dialog opened, found again by what it stands for.
  int oldKind_ = 0;
  std::string oldId_;
  bool restored_ = false;

  QTabBar* tabs_;
  QFormLayout* form_ = nullptr;
  QComboBox* combo1_;
  QComboBox* combo2_;
  std::array<QLineEdit*, 2> names_{};
  std::array<QLabel*, 4> label1_{};
  std::array<QLabel*, 2> label2_{};
  std::array<QPushButton*, 2> buttons_{};
};

}  // namespace glimmora
