#pragma once
// The path box under the folder tree and the history of folders behind its drop-down list. Enter
// in it, or an entry picked, asks for a walk to the folder; the folder tree does the walking.

#include <QObject>
#include <string>
#include <vector>

#include "settings/Panes.h"
#include "source/PathHistory.h"
#include "source/ui/SourcePanelEnv.h"

class QComboBox;

namespace glimmora {

class PathBox;

class PathBoxPanel : public QObject {
  Q_OBJECT
 public:
  explicit PathBoxPanel(const SourcePanelEnv& env, QObject* parent = nullptr);
  ~PathBoxPanel() override;

  // Puts `trkey` at the end of the history with the tree image `image` of its folder.
  void AddToPathHistory(const std::string& trkey, int image);
  std::vector<PathEntry> PathHistory() const;
  std::string PathText() const;
  void SetPathText(const std::string& text);
  void SetPathHistory(const std::vector<PathEntry>& items, const std::string& text);

  QComboBox* ImageComboPath() const;

 signals:
  void WalkRequested();

 private:
  void SyncPathBox();

  PathBox* box_ = nullptr;
  PathHistoryState history_;
};

}  // namespace glimmora
