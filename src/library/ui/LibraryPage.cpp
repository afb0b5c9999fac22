#include "library/ui/LibraryPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "text/LangRows.h"
#include "library/LibraryLayout.h"
#include "library/ui/LibraryController.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/PaneShade.h"
#include "shared/ui/QtText.h"

namespace glimmora {
namespace {

std::string ControlText(std::string_view control, int index, bool tooltip,
                        const LanguageTable& lang) {
  for (const ControlCaption& c : ControlCaptions())
    if (c.control == control && c.index == index && c.tooltip == tooltip) return lang.Row(c.row);
  return {};
}

}  // namespace

LibraryPage::LibraryPage(AppState& state, QWidget* parent)
    : MainPage(parent),
      state_(state),
      treeViewL_(new QTreeWidget),
      imageComboLRD_(new QComboBox),
      listViewIcoClipboard_(
          new LibraryPageList("ListViewIcoClipboard", ClipboardColumns(), state.LangStr)),
      listViewLIco_(new LibraryPageList("ListViewLIco", LibIcoColumns(), state.LangStr)),
      labelSearchKeyword_(new QLabel),
      comboLKeyword_(new QComboBox),
      commandSearchKeyword_(new QPushButton),
      labelSelIcoKeyword_(new QLabel),
      textSelIcoKeyword_(new QLineEdit),
      commandSaveKeyword_(new QPushButton),
      progressBarLib_(new QProgressBar),
      splitColumns_(new QSplitter(Qt::Horizontal)),
      splitLeft_(new QSplitter(Qt::Vertical)) {
  setObjectName("FrameL");
  const LanguageTable& lang = state.LangStr;

  treeViewL_->setObjectName("TreeViewL");
  treeViewL_->setHeaderHidden(true);
  imageComboLRD_->setObjectName("ImageComboLRD");
  imageComboLRD_->setEditable(true);
  imageComboLRD_->setFixedHeight(TwipsToPixels(kRecentBoxHeight) + 4);
  // Lists and boxes are shaded by their focus; the tree keeps its colour.
  ShadeByFocus(imageComboLRD_);

  auto* treeBox = new QWidget;
  auto* treeLayout = new QVBoxLayout(treeBox);
  treeLayout->setContentsMargins(0, 0, 0, 0);
  treeLayout->setSpacing(2);
  treeLayout->addWidget(treeViewL_, 1);
  treeLayout->addWidget(imageComboLRD_);
  treeBox->setMinimumHeight(TwipsToPixels(kSplitTopMin));

  ShadeByFocus(listViewIcoClipboard_->ReportView());
  ShadeByFocus(listViewIcoClipboard_->IconView());
  listViewIcoClipboard_->setMinimumHeight(TwipsToPixels(kSplitBottomKeep) - TwipsToPixels(kRecentBoxHeight));
  splitLeft_->setObjectName("FrameLMOve_1");
  splitLeft_->addWidget(treeBox);
  splitLeft_->addWidget(listViewIcoClipboard_);
  // A larger window goes to the clipboard list; the tree keeps the height it was given.
  splitLeft_->setStretchFactor(0, 0);
  splitLeft_->setStretchFactor(1, 1);

  labelSearchKeyword_->setObjectName("LabelSearchKeyword");
  labelSearchKeyword_->setText(Q(ControlText("LabelSearchKeyword", -1, false, lang)));
  comboLKeyword_->setObjectName("ComboLKeyword");
  comboLKeyword_->setEditable(true);
  ShadeByFocus(comboLKeyword_);
  commandSearchKeyword_->setObjectName("CommandSearchKeyword");
  commandSearchKeyword_->setText(Q(ControlText("CommandSearchKeyword", -1, false, lang)));
  labelSelIcoKeyword_->setObjectName("LabelSelIcoKeyword");
  labelSelIcoKeyword_->setText(Q(ControlText("LabelSelIcoKeyword", -1, false, lang)));
  textSelIcoKeyword_->setObjectName("TextSelIcoKeyword");
  ShadeByFocus(textSelIcoKeyword_);
  commandSaveKeyword_->setObjectName("CommandSaveKeyword");
  commandSaveKeyword_->setText(Q(ControlText("CommandSaveKeyword", -1, false, lang)));
  ShadeByFocus(listViewLIco_->ReportView());
  ShadeByFocus(listViewLIco_->IconView());
  // What a screen reader reads for each control: the label beside it, or what the pane holds.
  SetControlName(treeViewL_, lang.Row(kRowLibraryTreeName));
  SetControlName(imageComboLRD_, lang.Row(kRowRecentLibrariesName));
  SetControlName(comboLKeyword_, ControlText("LabelSearchKeyword", -1, false, lang));
  SetControlName(textSelIcoKeyword_, ControlText("LabelSelIcoKeyword", -1, false, lang));
  labelSearchKeyword_->setBuddy(comboLKeyword_);
  labelSelIcoKeyword_->setBuddy(textSelIcoKeyword_);
  for (QWidget* v : std::initializer_list<QWidget*>{listViewLIco_->ReportView(), listViewLIco_->IconView()})
    SetControlName(v, lang.Row(kRowLibraryIconsName));
  for (QWidget* v : std::initializer_list<QWidget*>{listViewIcoClipboard_->ReportView(), listViewIcoClipboard_->IconView()})
    SetControlName(v, lang.Row(kRowIconClipboardName));

  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(4, 0, 0, 0);
  rightLayout->setSpacing(3);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(labelSearchKeyword_);
  searchRow->addWidget(comboLKeyword_, 1);
  searchRow->addWidget(commandSearchKeyword_);
  auto* editRow = new QHBoxLayout;
  editRow->addWidget(labelSelIcoKeyword_);
  editRow->addWidget(textSelIcoKeyword_, 1);
  editRow->addWidget(commandSaveKeyword_);
  rightLayout->addLayout(searchRow);
  rightLayout->addWidget(listViewLIco_, 1);
  rightLayout->addLayout(editRow);
  right->setMinimumWidth(TwipsToPixels(kSplitRightKeep));
  splitLeft_->setMinimumWidth(TwipsToPixels(kSplitLeftMin));

  splitColumns_->setObjectName("FrameLMOve_0");
  splitColumns_->addWidget(splitLeft_);
  splitColumns_->addWidget(right);
  splitColumns_->setStretchFactor(1, 1);
  // The panes are laid out again once, when the splitter is let go; a click without a drag
  // leaves them where they are, and no pane collapses to nothing.
  for (QSplitter* s : {splitColumns_, splitLeft_}) {
    s->setOpaqueResize(false);
    s->setChildrenCollapsible(false);
    s->setHandleWidth(6);
  }
  connect(splitColumns_, &QSplitter::splitterMoved, this, [this] { widthMoved_ = true; });
  connect(splitLeft_, &QSplitter::splitterMoved, this, [this] { heightMoved_ = true; });

  // Status row: three panels of a quarter of the page each, the paging buttons and the progress
  // of library work.
  auto* status = new QWidget;
  status->setObjectName("StatusBarL");
  auto* statusLayout = new QHBoxLayout(status);
  statusLayout->setContentsMargins(0, 2, 0, 0);
  statusLayout->setSpacing(2);
  for (int n = 0; n < 3; ++n) {
    auto* panel = new QLabel;
    panel->setObjectName(Q(StatusPanelKey(n + 1)));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumHeight(TwipsToPixels(270));
    statusPanels_[static_cast<std::size_t>(n)] = panel;
    statusLayout->addWidget(panel);
  }
  for (int i = 0; i < 2; ++i) {
    auto* b = new QToolButton;
    b->setObjectName(QStringLiteral("PictureGrp_%1").arg(i));
    b->setArrowType(i == 0 ? Qt::LeftArrow : Qt::RightArrow);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // As tall as the page's push buttons and half again as wide: a target for the mouse, not a
    // glyph in the status bar.
    const int h = commandSearchKeyword_->sizeHint().height();
    b->setFixedSize(h * 3 / 2, h);
    b->setIconSize(QSize(h / 2, h / 2));
    b->setToolTip(Q(ControlText("PictureGrp", i, true, lang)));
    SetControlName(b, ControlText("PictureGrp", i, true, lang));
    b->hide();
    pictureGrp_[static_cast<std::size_t>(i)] = b;
    statusLayout->addWidget(b);
  }
  progressBarLib_->setObjectName("ProgressBarLib");
  progressBarLib_->setRange(1, 110);
  progressBarLib_->setTextVisible(false);
  progressBarLib_->setMaximumHeight(TwipsToPixels(270));
  progressBarLib_->hide();
  statusLayout->addWidget(progressBarLib_, 1);
  statusLayout->addStretch();

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(2, 2, 2, 2);
  page->setSpacing(2);
  page->addWidget(splitColumns_, 1);
  page->addWidget(status);

  // The tree, the icon clipboard and the pane's status are filled when the page is built.
  controller_ = new LibraryController(*this, state, this);
  controller_->Start();
}

LibraryPage::~LibraryPage() {
  // The controller watches the page's controls: it stops before they go.
  if (controller_) controller_->Detach();
}

QLabel* LibraryPage::StatusPanel(int n) const {
  if (n < 1 || n > 3) return nullptr;
  return statusPanels_[static_cast<std::size_t>(n - 1)];
}

void LibraryPage::resizeEvent(QResizeEvent* event) {
  MainPage::resizeEvent(event);
  for (QLabel* panel : statusPanels_) panel->setFixedWidth(width() / 4);
  if (sizesApplied_) ApplyStoredSizes();
}

void LibraryPage::showEvent(QShowEvent* event) {
  MainPage::showEvent(event);
  // The stored sizes are judged against the page's real size, known after the first layout pass.
  if (!sizesApplied_) QTimer::singleShot(0, this, [this] { ApplyStoredSizes(); });
}

void LibraryPage::ApplyStoredSizes() {
  if (!isVisible()) return;
  sizesApplied_ = true;
  // `inner` gets `px` pixels by giving the splitter's first pane that plus what else it holds.
  auto place = [](QSplitter* s, QWidget* inner, int px) {
    const bool across = s->orientation() == Qt::Horizontal;
    const int first = s->sizes().value(0);
    const int extra = std::max(0, first - (across ? inner->width() : inner->height()));
    const int total = first + s->sizes().value(1);
    s->setSizes({px + extra, std::max(1, total - px - extra)});
  };
  if (!widthMoved_) {
    const int tw = AcceptTreeLWidth(state_.Panes.TreeViewLWidth, splitColumns_->width() * kTwipsPerPixel);
    shownWidth_ = {tw, TwipsToPixels(tw)};
    place(splitColumns_, treeViewL_, shownWidth_.Pixels);
  }
  if (!heightMoved_) {
    const int th = AcceptTreeLHeight(state_.Panes.TreeViewLHeight, splitColumns_->height() * kTwipsPerPixel);
    shownHeight_ = {th, TwipsToPixels(th)};
    place(splitLeft_, treeViewL_, shownHeight_.Pixels);
  }
}

void LibraryPage::StorePaneSizes(PaneSizes& sizes) const {
  if (!sizesApplied_) return;  // never shown: keep what start-up read
  sizes.TreeViewLWidth = PaneTwipsToStore(treeViewL_->width(), shownWidth_);
  sizes.TreeViewLHeight = PaneTwipsToStore(treeViewL_->height(), shownHeight_);
}

}  // namespace glimmora
