#pragma once
// The folder tree as a Qt model: a thin view of FolderTree's nodes, told of every change.

#include <QAbstractItemModel>
#include <QIcon>

#include "source/FolderTree.h"

namespace glimmora {

// The picture of a tree image index (3 to 10); also used by the path box's entries.
QIcon TreeImageIcon(int image);

class FolderTreeModel : public QAbstractItemModel, public FolderTreeObserver {
  Q_OBJECT
 public:
  explicit FolderTreeModel(FolderTree& tree, QObject* parent = nullptr);
  ~FolderTreeModel() override;

  QModelIndex IndexOf(int node) const;
  int NodeOf(const QModelIndex& index) const;  // FolderTree::kNone for an invalid index

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  void TreeAboutToReset() override;
  void TreeReset() override;
  void NodesAboutToBeAdded(int parent, int first, int last) override;
  void NodesAdded() override;

 private:
  FolderTree& tree_;
};

}  // namespace glimmora
