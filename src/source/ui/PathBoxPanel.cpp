#include "source/ui/PathBoxPanel.h"

#include <QSignalBlocker>

#include "shared/ui/Accessibility.h"
#include "shared/ui/PaneShade.h"
#include "source/ui/FolderTreeModel.h"
#include "source/ui/SourceViews.h"
#include "text/LangRows.h"

namespace glimmora {

PathBoxPanel::PathBoxPanel(const SourcePanelEnv& env, QObject* parent) : QObject(parent) {
  box_ = new PathBox;
  box_->setObjectName(QStringLiteral("ImageComboPath"));
  SetControlName(box_, env.Lang->Row(kRowFolderPathName));
  ShadePane(box_, false);
  box_->Walk = [this] { emit WalkRequested(); };
  box_->Focus = [this](bool in) { ShadePane(box_, in); };
}

PathBoxPanel::~PathBoxPanel() {
  // The box outlives this object inside the page and reports its focus while it goes.
  box_->Focus = nullptr;
  box_->Walk = nullptr;
}

void PathBoxPanel::SyncPathBox() {
  const QSignalBlocker block(box_);
  box_->clear();
  for (const PathEntry& e : history_.Items) box_->addItem(TreeImageIcon(e.Image), QString::fromStdString(e.Path));
  box_->setCurrentIndex(history_.Selected);
  box_->setEditText(QString::fromStdString(history_.Text));
}

void PathBoxPanel::AddToPathHistory(const std::string& trkey, int image) {
  glimmora::AddToPathHistory(history_, trkey, static_cast<std::int16_t>(image));
  SyncPathBox();
}

std::vector<PathEntry> PathBoxPanel::PathHistory() const { return history_.Items; }

std::string PathBoxPanel::PathText() const { return box_->currentText().toStdString(); }

void PathBoxPanel::SetPathText(const std::string& text) { box_->setEditText(QString::fromStdString(text)); }

void PathBoxPanel::SetPathHistory(const std::vector<PathEntry>& items, const std::string& text) {
  history_.Items = items;
  if (history_.Items.size() > kPathHistoryMax)
    history_.Items.erase(history_.Items.begin(),
                         history_.Items.end() - static_cast<std::ptrdiff_t>(kPathHistoryMax));
  history_.Selected = -1;
  history_.Text = text;
  SyncPathBox();
}

QComboBox* PathBoxPanel::ImageComboPath() const { return box_; }

}  // namespace glimmora
