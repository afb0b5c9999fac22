#include "picturetool/ui/PictureToolDialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "text/LangRows.h"
#include "text/RowPrompts.h"
#include "picturetool/PictureFit.h"
#include "picturetool/ui/PictureToolViews.h"
#include "platform/BackgroundJob.h"
#include "shared/ui/Accessibility.h"

namespace glimmora {

namespace {

constexpr int kLeftColumnWidth = 190;
constexpr int kMargin = 10;
constexpr int kBottomRows = 96;  // the label row and the button row under the frame
constexpr int kMinFrameSide = 120;
// A load that ends sooner than this shows no loading text, so quick loads do not flicker.
constexpr int kLoadingTextDelayMs = 150;

QString Text(const LanguageTable& lang, int row) { return QString::fromStdString(lang.Row(row)); }

QLabel* WrappedLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

}  // namespace

PictureToolDialog::PictureToolDialog(const LanguageTable& lang, Prompter& prompter, bool showAbort,
                                     QWidget* mainWindow)
    : QDialog(mainWindow), lang_(lang), prompter_(prompter), model_(lang, prompter) {
  setObjectName("FormGetMaskColor");
  setModal(false);
  setWindowModality(Qt::NonModal);

  // The window takes 0.9 of the main window (4:3 at most as tall), within the screen.
  QScreen* screen = mainWindow != nullptr && mainWindow->screen() != nullptr ? mainWindow->screen()
                                                                             : QGuiApplication::primaryScreen();
  const QRect avail = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize mainSize = mainWindow != nullptr ? mainWindow->window()->size() : avail.size();
  const WindowSize size = ToolWindowSize(avail.width(), avail.height(), mainSize.width(), mainSize.height());
  const int frameWidth = std::max(kMinFrameSide, size.width - kLeftColumnWidth - 3 * kMargin);
  const int frameHeight = std::max(
      kMinFrameSide, std::min(static_cast<int>(std::lround(frameWidth * 3.3 / 4)), size.height - kBottomRows));
  model_.SetFrameSize(frameWidth, frameHeight);

  BuildWidgets(showAbort);
  frame1_->setFixedSize(frameWidth, frameHeight);
  ApplyCaptions();
  resize(size.width, size.height);
  // Centred on the screen, a little above the middle.
  move(avail.left() + (avail.width() - size.width) / 2, avail.top() + (avail.height() - size.height) / 2 - 10);
  Refresh();
  formReady_ = true;
}

PictureToolDialog::~PictureToolDialog() = default;

void PictureToolDialog::BuildWidgets(bool showAbort) {
  auto* left = new QVBoxLayout;
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  label2_->setAlignment(Qt::AlignHCenter);
  pictureD_ = new PreviewBox(model_, this);
  left->addWidget(label2_);
  left->addWidget(pictureD_, 0, Qt::AlignHCenter);

  for (int side = 0; side < 2; ++side) {
    auto* row = new QHBoxLayout;
    label3_[side] = new QLabel(this);
    label3_[side]->setObjectName(side == 0 ? "Label3_0" : "Label3_1");
    sizeBars_[side] = new QScrollBar(Qt::Horizontal, this);
    sizeBars_[side]->setObjectName(side == 0 ? "HScrollIcoSize_0" : "HScrollIcoSize_1");
    sizeBars_[side]->setRange(kMinIconSide, kMaxIconSide);
    sizeBars_[side]->setValue(kDefaultIconSide);
    sizeTexts_[side] = new QLineEdit(QString::number(kDefaultIconSide), this);
    sizeTexts_[side]->setObjectName(side == 0 ? "TextIcoSize_0" : "TextIcoSize_1");
    sizeTexts_[side]->setFixedWidth(40);
    row->addWidget(label3_[side]);
    row->addWidget(sizeBars_[side], 1);
    row->addWidget(sizeTexts_[side]);
    left->addLayout(row);
    connect(sizeBars_[side], &QScrollBar::valueChanged, this, [this, side](int v) { SizeScrolled(side, v); });
    connect(sizeTexts_[side], &QLineEdit::textEdited, this, [this, side](const QString& t) { SizeTyped(side, t); });
    connect(sizeTexts_[side], &QLineEdit::editingFinished, this, [this, side] { SizeTypingDone(side); });
  }

  label4_ = new QLabel(this);
  label4_->setObjectName("Label4");
  label4_->setAlignment(Qt::AlignHCenter);
  swatch_ = new QFrame(this);
  swatch_->setObjectName("PictureMaskColor");
  swatch_->setFrameShape(QFrame::Box);
  swatch_->setFixedSize(90, 36);
  swatch_->setAutoFillBackground(true);
  label6_ = new QLabel(swatch_);
  label6_->setObjectName("Label6");
  label6_->setAlignment(Qt::AlignCenter);
  auto* swatchLayout = new QVBoxLayout(swatch_);
  swatchLayout->setContentsMargins(2, 2, 2, 2);
  swatchLayout->addWidget(label6_);
  left->addWidget(label4_);
  left->addWidget(swatch_, 0, Qt::AlignHCenter);
  label5_[0] = WrappedLabel(this, "Label5_0");
  label5_[1] = WrappedLabel(this, "Label5_1");
  left->addWidget(label5_[0]);
  left->addWidget(label5_[1]);
  left->addStretch(1);

  auto* leftBox = new QWidget(this);
  leftBox->setFixedWidth(kLeftColumnWidth);
  leftBox->setLayout(left);

  frame1_ = new QFrame(this);
  frame1_->setObjectName("Frame1");
  frame1_->setFrameShape(QFrame::StyledPanel);
  imageS_ = new PictureView(model_, frame1_);
  imageS_->hide();
  loadingLabel_ = new QLabel(frame1_);
  loadingLabel_->setObjectName("LabelLoading");
  loadingLabel_->setAlignment(Qt::AlignCenter);
  loadingLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  loadingLabel_->hide();

  auto* labels = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    label1_[i] = new QLabel(this);
    label1_[i]->setObjectName(i == 0 ? "Label1_0" : "Label1_1");
    labels->addWidget(label1_[i]);
  }
  label7_ = new QLabel(this);
  label7_->setObjectName("Label7");
  labels->addWidget(label7_);
  labels->addStretch(1);

  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 4; ++i) {
    buttons_[i] = new QPushButton(this);
    buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
    buttons_[i]->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(buttons_[i]);
    connect(buttons_[i], &QPushButton::clicked, this, [this, i] { CommandButtonClicked(i); });
  }
  buttons->addStretch(1);
  buttons_[3]->setVisible(showAbort);

  auto* right = new QVBoxLayout;
  right->addWidget(frame1_);
  right->addLayout(labels);
  right->addLayout(buttons);
  right->addStretch(1);

  auto* top = new QHBoxLayout(this);
  top->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  top->setSpacing(kMargin);
  top->addWidget(leftBox);
  top->addLayout(right, 1);

  connect(imageS_, &PictureView::FrameMoved, this, [this] { Refresh(); });
  connect(imageS_, &PictureView::DragEnded, this, [this] { Refresh(); });
  connect(pictureD_, &PreviewBox::ColourPicked, this, [this] { Refresh(); });
}

void PictureToolDialog::ApplyCaptions() {
  setWindowTitle(Text(lang_, kRowToolTitle));
  label2_->setText(Text(lang_, kRowToolIconPreview));
  label3_[0]->setText(Text(lang_, kRowToolWidth));
  label3_[1]->setText(Text(lang_, kRowToolHeight));
  // The bar and the box of a side are read out by their label.
  for (int side = 0; side < 2; ++side) {
    label3_[side]->setBuddy(sizeTexts_[side]);
    SetControlName(sizeBars_[side], lang_.Row(kRowToolWidth + side));
  }
  label4_->setText(Text(lang_, kRowToolTransparentColor));
  label6_->setText(Text(lang_, kRowToolNonePicked));
  buttons_[0]->setText(Text(lang_, kRowToolMakeIcon));
  buttons_[1]->setText(Text(lang_, kRowToolDefaults));
  buttons_[2]->setText(Text(lang_, kRowToolPasteFromClipboard));
  buttons_[3]->setText(Text(lang_, kRowToolAbortAll));
  label5_[0]->setText(Text(lang_, kRowToolDragHint));
  label5_[1]->setText(Text(lang_, kRowToolPickColorHint));
  loadingLabel_->setText(Text(lang_, kRowPictureLoading));
}

void PictureToolDialog::GetPict(PictSource mmod, const std::string& path) {
  if (mmod == PictSource::File) {
    StartLoad([loader = loader_, path](const std::atomic<bool>& stop) { return loader(path, &stop); }, true);
    return;
  }
  // The clipboard is read here, on the window's thread; only the decoding runs in the background.
  ClipboardPicture clip = TakeClipboardPicture();
  if (clip.Empty()) {
    ReportRefusal(DecodeClipboardPicture(clip), false);
    Refresh();
    return;
  }
  StartLoad([clip = std::move(clip)](const std::atomic<bool>&) { return DecodeClipboardPicture(clip); }, false);
}

void PictureToolDialog::StartLoad(std::function<PictureLoad(const std::atomic<bool>& stop)> job, bool fromFile) {
  if (unloaded_) return;
  DropLoad();
  auto* watcher = new QFutureWatcher<PictureLoad>(this);
  loading_ = watcher;
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, fromFile] {
    if (loading_ != watcher) return;
    loading_ = nullptr;
    watcher->deleteLater();
    PictureArrived(watcher->future().takeResult(), fromFile);
  });
  const BackgroundJob<PictureLoad> started = StartInBackground<PictureLoad>(std::move(job));
  loadingStop_ = started.stop;
  watcher->setFuture(started.future);
  QTimer::singleShot(kLoadingTextDelayMs, this, [this, watcher] {
    if (loading_ != watcher) return;
    loadingLabel_->setGeometry(0, 0, frame1_->width(), frame1_->height());
    loadingLabel_->show();
    loadingLabel_->raise();
  });
}

void PictureToolDialog::DropLoad() {
  if (loading_ == nullptr) return;
  // The job is told to stop, and what it hands back is thrown away and never reaches the window.
  loadingStop_->store(true);
  loading_->disconnect(this);
  loading_->deleteLater();
  loading_ = nullptr;
  loadingLabel_->hide();
}

void PictureToolDialog::PictureArrived(PictureLoad load, bool fromFile) {
  loadingLabel_->hide();
  if (!load.Ok()) {
    ReportRefusal(load, fromFile);
    Refresh();
    return;
  }
  model_.SetPicture(std::move(load.Picture));
  pictureFromFile_ = fromFile;
  ShowPicture();
  Refresh();
  // Shown first, then told: the user sees what the word is about.
  if (load.CutShort) AskRow(prompter_, lang_, kRowPictureCutShort, PromptButtons::Ok, PromptIcon::Information);
}

void PictureToolDialog::ReportRefusal(const PictureLoad& load, bool fromFile) {
  PromptRequest r;
  r.icon = PromptIcon::Warning;
  // The tool opens only files named as pictures of a kind it reads, so bytes that no reader knows
  // make such a file a damaged one, not a picture of another kind.
  const PictureRefusal refusal =
      fromFile && load.Refusal == PictureRefusal::UnknownKind ? PictureRefusal::Damaged : load.Refusal;
  const int reason = PictureRefusalRow(refusal);
  if (!fromFile && refusal == PictureRefusal::UnknownKind) {
    r.row = kRowClipboardNoPicture;
    r.text = lang_.Row(r.row);
  } else if (refusal == PictureRefusal::TooLarge) {
    r.row = reason;  // these say the whole of it themselves
    r.text = lang_.Row(r.row);
  } else {
    r.row = fromFile ? kRowPictureUnreadable : kRowClipboardPictureUnreadable;
    r.text = lang_.Row(r.row) + "\n" + lang_.Row(reason != 0 ? reason : kRowPictureCannotOpen);
  }
  prompter_.Ask(r);
}

void PictureToolDialog::ShowPicture() {
  const PictureFit& fit = model_.Fit();
  if (fit.viewWidth < 1 || fit.viewHeight < 1) {
    imageS_->hide();
    return;
  }
  // Only the reduced view is smoothed; the icon is always made from the picture's own pixels.
  // Scaled from a view of the picture's own pixels: a large photo is not copied whole first.
  imageS_->SetReducedImage(ImageViewOfRaster(model_.Picture())
                               .scaled(fit.viewWidth, fit.viewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  imageS_->setGeometry(frame1_->width() / 2 - fit.viewWidth / 2, frame1_->height() / 2 - fit.viewHeight / 2,
                       fit.viewWidth, fit.viewHeight);
  imageS_->show();
}

void PictureToolDialog::Refresh() {
  label1_[0]->setText(QString::fromStdString(model_.SizeLabel()));
  label1_[1]->setText(QString::fromStdString(model_.ZoomText()));
  label7_->setText(QString::fromStdString(model_.SelectionText()));
  label6_->setVisible(model_.NoColourHintShown());
  QPalette palette = swatch_->palette();
  if (const std::optional<Rgb> colour = model_.MaskColour())
    palette.setColor(QPalette::Window, QColor(RedOf(*colour), GreenOf(*colour), BlueOf(*colour)));
  else
    palette.setColor(QPalette::Window, this->palette().color(QPalette::Window));
  swatch_->setPalette(palette);
  buttons_[0]->setEnabled(model_.MakeEnabled());
  imageS_->update();
  pictureD_->update();
}

void PictureToolDialog::SizeScrolled(int side, int value) {
  // The box keeps what the user is typing as long as it means this value.
  if (IconSideFromText(sizeTexts_[side]->text().toStdString()) != value) {
    const QSignalBlocker block(sizeTexts_[side]);
    sizeTexts_[side]->setText(QString::number(value));
  }
  model_.SetIconSide(side, value);
  if (formReady_) Refresh();
}

void PictureToolDialog::SizeTyped(int side, const QString& text) {
  sizeBars_[side]->setValue(IconSideFromText(text.toStdString()));
}

void PictureToolDialog::SizeTypingDone(int side) {
  const QSignalBlocker block(sizeTexts_[side]);
  sizeTexts_[side]->setText(QString::number(sizeBars_[side]->value()));
}

void PictureToolDialog::CommandButtonClicked(int index) {
  switch (index) {
    case 0:
      if (model_.MakeIcon()) {
        Unload(ToolOutcome::Made);
        return;
      }
      break;
    case 1:
      model_.Defaults();
      for (int side = 0; side < 2; ++side) {
        const QSignalBlocker blockBar(sizeBars_[side]);
        const QSignalBlocker blockText(sizeTexts_[side]);
        sizeBars_[side]->setValue(kDefaultIconSide);
        sizeTexts_[side]->setText(QString::number(kDefaultIconSide));
      }
      break;
    case 2:
      GetPict(PictSource::Clipboard);
      break;
    case 3:
      if (model_.Abort()) {
        Unload(ToolOutcome::Aborted);
        return;
      }
      break;
    default:
      break;
  }
  Refresh();
}

void PictureToolDialog::Unload(ToolOutcome outcome) {
  if (unloaded_) return;
  unloaded_ = true;
  formReady_ = false;
  DropLoad();
  outcome_ = outcome;
  QDialog::done(outcome == ToolOutcome::Made ? QDialog::Accepted : QDialog::Rejected);
}

void PictureToolDialog::closeEvent(QCloseEvent* event) {
  Unload(ToolOutcome::Closed);
  event->accept();
}

void PictureToolDialog::reject() { Unload(ToolOutcome::Closed); }

PictureToolResult PictureToolDialog::Result() const {
  PictureToolResult result;
  result.Outcome = outcome_;
  if (outcome_ == ToolOutcome::Made && model_.PicSmall()) result.Icon = *model_.PicSmall();
  result.MaskColour = model_.MaskColour();
  result.StopSaveIco = model_.StopSaveIco();
  return result;
}

PictureToolResult PictureToolDialog::TakeResult() {
  PictureToolResult result = Result();
  if (pictureFromFile_) result.Picture = model_.TakePicture();
  return result;
}

}  // namespace glimmora
