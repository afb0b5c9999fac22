#include "library/ui/LibraryManagerDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "text/LangRows.h"
#include "common/Paths.h"
#include "library/LibManager.h"
#include "library/LibPages.h"
#include "library/ui/LibraryTree.h"
#include "shared/ui/QtText.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

constexpr int kPathRole = Qt::UserRole;  // where addItem puts its data

}  // namespace

LibraryManagerDialog::LibraryManagerDialog(Mode mode, LibraryTree& tree, const LanguageTable& lang,
                                           Prompter& prompter, std::string appTitle, QWidget* parent)
    : QDialog(parent), mode_(mode), tree_(tree), lang_(lang), prompter_(prompter), appTitle_(std::move(appTitle)),
      tabs_(new QTabBar), combo1_(new QComboBox), combo2_(new QComboBox) {
  setObjectName("TreeViewLDialog");
  setModal(false);
  tabs_->setObjectName("TabStripLib");
  tabs_->addTab(QString());
  tabs_->addTab(QString());
  combo1_->setObjectName("Combo1");
  combo2_->setObjectName("Combo2");
  for (int i = 0; i < 4; ++i) label1_[static_cast<std::size_t>(i)] = new QLabel;
  for (int i = 0; i < 2; ++i) {
    label2_[static_cast<std::size_t>(i)] = new QLabel(Q(lang.Row(kRowManagerNameNote + i)));
    label2_[static_cast<std::size_t>(i)]->setWordWrap(true);
    auto* box = new QLineEdit;
    box->setObjectName(QStringLiteral("TextLibname_%1").arg(i));
    names_[static_cast<std::size_t>(i)] = box;
    auto* b = new QPushButton(Q(lang.Row(kRowManagerOk + i)));
    b->setObjectName(QStringLiteral("Command1_%1").arg(i));
    buttons_[static_cast<std::size_t>(i)] = b;
  }
  buttons_[0]->setDefault(true);
  setMinimumWidth(380);
  label1_[2]->setText(Q(lang.Row(kRowManagerCategoryLabel)));
  label1_[3]->setText(Q(lang.Row(kRowManagerLibraryLabel)));

  auto* form = form_ = new QFormLayout;
  form->addRow(label1_[2], combo1_);
  form->addRow(label1_[3], combo2_);
  form->addRow(label1_[0], names_[0]);
  form->addRow(label1_[1], names_[1]);
  // Each box is read out by the label in front of it.
  label1_[2]->setBuddy(combo1_);
  label1_[3]->setBuddy(combo2_);
  label1_[0]->setBuddy(names_[0]);
  label1_[1]->setBuddy(names_[1]);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(buttons_[0]);
  buttonRow->addWidget(buttons_[1]);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(form);
  layout->addWidget(label2_[0]);
  layout->addWidget(label2_[1]);
  layout->addStretch();
  layout->addLayout(buttonRow);

  const bool create = mode_ == Create;
  setWindowTitle(Q(lang.Row(create ? kRowManagerNewTitle : kRowManagerDeleteTitle)));
  for (QLineEdit* box : names_) {
    box->setEnabled(create);
    box->setStyleSheet(create ? "background: white;" : "background: rgb(192,192,192);");
  }
  for (QLabel* l : {label1_[0], label1_[1], label2_[0], label2_[1]}) l->setEnabled(create);
  ApplyTabCaptions();
  tabs_->setCurrentIndex(0);

  QTreeWidgetItem* old = tree_.Selected();
  oldKind_ = static_cast<int>(LibraryTree::Kind(old));
  oldId_ = LibraryTree::Kind(old) == LibNodeKind::Library ? LibraryTree::SrcPath(old) : LibraryTree::Key(old);

  Setlist1();
  Setlist2();

  connect(combo1_, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
    // The tree follows the dialog's category, as the user sees it; the dialog acts on its own lists.
    if (QTreeWidgetItem* cat = tree_.FindCategory(CategoryFolder())) tree_.Select(cat);
    Setlist2();
  });
  connect(tabs_, &QTabBar::currentChanged, this, [this](int) { ApplyTabCaptions(); });
  connect(buttons_[0], &QPushButton::clicked, this, &LibraryManagerDialog::Ok);
  connect(buttons_[1], &QPushButton::clicked, this, &QDialog::reject);
}

void LibraryManagerDialog::ApplyTabCaptions() {
  const bool create = mode_ == Create;
  tabs_->setTabText(0, Q(lang_.Row(create ? kRowManagerNewLibrary : kRowManagerDeleteLibrary)));
  tabs_->setTabText(1, Q(lang_.Row(create ? kRowManagerNewCategory : kRowManagerDeleteCategory)));
  // Switching tabs changes the name captions only while creating.
  const bool category = create && tabs_->currentIndex() == 1;
  label1_[0]->setText(Q(lang_.Row(category ? kRowManagerCategoryNameLabel : kRowManagerLibraryNameLabel)));
  label1_[1]->setText(Q(lang_.Row(category ? kRowManagerCategoryKeyLabel : kRowManagerLibraryKeyLabel)));
  // A new category goes beside the others: no category or library to choose.
  form_->setRowVisible(combo1_, !category);
  form_->setRowVisible(combo2_, !category);
}

std::string LibraryManagerDialog::CategoryFolder() const {
  return combo1_->currentIndex() < 0 ? std::string() : combo1_->currentData(kPathRole).toByteArray().toStdString();
}

std::string LibraryManagerDialog::LibrarySrc() const {
  return combo2_->currentIndex() < 0 ? std::string() : combo2_->currentData(kPathRole).toByteArray().toStdString();
}

void LibraryManagerDialog::Setlist1() {
  const std::string keep = combo1_->count() > 0 ? CategoryFolder() : LibraryTree::Key(LibraryTree::CategoryOf(tree_.Selected()));
  combo1_->clear();
  QTreeWidget* t = tree_.Widget();
  int chosen = 0;
  for (int i = 0; i < t->topLevelItemCount(); ++i) {
    QTreeWidgetItem* cat = t->topLevelItem(i);
    combo1_->addItem(cat->text(0), QByteArray::fromStdString(LibraryTree::Key(cat)));
    if (LibraryTree::Key(cat) == keep) chosen = i;
  }
  if (combo1_->count() > 0) combo1_->setCurrentIndex(chosen);
}

void LibraryManagerDialog::Setlist2() {
  const std::string keep = combo2_->count() > 0 ? LibrarySrc()
                                                : (oldKind_ == static_cast<int>(LibNodeKind::Library) ? oldId_ : "");
  combo2_->clear();
  QTreeWidgetItem* cat = tree_.FindCategory(CategoryFolder());
  if (!cat) return;
  int chosen = 0;
  for (int k = 0; k < cat->childCount(); ++k) {
    QTreeWidgetItem* lib = cat->child(k);
    combo2_->addItem(Q(NodeName(lib->text(0).toStdString())), QByteArray::fromStdString(LibraryTree::SrcPath(lib)));
    if (LibraryTree::SrcPath(lib) == keep) chosen = k;
  }
  if (combo2_->count() > 0) combo2_->setCurrentIndex(chosen);
}

void LibraryManagerDialog::Ok() {
  if (mode_ == Create) {
    // A library needs a category to live in: without one the dialog stays open, so the user can
    // make the category on the other tab.
    if (tabs_->currentIndex() == 0 && combo1_->count() == 0) {
      AskRow(prompter_, lang_, kRowNoCategoryYet);
      return;
    }
    AddIcoLIb();
  } else {
    KillIcoLIb();
  }
  for (QLineEdit* box : names_) box->clear();
  accept();
}

void LibraryManagerDialog::AddIcoLIb() {
  std::vector<std::string> names;
  QComboBox* list = tabs_->currentIndex() == 1 ? combo1_ : combo2_;
  for (int i = 0; i < list->count(); ++i) names.push_back(list->itemText(i).toStdString());
  const std::vector<std::string> keys = tree_.NodeKeys();
  AddRequest request;
  request.LibName = names_[0]->text().toStdString();
  request.LibKey = names_[1]->text().toStdString();
  request.Names = names;
  request.NodeKeys = keys;
  QTreeWidgetItem* made = nullptr;
  if (tabs_->currentIndex() == 1) {
    const ManagerResult r = AddCategory(tree_.IconLibDir(), request, prompter_, lang_);
    if (r.Outcome != ManagerOutcome::Done) return;
    made = tree_.AddCategoryNode(r.NodeKey, r.NodeText);
  } else {
    const std::string folder = CategoryFolder();
    QTreeWidgetItem* cat = tree_.FindCategory(folder);
    if (!cat) return;
    const ManagerResult r =
        AddLibrary(folder, combo1_->currentText().toStdString(), request, appTitle_, prompter_, lang_);
    if (r.Outcome != ManagerOutcome::Done) return;
    made = tree_.AddLibraryNode(cat, r.Path, r.NodeKey, r.NodeText);
  }
  // The new node is shown; the old selection comes back only when nothing was made.
  if (made) {
    oldKind_ = static_cast<int>(LibraryTree::Kind(made));
    oldId_ = LibraryTree::Kind(made) == LibNodeKind::Library ? LibraryTree::SrcPath(made) : LibraryTree::Key(made);
    tree_.Select(made);
  }
  Setlist1();
  Setlist2();
  emit LibrariesChanged(made);
}

void LibraryManagerDialog::KillIcoLIb() {
  QTreeWidgetItem* gone = nullptr;
  if (tabs_->currentIndex() == 1) {
    const std::string folder = CategoryFolder();
    if (folder.empty()) return;
    const ManagerResult r = KillCategory(tree_.IconLibDir(), folder, combo1_->currentText().toStdString(),
                                         prompter_, lang_);
    if (r.Outcome != ManagerOutcome::Done) return;
    gone = tree_.FindCategory(folder);
  } else {
    const std::string src = LibrarySrc();
    QTreeWidgetItem* node = src.empty() ? nullptr : tree_.FindLibrary(src);
    const std::string name = node ? NodeName(node->text(0).toStdString()) : std::string();
    const ManagerResult r = KillLibrary(node ? src : std::string(), name, LibraryTree::Key(node), prompter_, lang_);
    if (r.Beep) QApplication::beep();
    if (r.Outcome != ManagerOutcome::Done) return;
    gone = node;
  }
  QTreeWidgetItem* select = nullptr;
  if (gone) {
    select = gone->parent();
    delete gone;
  }
  if (!select && tree_.Widget()->topLevelItemCount() > 0) select = tree_.Widget()->topLevelItem(0);
  if (select) tree_.Select(select);
  Setlist1();
  Setlist2();
  emit LibrariesChanged(select);
}

void LibraryManagerDialog::RestoreTreeSelection() {
  if (restored_) return;
  restored_ = true;
  QTreeWidgetItem* node = nullptr;
  if (oldKind_ == static_cast<int>(LibNodeKind::Library)) node = tree_.FindLibrary(oldId_);
  if (oldKind_ == static_cast<int>(LibNodeKind::Category)) node = tree_.FindCategory(oldId_);
  if (!node && tree_.Widget()->topLevelItemCount() > 0) node = tree_.Widget()->topLevelItem(0);
  if (node) tree_.Select(node);
  if (QWidget* main = parentWidget()) {
    main->raise();
    main->activateWindow();
  }
}

void LibraryManagerDialog::done(int result) {
  // Esc, Cancel and OK all end here: the tree shows again what it showed before.
  RestoreTreeSelection();
  QDialog::done(result);
}

void LibraryManagerDialog::closeEvent(QCloseEvent* event) {
  RestoreTreeSelection();
  QDialog::closeEvent(event);
}

}  // namespace glimmora
