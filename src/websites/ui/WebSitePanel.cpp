#include "websites/ui/WebSitePanel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "shared/ui/QtText.h"
#include "websites/WebSitePaneSizes.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/PaneShade.h"
#include "websites/ui/WebSiteEditor.h"

namespace glimmora {

namespace {
constexpr int kRecordRole = Qt::UserRole;
constexpr int kStatusHeightPx = 20;  // 300 twips
constexpr int kSplitterBarPx = 7;    // the gap of 105 twips between list and text

// Column keys, header rows and widths as fractions of the list's width: the record number, the
// fields, and a blank column. Together they are wider than the list, which then scrolls sideways.
struct ColumnSpec {
  std::string_view key;
  int row;
  double divisor;
};
constexpr std::array<ColumnSpec, kWebFieldCount + 2> kColumns = [] {
  std::array<ColumnSpec, kWebFieldCount + 2> columns{};
  columns[0] = {"Index", kRowNumberColumn, 12.5};
  for (int i = 0; i < kWebFieldCount; ++i) {
    const WebFieldSpec& f = kWebFields[static_cast<std::size_t>(i)];
    columns[static_cast<std::size_t>(WebColumnOf(i))] = {f.key, f.headerRow, f.listDivisor};
  }
  columns[kWebFieldCount + 1] = {"Space", 0, 10};
  return columns;
}();

}  // namespace

WebSitePanel::WebSitePanel(const LanguageTable& lang, Prompter& prompter, WebOpener& opener,
                         const std::string& appPath, QWidget* parent)
    : QWidget(parent), lang_(lang), prompter_(prompter), opener_(opener),
      store_(WebSiteStore::PathIn(appPath)) {
  setObjectName("WebSitePanel");

  list_ = new QTreeWidget;
  list_->setObjectName("ListViewWebSite");
  SetControlName(list_, lang_.Row(kRowWebSiteListName));
  QStringList headers;
  for (const auto& c : kColumns) headers << (c.row ? Q(lang_.Row(c.row)) : QString());
  list_->setColumnCount(static_cast<int>(kColumns.size()));
  list_->setHeaderLabels(headers);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->header()->setStretchLastSection(false);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->setMinimumHeight(1);
  ShadeByFocus(list_);

  text_ = new QPlainTextEdit;
  text_->setObjectName("TextWebSite");
  SetControlName(text_, lang_.Row(kRowSiteColumnDetails));
  text_->setToolTip(Q(lang_.Row(kRowWebSiteTextTooltip)));
  text_->setMinimumHeight(1);
  ShadeByFocus(text_);

  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->setObjectName("FrameWMOve");
  splitter_->addWidget(list_);
  splitter_->addWidget(text_);
  splitter_->setHandleWidth(kSplitterBarPx);
  splitter_->setChildrenCollapsible(false);
  // A ghost bar follows the mouse; the panes are laid out again when the button is released.
  splitter_->setOpaqueResize(false);

  status_ = new QStatusBar;
  status_->setObjectName("StatusBarW");
  status_->setSizeGripEnabled(false);
  status_->setFixedHeight(kStatusHeightPx);
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QLabel;
    panel->setObjectName(QString("StatusWebSite %1").arg(i + 1));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    status_->addWidget(panel, 1);  // three equal panels
    panels_[static_cast<std::size_t>(i)] = panel;
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 2, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(splitter_, 1);
  layout->addWidget(status_);

  connect(list_, &QTreeWidget::itemClicked, this, [this] {
    if (!HasItems()) return;
    if (QTreeWidgetItem* item = list_->currentItem()) text_->setPlainText(item->text(WebColumnOf(kWebDetail)));
    emit DeleteButtonEnabled();
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSite(); });
  connect(list_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { emit PopupMenuRequested(list_->viewport()->mapToGlobal(at)); });
  connect(splitter_, &QSplitter::splitterMoved, this, [this] { OnSplitterMoved(); });

  LoadList();
}

WebSitePanel::~WebSitePanel() {
  if (editor_) delete editor_.data();
}

WebSiteEditor* WebSitePanel::Editor() const { return editor_.data(); }

bool WebSitePanel::HasItems() const { return list_->topLevelItemCount() > 0; }

QTreeWidgetItem* WebSitePanel::MakeItem(int recordNo, const WebSiteEntry& entry) const {
  auto* item = new QTreeWidgetItem;
  item->setData(0, kRecordRole, recordNo);
  // The record number with the blank that stands for its sign.
  item->setText(0, QString(" %1").arg(recordNo));
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, Qt::Unchecked);
  ShowEntry(item, entry);
  return item;
}

void WebSitePanel::ShowEntry(QTreeWidgetItem* item, const WebSiteEntry& entry) const {
  for (int i = 0; i < kWebFieldCount; ++i) item->setText(WebColumnOf(i), Q(entry.Field(i)));
  // The language is shown with two blanks in front of it.
  item->setText(WebColumnOf(kWebLang), "  " + Q(entry.Lang));
}

WebSiteEntry WebSitePanel::EntryOf(const QTreeWidgetItem* item) const {
  WebSiteEntry e;
  for (int i = 0; i < kWebFieldCount; ++i) e.Field(i) = item->text(WebColumnOf(i)).toStdString();
  const QString shownLang = item->text(WebColumnOf(kWebLang));
  e.Lang = (shownLang.startsWith("  ") ? shownLang.mid(2) : shownLang).toStdString();
  return e;
}

int WebSitePanel::RecordOf(const QTreeWidgetItem* item) const {
  return item ? item->data(0, kRecordRole).toInt() : 0;
}

QTreeWidgetItem* WebSitePanel::ItemOfRecord(int recordNo) const {
  if (recordNo <= 0) return nullptr;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (RecordOf(list_->topLevelItem(i)) == recordNo) return list_->topLevelItem(i);
  return nullptr;
}

void WebSitePanel::LoadList() {
  std::optional<Failure> error;
  bool countMatches = true;
  const auto sites = store_.Get(lang_.CurLang, &error, &countMatches);
  if (error)
    prompter_.Tell(lang_.Row(kRowWebSiteListUnreadable) + "\n" + FaultText(lang_, *error), kRowWebSiteListUnreadable,
                   PromptIcon::Warning);
  if (!countMatches)
    prompter_.Tell(lang_.Row(kRowWebSiteCountMismatch), kRowWebSiteCountMismatch, PromptIcon::Warning);
  if (sites.empty()) return;
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<int>(sites.size()));
  for (const auto& site : sites) items.append(MakeItem(site.RecordNo, site.Fields));
  list_->addTopLevelItems(items);
  list_->setUpdatesEnabled(true);
  list_->setCurrentItem(list_->topLevelItem(0));
  text_->setPlainText(list_->topLevelItem(0)->text(WebColumnOf(kWebDetail)));
}

void WebSitePanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible() && width() > 0 && !columnsSized_) SizeColumns();
  // A page that is built hidden (behind another tab) has no laid-out splitter yet: the saved
  // height is applied once the panel is shown with its real size.
  if (isVisible() && height() > 0 && pendingListHeight_) ApplyListHeight();
}

void WebSitePanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (layout()) layout()->activate();
  if (width() > 0 && !columnsSized_) SizeColumns();
  if (height() > 0 && pendingListHeight_) {
    ApplyListHeight();
  }
}

void WebSitePanel::SizeColumns() {
  const int w = list_->width() > 0 ? list_->width() : width();
  for (std::size_t i = 0; i < kColumns.size(); ++i)
    list_->setColumnWidth(static_cast<int>(i), static_cast<int>(std::lround(w / kColumns[i].divisor)));
  columnsSized_ = true;
}

int WebSitePanel::ListHeightTwips() const {
  // Never shown this run: keep what was saved rather than a height measured on a hidden page.
  if (pendingListHeight_) return *pendingListHeight_;
  return PaneTwipsToStore(list_->height(), shownList_);
}

void WebSitePanel::SetListHeightTwips(int savedTwips) {
  pendingListHeight_ = savedTwips;
  if (isVisible() && height() > 0) ApplyListHeight();
}

void WebSitePanel::ApplyListHeight() {
  const int pageTwips = height() * kTwipsPerPixel;
  const int twips = WebListHeightFromSaved(*pendingListHeight_, pageTwips);
  pendingListHeight_.reset();
  const int listPx = TwipsToPixels(twips);
  shownList_ = {twips, listPx};
  const int total = splitter_->height() - splitter_->handleWidth();
  splitter_->setSizes({listPx, std::max(1, total - listPx)});
}

void WebSitePanel::OnSplitterMoved() {
  const int pageTwips = height() * kTwipsPerPixel;
  const int want = list_->height() * kTwipsPerPixel;
  const int allowed = ClampWebListHeight(want, pageTwips);
  if (allowed == want) return;
  const int listPx = std::max(1, allowed / kTwipsPerPixel);
  const int total = splitter_->height() - splitter_->handleWidth();
  splitter_->setSizes({listPx, std::max(1, total - listPx)});
}

}  // namespace glimmora
