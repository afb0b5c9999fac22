#include "source/ui/IconPane.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "text/AsciiCase.h"
#include "files/FileBytes.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "scan/IconScanner.h"
#include "save/SaveIconFromSource.h"
#include "platform/PictureFiles.h"
#include "shared/IconSelection.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/ListRowIcons.h"
#include "shared/ui/ListViews.h"
#include "shared/ui/PaneShade.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/QtText.h"
#include "source/ui/IconListModel.h"
#include "shared/ui/Preview.h"

namespace glimmora {
namespace {

constexpr int kProgressMax = 110;
constexpr int kProgressAfterScan = 105;
// One move into the icon clipboard takes at most this many files out of the file list.
constexpr int kMovedFilesLimit = 50;
// Pictures larger than this are not previewed at real size: the window would not fit a screen.
constexpr int kLargestPreview = 1024;
constexpr std::size_t kLargestIcoPreviewBytes = 4 * 1024 * 1024;

// The page's progress bar fed by the scan. The scan does not yield, so each change is painted at
// once.
class BarProgress : public ScanProgress {
 public:
  explicit BarProgress(QProgressBar* bar) : bar_(bar) {}
  void ShowProgress() override {
    if (bar_ != nullptr) bar_->show();
  }
  void SetProgressValue(int value) override {
    if (bar_ == nullptr) return;
    bar_->setValue(std::clamp(value, 0, kProgressMax));
    if (bar_->isVisible()) bar_->repaint();
  }
  void HideProgress() override {
    if (bar_ != nullptr) bar_->hide();
  }

 private:
  QProgressBar* bar_;
};

// Collects the listed icons, so that the model is filled once, with the views detached from the
// changes until then.
class RowCollector : public FoundIconSink {
 public:
  void AddFoundIcon(const FoundIconItem& item) override {
    IconRow row;
    row.Text = item.text;
    row.Key = item.key;
    row.Position = item.position;
    row.ImageSize = item.imageSize;
    row.FileBytes = item.imageSize + 22;
    row.Columns = item.columns;
    row.Ico = item.icoFile;
    if (item.icoFile.size() >= 22 + 40) {
      const std::uint8_t* h = item.icoFile.data() + 22;
      row.Width = static_cast<std::int16_t>(h[4] | (h[5] << 8));
      row.Height = static_cast<std::int16_t>(h[8] | (h[9] << 8)) / 2;
      row.BitCount = h[14] | (h[15] << 8);
    }
    row.Image = IcoFileToImage(row.Ico);
    row.Icon = ListRowIcon(row.Image);
    Rows.push_back(std::move(row));
    Status = item.statusText;
  }
  std::vector<IconRow> Rows;
  std::string Status;
};

}  // namespace

IconPane::IconPane(IconPaneEnv env, QWidget* parent) : QWidget(parent), env_(std::move(env)) {
  BuildLayout();
  SelectIco();
  ApplyPageControls();
}

IconPane::~IconPane() { delete preview_; }

void IconPane::BuildLayout() {
  setObjectName("ListViewPictPane");
  InstallListAccessibility();
  const LanguageTable& lang = *env_.Lang;
  model_ = new IconListModel(this);
  for (int c = 0; c < 5; ++c) model_->SetHeader(c, Q(lang.Row(kRowIconColumnName + c)));
  model_->SetTooltip([this](const IconRow& row) {
    return Q(IconItemTooltip(view_ == ListViewMode::Report, row.Text, row.Columns[0], row.Columns[1], *env_.Lang));
  });

  report_ = new QTreeView;
  report_->setObjectName("ListViewPictReport");
  list_ = new QListView;
  list_->setObjectName("ListViewPictList");
  large_ = new QListView;
  large_->setObjectName("ListViewPictIcons");
  // The stack carries the control's name, so that focus in any of the three views counts as the
  // icon pane and the frame focuses whichever view is shown.
  views_ = new QStackedWidget;
  views_->setObjectName("ListViewPict");
  BuildListViews(views_, {report_, list_, large_}, model_, QAbstractItemView::ExtendedSelection, QSize(96, 64));
  report_->setIconSize(QSize(16, 16));
  for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{report_, list_, large_}) {
    SetControlName(v, lang.Row(kRowFoundIconsName));
    v->installEventFilter(this);
    v->viewport()->installEventFilter(this);
    connect(v, &QAbstractItemView::pressed, this, &IconPane::OnPressed);
    // Installed after the pane's own filter, so it runs first: the shade changes before the
    // focus is told.
    ShadeByFocus(v);
  }
  connect(report_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SelectIco(); });
  views_->setCurrentIndex(static_cast<int>(view_));

  ownProgress_ = new QProgressBar;
  ownProgress_->setRange(0, kProgressMax);
  ownProgress_->setTextVisible(false);
  ownProgress_->setMaximumHeight(12);
  ownProgress_->hide();
  progress_ = ownProgress_;

  auto* bar = new QWidget;
  auto* barLayout = new QHBoxLayout(bar);
  barLayout->setContentsMargins(0, 0, 0, 0);
  barLayout->setSpacing(2);
  for (int i = 0; i < 2; ++i) {
    arrows_[i] = new QToolButton;
    arrows_[i]->setObjectName(i == 0 ? "PictureGrp1_0" : "PictureGrp1_1");
    arrows_[i]->setArrowType(i == 0 ? Qt::LeftArrow : Qt::RightArrow);
    arrows_[i]->setAutoRaise(true);
    arrows_[i]->setFocusPolicy(Qt::NoFocus);
    // A picture only: the tooltip and a screen reader say which way it turns.
    arrows_[i]->setToolTip(Q(lang.Row(kRowPreviousPageButton + i)));
    SetControlName(arrows_[i], lang.Row(kRowPreviousPageButton + i));
    connect(arrows_[i], &QToolButton::clicked, this, [this, i] { TurnIconPage(i); });
    barLayout->addWidget(arrows_[i]);
  }
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel;
    panels_[i]->setObjectName(QString("StatusBarSico_%1").arg(i + 1));
    panels_[i]->setFrameShape(QFrame::StyledPanel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    barLayout->addWidget(panels_[i], i == 0 ? 0 : 1);
  }
  panels_[0]->setMinimumWidth(24);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(views_, 1);
  layout->addWidget(ownProgress_);
  layout->addWidget(bar);

  preview_ = new RealSizePreview(nullptr);
}

void IconPane::SetProgressBar(QProgressBar* bar) {
  progress_ = bar != nullptr ? bar : ownProgress_;
  if (bar != nullptr) {
    bar->setRange(0, kProgressMax);
    ownProgress_->hide();
  }
}

QLabel* IconPane::StatusPanel(int n) const { return n >= 1 && n <= 3 ? panels_[n - 1] : nullptr; }

QAbstractItemView* IconPane::CurrentView() const {
  switch (view_) {
    case ListViewMode::Report: return report_;
    case ListViewMode::List: return list_;
    case ListViewMode::LargeIcons: break;
  }
  return large_;
}

void IconPane::SetViewMode(ListViewMode view) {
  view_ = view;
  ShowListView(views_, view);
}

const Clock& IconPane::Time() const { return env_.Time != nullptr ? *env_.Time : systemClock_; }

// ----- search and pages -------------------------------------------------------------------------

void IconPane::FillFromScan(const ScanRequest& request, bool firstMod, ScanResult* result) {
  RowCollector rows;
  BarProgress progress(progress_);
  ScanServices services{*env_.Lang, *env_.Ask, &rows, &progress};
  ScanRequest r = request;
  r.FirstMod = firstMod;
  r.pattern = env_.Pattern;
  r.NostanAns = IcoDir().NostanAns;
  if (progress_ != nullptr) progress_->setValue(1);
  {
    BusyCursor wait;
    *result = SearchIconInFile(r, services);
  }
  model_->SetRows(std::move(rows.Rows));
  panels_[1]->setText(Q(rows.Status));
  if (result->status != ScanStatus::Done) {
    // A file that cannot be opened or read to its end is said so, never passed over as "no icons".
    std::string text = env_.Lang->Row(kRowSourceUnreadable) + "\n" + result->SourceFile;
    if (result->failure) text += "\n" + ReasonText(*env_.Lang, result->failure->sysErrno);
    env_.Ask->Tell(text, kRowSourceUnreadable, PromptIcon::Warning);
  }
}

void IconPane::ShowPictureIcon(const std::string& folder, const std::string& fileName, PictureToIconResult& made) {
  ApplyPictureIcon(page_, folder, fileName);
  pictureIcon_.Ico = std::move(made.Ico);
  pictureIcon_.Picture = std::move(made.Picture);
  IconRow row;
  row.Text = made.Item.DisplayName;
  row.Key = made.Item.Key;
  row.Ico = pictureIcon_.Ico;
  row.Columns = made.Item.Columns;
  row.FileBytes = static_cast<std::int64_t>(row.Ico.size());
  if (const auto decoded = DecodeIcoFile(row.Ico)) {
    row.Width = decoded->onWhite.Width();
    row.Height = decoded->onWhite.Height();
    row.BitCount = decoded->bitCount;
    row.Image = IconToImage(*decoded);
    row.Icon = ListRowIcon(row.Image);
  }
  std::vector<IconRow> rows;
  rows.push_back(std::move(row));
  model_->SetRows(std::move(rows));
}

FoundIcons IconPane::SearchIcon(const std::string& folder, const std::string& fileName) {
  FoundIcons found;
  // One search at a time, and none while the picture tool is open for another file.
  if (searching_ || saving_ || PictureToolOpen()) return found;
  searching_ = true;
  model_->SetHeader(0, Q(SearchingHeading(*env_.Lang)));
  EmptyPane();
  PictureToIconResult picture;
  if (env_.Pictures != nullptr) {
    PictureToIconRequest request;
    request.Mode = PictureMode::Search;
    request.FolderPath = folder;
    request.FileName = fileName;
    request.TrPictAns = env_.Params->SaveFileDir.TrPictAns;
    request.MaskColorAns = IcoDir().MaskColorAns;
    // The tool offers its abort button whenever several files are ticked, however it was opened.
    request.ShowAbort = files_ != nullptr && AbortButtonVisible(false, CheckedFileCount(files_->ListedFiles()));
    picture = env_.Pictures->PictureToIcon(request);
  }
  std::string pictureStatus;
  switch (picture.Outcome) {
    case PictureOutcome::Made:
      pictureStatus = picture.Item.StatusText;
      ShowPictureIcon(folder, fileName, picture);
      break;
    case PictureOutcome::Cancelled:
      // The tool was closed without an icon: the pane stays empty, and the picture is not scanned.
      pictureIcon_ = PaneIconFromPicture{};
      ApplyPictureIcon(page_, folder, fileName, false);
      break;
    case PictureOutcome::Busy:
      ApplyHeading();
      searching_ = false;
      SelectIco();
      return found;
    case PictureOutcome::NotPicture:
    case PictureOutcome::Declined: {
      pictureIcon_ = PaneIconFromPicture{};
      ScanResult result;
      FillFromScan(NewFileScanRequest(folder, fileName), true, &result);
      ApplyNewFileScan(page_, folder, fileName, result);
      found.HasColumnTexts = true;
      found.Icons = IconCountColumn(result.IcoCount);
      if (env_.TypeNames != nullptr)
        found.Details = FormatFoundIconTypes(result.IcoTypeCount, *env_.TypeNames, *env_.Lang);
      break;
    }
  }
  if (picture.Converted) {
    found.PictureToolOpened = true;
    found.HasColumnTexts = true;
    found.Icons = IconCountColumn(0);
  }
  if (progress_ != nullptr) progress_->setValue(kProgressAfterScan);
  ApplyHeading();
  ApplyPageControls();
  if (progress_ != nullptr) {
    progress_->setValue(kProgressMax);
    progress_->hide();
  }
  searching_ = false;
  SelectIco();
  if (!pictureStatus.empty()) panels_[1]->setText(Q(pictureStatus));
  return found;
}

bool IconPane::PictureToolOpen() const { return env_.Pictures != nullptr && env_.Pictures->DispPictBusy(); }

void IconPane::RunPageSearch() {
  searching_ = true;
  model_->SetHeader(0, Q(SearchingHeading(*env_.Lang)));
  EmptyPane();
  ScanResult result;
  FillFromScan(PageScanRequest(page_), false, &result);
  ApplyHeading();
  if (progress_ != nullptr) {
    progress_->setValue(kProgressMax);
    progress_->hide();
  }
  searching_ = false;
  SelectIco();
}

void IconPane::TurnIconPage(int index) {
  if (searching_ || saving_) return;
  CurrentView()->setFocus();
  if (TurnPage(page_, index == 1 ? 1 : -1)) RunPageSearch();
  ApplyPageControls();
  CurrentView()->setFocus();
}

void IconPane::LayOutColumns() {
  const double wp = std::max(1, report_->width());
  const double shares[] = {2.9, 6, 5.6, 6.8, 8.2};
  for (int c = 0; c < 5; ++c) report_->setColumnWidth(c, static_cast<int>(wp / shares[c]));
}

void IconPane::ApplyHeading() {
  columnsLaidOut_ = true;  // from the first search on, the columns are the user's and the pages'
  const NameHeading h = NameColumnHeading(page_, *env_.Lang);
  model_->SetHeader(0, Q(h.Text));
  report_->setColumnWidth(0, h.WidthPx);
}

void IconPane::ApplyPageControls() {
  const PageControls c = PageControlsFor(page_);
  arrows_[0]->setVisible(c.ArrowsVisible);
  arrows_[1]->setVisible(c.ArrowsVisible);
  arrows_[0]->setEnabled(c.PrevEnabled);
  arrows_[1]->setEnabled(c.NextEnabled);
  emit PageControlsChanged();
}

void IconPane::EmptyPane() {
  model_->Clear();
  panels_[1]->clear();
  panels_[2]->clear();
}

void IconPane::ClearListViewPict() {
  EmptyPane();
  // Emptied from outside (another folder, a collapse, files moved away), the pane shows no file:
  // no page of it to name in the heading and none to turn to.
  if (!page_.HasFile()) return;
  page_ = IconPageState{};
  pictureIcon_ = PaneIconFromPicture{};
  ApplyHeading();
  ApplyPageControls();
}

// ----- status and selection ---------------------------------------------------------------------

std::vector<int> IconPane::SelectedRows() const {
  std::vector<int> rows;
  const QItemSelectionModel* sel = report_->selectionModel();
  for (int r = 0; r < model_->rowCount(); ++r) {
    if (sel->isSelected(model_->index(r, 0))) rows.push_back(r);
  }
  return rows;
}

void IconPane::SetSelectedRows(const std::vector<int>& rows) {
  QItemSelection selection;
  for (int r : rows) {
    if (r >= 0 && r < model_->rowCount()) selection.select(model_->index(r, 0), model_->index(r, 4));
  }
  report_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int IconPane::FocusedRow() const {
  const QItemSelectionModel* sel = report_->selectionModel();
  const QModelIndex current = sel->currentIndex();
  if (current.isValid() && sel->isSelected(model_->index(current.row(), 0))) return current.row();
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

void IconPane::SelectIco() {
  std::vector<std::int64_t> bytes;
  std::vector<bool> selected(static_cast<std::size_t>(model_->rowCount()), false);
  for (const IconRow& row : model_->Rows()) bytes.push_back(row.FileBytes);
  for (int r : SelectedRows()) selected[static_cast<std::size_t>(r)] = true;
  status_ = ComputeIconPaneStatus(bytes, selected, *env_.Lang);
  panels_[1]->setText(Q(status_.Panel2));
  panels_[2]->setText(Q(status_.Panel3));
  emit StatusChanged();
}

void IconPane::SelSomeIco(int acSize, int acColor) {
  std::vector<IconFacts> facts;
  for (const IconRow& row : model_->Rows()) facts.push_back({row.Width, row.Height, row.BitCount});
  std::vector<bool> selected(facts.size(), false);
  for (int r : SelectedRows()) selected[static_cast<std::size_t>(r)] = true;
  selected = glimmora::SelSomeIco(facts, selected, acSize, acColor);
  std::vector<int> rows;
  for (std::size_t i = 0; i < selected.size(); ++i) {
    if (selected[i]) rows.push_back(static_cast<int>(i));
  }
  SetSelectedRows(rows);
  SelectIco();
}

void IconPane::SelectAllIcons() {
  std::vector<int> rows(static_cast<std::size_t>(model_->rowCount()));
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  SetSelectedRows(rows);
  SelectIco();
}

void IconPane::CancelIconSelection() {
  report_->selectionModel()->clearSelection();
  SelectIco();
}

void IconPane::InvertSelection() {
  std::vector<bool> selected(static_cast<std::size_t>(model_->rowCount()), false);
  for (int r : SelectedRows()) selected[static_cast<std::size_t>(r)] = true;
  std::vector<int> rows;
  for (std::size_t i = 0; i < selected.size(); ++i) {
    if (!selected[i]) rows.push_back(static_cast<int>(i));
  }
  SetSelectedRows(rows);
  SelectIco();
}

void IconPane::DeleteSelectedIcons() {
  model_->RemoveRows(SelectedRows());
  SelectIco();
}

// ----- saving -----------------------------------------------------------------------------------

std::vector<PaneIcon> IconPane::PaneIcons() const {
  std::vector<PaneIcon> items;
  const std::vector<int> selected = SelectedRows();
  for (int r = 0; r < model_->rowCount(); ++r) {
    const IconRow& row = model_->Row(r);
    items.push_back({row.Text, row.Position, row.ImageSize, std::binary_search(selected.begin(), selected.end(), r)});
  }
  return items;
}

IconClipboardState IconPane::ClipboardState() const {
  if (clip_ != nullptr) return clip_->ClipboardState();
  return ReadIconClipboardFolder(JoinPath(env_.AppPath, "IconClipBoard"));
}

SaveRunEnv IconPane::RunEnv() {
  return SaveRunEnv{*env_.Lang, *env_.Ask, Time(), env_.Keys, env_.AppPath, env_.AppTitle,
                    [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }};
}

void IconPane::SaveIcotoIcoBmp(int sizeSel, SaveSource mmod, SaveFormat icoBmp, bool allIco, bool toIconClipboard) {
  SaveRun(sizeSel, mmod, icoBmp, allIco, toIconClipboard, false);
}

bool IconPane::SaveRun(int sizeSel, SaveSource mode, SaveFormat icoBmp, bool allIco, bool toIconClipboard,
                       bool useNow) {
  if (saving_ || searching_) return false;
  saving_ = true;
  bool clean = true;
  BusyCursor wait;
  if (mode == SaveSource::Pane) {
    std::vector<PaneIcon> items = PaneIcons();
    if (!items.empty()) {
      PaneSaveRequest r;
      r.SizeSel = sizeSel;
      r.IcoBmp = icoBmp;
      r.AllIco = allIco;
      r.ToIconClipboard = toIconClipboard;
      r.UseNow = useNow;
      r.Rec = IcoDir();
      r.CurrentFolder = files_ != nullptr && !files_->CurrentFolder().empty() ? files_->CurrentFolder() : page_.Folder;
      r.SourceFile = page_.SourceFile;
      r.SourceIsPict = page_.SourceIsPict;
      r.PictureIco = pictureIcon_.Ico;
      r.Picture = pictureIcon_.Picture.Empty() ? nullptr : &pictureIcon_.Picture;
      if (toIconClipboard) r.Clip = ClipboardState();
      const SaveRunOutcome out = SaveIconsFromPane(items, r, RunEnv());
      clean = !out.Cancelled && out.Errors.Count == 0;
      std::vector<int> rows;
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].Selected) rows.push_back(static_cast<int>(i));
      }
      SetSelectedRows(rows);
      if (!out.TreeFolder.empty()) {
        if (files_ != nullptr) files_->AddPathToTree(out.TreeFolder);
        emit FolderMade(Q(out.TreeFolder));
      }
    }
  } else if (files_ != nullptr) {
    FilesSaveRequest r;
    r.IcoBmp = icoBmp;
    r.AllIco = allIco;
    r.ToIconClipboard = toIconClipboard;
    r.UseNow = useNow;
    r.Rec = env_.Params->SaveFileDir;
    if (toIconClipboard) r.Clip = ClipboardState();
    r.TypeNames = env_.TypeNames;
    r.SetChecked = setChecked_;
    r.Pictures = env_.Pictures;
    r.MaskColorAns = IcoDir().MaskColorAns;
    BarProgress progress(progress_);
    r.Progress = &progress;
    const FilesSaveOutcome out = SaveIconsOfCheckedFiles(*files_, r, RunEnv());
    clean = !out.Cancelled && out.Errors.Count == 0;
    if (progress_ != nullptr) progress_->hide();
  } else {
    clean = false;
  }
  saving_ = false;
  SelectIco();
  // The pane's status switches the shared buttons too; a run over the checked files ends with
  // the file list's, so its delete, select and save buttons stay as the checks say.
  if (mode == SaveSource::File && files_ != nullptr) files_->SelectIcoSourceIco();
  return clean;
}

void IconPane::SaveIconsWithDefaults() {
  const SaveDirRec& rec = IcoDir();
  if (rec.SaveAs > 1 || rec.SaveSel > 1) return;
  SaveRun(rec.IcoSize, SaveSource::Pane, rec.SaveAs == 1 ? SaveFormat::Bmp : SaveFormat::Ico, rec.SaveSel == 1, false,
          true);
}

void IconPane::SaveFileIconsWithDefaults() {
  const SaveDirRec& rec = env_.Params->SaveFileDir;
  if (rec.SaveAs > 1 || rec.SaveSel > 1) return;
  SaveRun(rec.IcoSize, SaveSource::File, rec.SaveAs == 1 ? SaveFormat::Bmp : SaveFormat::Ico, rec.SaveSel == 1, false,
          true);
}

bool IconPane::SaveFileIconsToIconClipboard(int index) {
  const bool clean = SaveRun(0, SaveSource::File, SaveFormat::Ico, index != 0, true, false);
  if (clip_ != nullptr) clip_->RelistIconClipboard();
  emit IconClipboardChanged();
  return clean;
}

void IconPane::MoveFileIconsToIconClipboard(int index) {
  if (files_ == nullptr) return;
  // A full clipboard or the picture tool's abort leaves only the files already saved checked, so
  // only they move. After a failed write nothing moves: a file whose icons did not all reach the
  // clipboard must never be deleted.
  if (SaveFileIconsToIconClipboard(index)) files_->MoveCheckedFilesOut(kMovedFilesLimit);
  ClearListViewPict();
  SelectIco();
}

// ----- clipboards -------------------------------------------------------------------------------

void IconPane::CopyIcotoIcoClipBoard(int sizeSel, bool cutMod) {
  if (model_->rowCount() == 0) return;
  SaveRun(sizeSel, SaveSource::Pane, SaveFormat::Ico, false, true, false);
  if (clip_ != nullptr) clip_->RelistIconClipboard();
  emit IconClipboardChanged();
  if (cutMod) DeleteSelectedIcons();
  CurrentView()->setFocus();
  SelectIco();
}

void IconPane::CopyIcotoSysClipBoard(int sizeSel, bool cutMod) {
  PutOnSystemClipboard(nullptr);
  const int row = FocusedRow();
  if (row < 0 || saving_ || searching_) return;
  const IconRow& item = model_->Row(row);
  SaveFromSourceRequest r;
  r.SizeSel = sizeSel;
  r.FilePos = item.Position;
  r.ImageSize = item.ImageSize;
  r.TargetDir = "CopytoSysClipboard";
  r.TargetName = "CopytoSysClipboard";
  r.IcoBmp = SaveFormat::Bmp;
  r.ToSysClipboard = true;
  r.mask = MaskAnswer::No;
  r.SourceFile = page_.SourceFile;
  r.SourceIsPict = page_.SourceIsPict;
  r.pictureIco = pictureIcon_.Ico;
  r.picture = pictureIcon_.Picture.Empty() ? nullptr : &pictureIcon_.Picture;
  const IconWriteResult result = SaveIconFromSource(r, *env_.Ask, *env_.Lang);
  if (result.clipboard)
    PutOnSystemClipboard(&*result.clipboard, result.clipboardAlpha ? &*result.clipboardAlpha : nullptr);
  if (cutMod) {
    model_->RemoveRows({row});
    SelectIco();
  }
}

// ----- preview and events -----------------------------------------------------------------------

void IconPane::ShowRealSizePreview(int row, QPoint globalPos) {
  if (!realSizeReq_ || row < 0 || row >= model_->rowCount()) return;
  const IconRow& item = model_->Row(row);
  QImage image = item.Image.isNull() ? IcoFileToImage(item.Ico) : item.Image;
  if (image.isNull()) return;
  preview_->ShowImage(image, PreviewList::IconPane, globalPos);
  realSizeReq_ = false;
}

void IconPane::ShowFilePreview(const std::string& filePath) {
  QImage image;
  if (filePath.size() > 4 && EndsWithIgnoringCase(filePath, ".ico")) {
    if (const auto bytes = ReadFileBytes(filePath, kLargestIcoPreviewBytes)) image = IcoFileToImage(*bytes);
  } else {
    image = SmallPictureImage(filePath, kLargestPreview);
  }
  if (image.isNull()) return;
  preview_->ShowImage(image, PreviewList::FileList, QCursor::pos());
}

void IconPane::HidePreview() {
  realSizeReq_ = false;
  preview_->hide();
}

void IconPane::OnPressed(const QModelIndex& index) {
  if (!index.isValid()) return;
  SelectIco();
  if (realSizeReq_) ShowRealSizePreview(index.row(), pressPos_);
}

bool IconPane::eventFilter(QObject* watched, QEvent* event) {
  const bool isViewport = watched == report_->viewport() || watched == list_->viewport() ||
                          watched == large_->viewport();
  if (watched == report_ && event->type() == QEvent::Resize && !columnsLaidOut_) {
    // Until the pane is first filled, its report columns share out the pane's width as the page
    // settles into its size.
    LayOutColumns();
  } else if (isViewport && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    realSizeReq_ = mouse->button() == Qt::LeftButton;
    pressPos_ = mouse->globalPosition().toPoint();
    if (mouse->button() == Qt::RightButton) {
      // After the view has moved the selection to the pressed item.
      QMetaObject::invokeMethod(this, [this] { emit PopupRequested(Pane::ListViewPict); }, Qt::QueuedConnection);
    }
  } else if (isViewport && event->type() == QEvent::MouseButtonRelease) {
    HidePreview();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace glimmora
