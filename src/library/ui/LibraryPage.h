#pragma once
// The icon libraries page of the main window (FrameL): the library tree with the recent-library
// box and the icon clipboard on the left, the keyword search, the library's icons and the keyword
// of the selected icon on the right, the status panels along the bottom. Two splitters share the
// page between the panes; they resize the panes when the mouse is released, and no pane can be
// dragged below its minimum size.
//
// The page's behaviour (filling the tree and the lists, the commands) is the LibraryController it
// owns; the page itself lays the controls out and keeps their sizes.

#include <array>

#include "settings/AppState.h"
#include "library/ui/LibraryPageList.h"
#include "shared/ui/MainPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeWidget;

namespace glimmora {

class LibraryController;

class LibraryPage : public MainPage {
  Q_OBJECT
 public:
  explicit LibraryPage(AppState& state, QWidget* parent = nullptr);
  ~LibraryPage() override;

  void StorePaneSizes(PaneSizes& sizes) const override;

  // The stored tree size, judged by the page's current size. The window reaches its final size
  // only after it is first shown (a window manager maximises it later), so the stored size is
  // applied again at every resize until the user moves that splitter.
  void ApplyStoredSizes();
  bool SizesApplied() const { return sizesApplied_; }

  QTreeWidget* TreeViewL() const { return treeViewL_; }
  QComboBox* ImageComboLRD() const { return imageComboLRD_; }
  LibraryPageList* ListViewIcoClipboard() const { return listViewIcoClipboard_; }
  LibraryPageList* ListViewLIco() const { return listViewLIco_; }
  QComboBox* ComboLKeyword() const { return comboLKeyword_; }
  QPushButton* CommandSearchKeyword() const { return commandSearchKeyword_; }
  QLineEdit* TextSelIcoKeyword() const { return textSelIcoKeyword_; }
  QPushButton* CommandSaveKeyword() const { return commandSaveKeyword_; }
  QLabel* StatusPanel(int n) const;  // n = 1..3
  QToolButton* PictureGrp(int i) const { return pictureGrp_[static_cast<std::size_t>(i & 1)]; }
  QProgressBar* ProgressBarLib() const { return progressBarLib_; }
  QSplitter* FrameLMOve(int i) const { return i == 0 ? splitColumns_ : splitLeft_; }
  LibraryController* Controller() const { return controller_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  AppState& state_;
  QTreeWidget* treeViewL_;
  QComboBox* imageComboLRD_;
  LibraryPageList* listViewIcoClipboard_;
  LibraryPageList* listViewLIco_;
  QLabel* labelSearchKeyword_;
  QComboBox* comboLKeyword_;
  QPushButton* commandSearchKeyword_;
  QLabel* labelSelIcoKeyword_;
  QLineEdit* textSelIcoKeyword_;
  QPushButton* commandSaveKeyword_;
  std::array<QLabel*, 3> statusPanels_{};
  std::array<QToolButton*, 2> pictureGrp_{};
  QProgressBar* progressBarLib_;
  QSplitter* splitColumns_;  // FrameLMOve(0): left column | right column
  QSplitter* splitLeft_;     // FrameLMOve(1): tree and recent box / icon clipboard
  bool sizesApplied_ = false;
  bool widthMoved_ = false;   // the user has moved the splitter beside the tree
  bool heightMoved_ = false;  // ... the one under it
  ShownPaneSize shownWidth_;
  ShownPaneSize shownHeight_;
  LibraryController* controller_ = nullptr;
};

}  // namespace glimmora
