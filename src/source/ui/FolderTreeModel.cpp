#include "source/ui/FolderTreeModel.h"

#include <QApplication>
#include <QStyle>

namespace glimmora {

QIcon TreeImageIcon(int image) {
  QStyle* style = QApplication::style();
  switch (image) {
    case kImageMyComputer:
      return style->standardIcon(QStyle::SP_ComputerIcon);
    case kImageRemovable:
      return style->standardIcon(QStyle::SP_DriveFDIcon);
    case kImageFixed:
      return style->standardIcon(QStyle::SP_DriveHDIcon);
    case kImageCdRom:
      return style->standardIcon(QStyle::SP_DriveCDIcon);
    case kImageDocuments:
      return style->standardIcon(QStyle::SP_DirHomeIcon);
    case kImageDesktop:
      return style->standardIcon(QStyle::SP_DesktopIcon);
    case kImageFolder:
      return style->standardIcon(QStyle::SP_DirClosedIcon);
    case kImageFolderOpen:
      return style->standardIcon(QStyle::SP_DirOpenIcon);
    default:
      return {};
  }
}

namespace {

// A folder node shows its selected image while it is selected.
QIcon NodeIcon(const FolderNode& n) {
  static QIcon folder = [] {
    QIcon icon;
    for (const QSize& s : {QSize(16, 16), QSize(32, 32)}) {
      icon.addPixmap(TreeImageIcon(kImageFolder).pixmap(s), QIcon::Normal);
      icon.addPixmap(TreeImageIcon(kImageFolderOpen).pixmap(s), QIcon::Selected);
    }
    return icon;
  }();
  if (n.Image == kImageFolder && n.SelectedImage == kImageFolderOpen) return folder;
  return TreeImageIcon(n.Image);
}

}  // namespace

FolderTreeModel::FolderTreeModel(FolderTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree) {
  tree_.SetObserver(this);
}

FolderTreeModel::~FolderTreeModel() { tree_.SetObserver(nullptr); }

QModelIndex FolderTreeModel::IndexOf(int node) const {
  if (!tree_.Valid(node)) return {};
  return createIndex(tree_.Node(node).Row, 0, static_cast<quintptr>(node));
}

int FolderTreeModel::NodeOf(const QModelIndex& index) const {
  if (!index.isValid()) return FolderTree::kNone;
  return static_cast<int>(index.internalId());
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  const std::vector<int>& list = parent.isValid() ? tree_.Node(NodeOf(parent)).Children : tree_.Roots();
  if (row >= static_cast<int>(list.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(list[static_cast<std::size_t>(row)]));
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
  const int node = NodeOf(child);
  if (!tree_.Valid(node)) return {};
  return IndexOf(tree_.Node(node).Parent);
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  if (!parent.isValid()) return static_cast<int>(tree_.Roots().size());
  const int node = NodeOf(parent);
  return tree_.Valid(node) ? static_cast<int>(tree_.Node(node).Children.size()) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
  const int node = NodeOf(index);
  if (!tree_.Valid(node)) return {};
  const FolderNode& n = tree_.Node(node);
  if (role == Qt::DisplayRole) return QString::fromStdString(n.Text);
  if (role == Qt::DecorationRole) return NodeIcon(n);
  return {};
}

void FolderTreeModel::TreeAboutToReset() { beginResetModel(); }
void FolderTreeModel::TreeReset() { endResetModel(); }
void FolderTreeModel::NodesAboutToBeAdded(int parent, int first, int last) {
  beginInsertRows(IndexOf(parent), first, last);
}
void FolderTreeModel::NodesAdded() { endInsertRows(); }

}  // namespace glimmora
