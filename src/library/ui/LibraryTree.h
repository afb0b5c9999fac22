#pragma once
// The library tree (TreeViewL): a node per category folder, a child per library, each with its
// picture. Nodes carry what they stand for in data roles (the category's folder, the library's
// index file), so commands find a library by its file and never by the node's place or text.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "text/LanguageTable.h"
#include "library/LibCatalog.h"

class QIcon;
class QTreeWidget;
class QTreeWidgetItem;

namespace glimmora {

enum class LibNodeKind { None = 0, Category = 1, Library = 2 };

class LibraryTree : public QObject {
  Q_OBJECT
 public:
  static constexpr int kKindRole = 0x0100 + 11;  // Qt::UserRole + 11
  static constexpr int kKeyRole = 0x0100 + 12;   // category: its folder; library: its LibKey
  static constexpr int kSrcRole = 0x0100 + 13;   // library: its index file

  LibraryTree(QTreeWidget* tree, std::string iconLibDir, const LanguageTable& lang, QObject* parent = nullptr);

  QTreeWidget* Widget() const { return tree_; }
  const std::string& IconLibDir() const { return iconLibDir_; }

  // Builds the tree again from the folders. The node selected before (found again by its folder
  // or file, else by its place) stays selected with its expanded state; with none before, the
  // first category is selected and opened. `progress` gets 5..105.
  void ResetTreeViewL(const std::function<void(int)>& progress = {});

  static LibNodeKind Kind(const QTreeWidgetItem* item);
  static std::string Key(const QTreeWidgetItem* item);
  static std::string SrcPath(const QTreeWidgetItem* item);
  QTreeWidgetItem* Selected() const;
  // The category node of a node (itself for a category).
  static QTreeWidgetItem* CategoryOf(QTreeWidgetItem* item);

  QTreeWidgetItem* FindLibrary(const std::string& srcPath) const;
  QTreeWidgetItem* FindCategory(const std::string& folder) const;
  // Every node in tree order.
  std::vector<QTreeWidgetItem*> Nodes() const;
  // The keys of every node (one key space: categories' folders, libraries' keys).
  std::vector<std::string> NodeKeys() const;
  // Selects a node, expanding its category and scrolling it into view.
  void Select(QTreeWidgetItem* item);

  // A library's node text after its count changed.
  void SetLibraryCount(const std::string& srcPath, int count);

  // Adds a node made by the library manager; returns it.
  QTreeWidgetItem* AddCategoryNode(const std::string& folder, const std::string& name);
  QTreeWidgetItem* AddLibraryNode(QTreeWidgetItem* category, const std::string& srcPath, const std::string& key,
                                  const std::string& name);

  void CollapseAll();
  void ExpandAll();

  QIcon CategoryIcon() const;
  QIcon LibraryIcon() const;

 private:
  QTreeWidget* tree_;
  std::string iconLibDir_;
  const LanguageTable& lang_;
};

// A tree picture file as a 16 x 16 icon; a null icon when it cannot be read.
QIcon TreePictureIcon(const std::string& icoPath);

}  // namespace glimmora
