#include "library/ui/LibraryTree.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "files/FileBytes.h"
#include "text/LangRows.h"
#include "library/LibPages.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/QtText.h"

namespace glimmora {
namespace {

// Paths and keys are kept as the bytes found on disk: a folder name that is not UTF-8 would not
// survive a trip through QString.
QByteArray B(const std::string& s) { return QByteArray::fromStdString(s); }

constexpr std::size_t kLargestTreePicture = 1u << 20;

}  // namespace

QIcon TreePictureIcon(const std::string& icoPath) {
  const auto bytes = ReadFileBytes(icoPath, kLargestTreePicture);
  if (!bytes) return {};
  const QImage image = IcoFileToImage(*bytes);
  if (image.isNull()) return {};
  return QIcon(QPixmap::fromImage(image.scaled(16, 16)));
}

LibraryTree::LibraryTree(QTreeWidget* tree, std::string iconLibDir, const LanguageTable& lang, QObject* parent)
    : QObject(parent), tree_(tree), iconLibDir_(std::move(iconLibDir)), lang_(lang) {}

QIcon LibraryTree::CategoryIcon() const { return QApplication::style()->standardIcon(QStyle::SP_DirIcon); }
QIcon LibraryTree::LibraryIcon() const { return QApplication::style()->standardIcon(QStyle::SP_FileIcon); }

LibNodeKind LibraryTree::Kind(const QTreeWidgetItem* item) {
  return item ? static_cast<LibNodeKind>(item->data(0, kKindRole).toInt()) : LibNodeKind::None;
}
std::string LibraryTree::Key(const QTreeWidgetItem* item) {
  return item ? item->data(0, kKeyRole).toByteArray().toStdString() : std::string();
}
std::string LibraryTree::SrcPath(const QTreeWidgetItem* item) {
  return item ? item->data(0, kSrcRole).toByteArray().toStdString() : std::string();
}

QTreeWidgetItem* LibraryTree::Selected() const { return tree_->currentItem(); }

QTreeWidgetItem* LibraryTree::CategoryOf(QTreeWidgetItem* item) {
  if (!item) return nullptr;
  return Kind(item) == LibNodeKind::Library ? item->parent() : item;
}

std::vector<QTreeWidgetItem*> LibraryTree::Nodes() const {
  std::vector<QTreeWidgetItem*> nodes;
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) nodes.push_back(*it);
  return nodes;
}

std::vector<std::string> LibraryTree::NodeKeys() const {
  std::vector<std::string> keys;
  for (QTreeWidgetItem* n : Nodes()) keys.push_back(Key(n));
  return keys;
}

QTreeWidgetItem* LibraryTree::FindLibrary(const std::string& srcPath) const {
  for (QTreeWidgetItem* n : Nodes())
    if (Kind(n) == LibNodeKind::Library && SrcPath(n) == srcPath) return n;
  return nullptr;
}

QTreeWidgetItem* LibraryTree::FindCategory(const std::string& folder) const {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i)
    if (Key(tree_->topLevelItem(i)) == folder) return tree_->topLevelItem(i);
  return nullptr;
}

void LibraryTree::Select(QTreeWidgetItem* item) {
  if (!item) return;
  if (item->parent()) item->parent()->setExpanded(true);
  tree_->setCurrentItem(item);
  tree_->scrollToItem(item);
}

void LibraryTree::ResetTreeViewL(const std::function<void(int)>& progress) {
  auto report = [&](int v) {
    if (progress) progress(v);
  };
  report(5);
  // What was selected, to find it again: its file or folder first, its place in the tree second.
  QTreeWidgetItem* old = Selected();
  const LibNodeKind oldKind = Kind(old);
  const std::string oldId = oldKind == LibNodeKind::Library ? SrcPath(old) : Key(old);
  int oldIndex = -1;
  if (old) {
    const auto nodes = Nodes();
    oldIndex = static_cast<int>(std::find(nodes.begin(), nodes.end(), old) - nodes.begin());
  }
  const bool oldExpanded = old && old->isExpanded();

  tree_->setUpdatesEnabled(false);
  tree_->clear();
  report(20);
  const std::vector<CategoryInfo> categories = ReadLibraryFolders(iconLibDir_, lang_.CurLang);
  QList<QTreeWidgetItem*> tops;
  const int n = static_cast<int>(categories.size());
  for (int i = 0; i < n; ++i) {
    report(i * 80 / std::max(1, n) + 20);
    const CategoryInfo& cat = categories[static_cast<std::size_t>(i)];
    auto* node = new QTreeWidgetItem({Q(cat.Name)});
    node->setData(0, kKindRole, static_cast<int>(LibNodeKind::Category));
    node->setData(0, kKeyRole, B(cat.Folder));
    QIcon catIcon;
    if (!cat.PicturePath.empty()) {
      // A picture that cannot be made small is shown as it is, or not at all when it cannot be read.
      (void)CheckIco16x16(cat.PicturePath);
      catIcon = TreePictureIcon(cat.PicturePath);
    }
    bool ownCatPicture = !catIcon.isNull();
    node->setIcon(0, ownCatPicture ? catIcon : CategoryIcon());
    for (const LibraryInfo& lib : cat.Libraries) {
      auto* child = new QTreeWidgetItem({Q(lib.NodeText(lang_.Row(kRowLibraryUnreadableMark)))});
      child->setData(0, kKindRole, static_cast<int>(LibNodeKind::Library));
      child->setData(0, kKeyRole, B(lib.LibKey));
      child->setData(0, kSrcRole, B(lib.SrcPath));
      QIcon libIcon;
      if (lib.ShowsOwnPicture())
        if (const auto picture = EnsureTreePicture(lib)) libIcon = TreePictureIcon(*picture);
      child->setIcon(0, libIcon.isNull() ? LibraryIcon() : libIcon);
      if (!ownCatPicture && !libIcon.isNull()) {
        node->setIcon(0, libIcon);
        ownCatPicture = true;
      }
      node->addChild(child);
    }
    tops.append(node);
  }
  tree_->addTopLevelItems(tops);
  tree_->setUpdatesEnabled(true);
  report(105);

  QTreeWidgetItem* again = nullptr;
  if (oldKind == LibNodeKind::Library) again = FindLibrary(oldId);
  if (oldKind == LibNodeKind::Category) again = FindCategory(oldId);
  if (!again && oldIndex >= 0) {
    const auto nodes = Nodes();
    if (oldIndex < static_cast<int>(nodes.size())) again = nodes[static_cast<std::size_t>(oldIndex)];
  }
  if (again) {
    again->setExpanded(oldExpanded);
    Select(again);
  } else if (tree_->topLevelItemCount() > 0) {
    // Nothing was selected (the first build): the tree starts on its first category, opened.
    again = tree_->topLevelItem(0);
    again->setExpanded(true);
    Select(again);
  }
}

void LibraryTree::SetLibraryCount(const std::string& srcPath, int count) {
  if (QTreeWidgetItem* node = FindLibrary(srcPath))
    node->setText(0, Q(LibNodeText(NodeName(node->text(0).toStdString()), count)));
}

QTreeWidgetItem* LibraryTree::AddCategoryNode(const std::string& folder, const std::string& name) {
  auto* node = new QTreeWidgetItem({Q(name)});
  node->setData(0, kKindRole, static_cast<int>(LibNodeKind::Category));
  node->setData(0, kKeyRole, B(folder));
  node->setIcon(0, CategoryIcon());
  tree_->addTopLevelItem(node);
  return node;
}

QTreeWidgetItem* LibraryTree::AddLibraryNode(QTreeWidgetItem* category, const std::string& srcPath,
                                             const std::string& key, const std::string& name) {
  if (!category) return nullptr;
  // The node shows the bare name until the next build or page load gives it its count.
  auto* node = new QTreeWidgetItem({Q(name)});
  node->setData(0, kKindRole, static_cast<int>(LibNodeKind::Library));
  node->setData(0, kKeyRole, B(key));
  node->setData(0, kSrcRole, B(srcPath));
  node->setIcon(0, LibraryIcon());
  category->addChild(node);
  return node;
}

void LibraryTree::CollapseAll() {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) tree_->topLevelItem(i)->setExpanded(false);
}

void LibraryTree::ExpandAll() {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) tree_->topLevelItem(i)->setExpanded(true);
}

}  // namespace glimmora
