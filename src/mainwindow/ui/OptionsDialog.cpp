#include "mainwindow/ui/OptionsDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "text/LangRows.h"
#include "icons/SizeChoices.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/QtText.h"

namespace glimmora {
namespace {

// Frame captions (rows) of the groups by frame index, and the caption rows of their choices.
struct GroupText {
  int frameRow;
  std::array<int, kMostOptChoices> rows;
};

constexpr GroupText kGroupTexts[kOptGroups] = {
    {kRowSaveAsFrame, {kRowFormatChoice, kRowFormatChoice}},
    {kRowWhichIconsFrame, {kRowWhichSelectedIcons, kRowWhichAllIcons}},
    {kRowTargetFolderFrame, {kRowTargetNewFolder, kRowTargetCurrentFolder, kRowTargetThisFolder}},
    {kRowIconSizeFrame, {}},  // the choices are captioned from the size table
    {kRowTransparentColorFrame, {kRowMaskUse, kRowMaskAsk, kRowMaskDoNotUse}},
    {kRowPictureFilesFrame, {kRowPictureConvert, kRowPictureAskEachTime, kRowPictureDoNotConvert}},
    {kRowNonStandardFrame, {kRowNonStandardTake, kRowNonStandardAskEachTime, kRowNonStandardSkip}},
};

}  // namespace

bool RunnableFilesOnly::filterAcceptsRow(int row, const QModelIndex& parent) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (!active_ || files == nullptr) return true;
  const QModelIndex index = files->index(row, 0, parent);
  return files->isDir(index) || files->fileInfo(index).isExecutable();
}

void RunnableFilesOnly::SetActive(bool active) {
  active_ = active;
  invalidateFilter();
}

OptionsDialog::OptionsDialog(OptionsForm form, SaveParams& params, OptionsMemory& memory,
                             const LanguageTable& lang, Prompter& prompter,
                             FolderBrowser& browser, ProgramChooser chooser, QWidget* parent)
    : QDialog(parent),
      form_(std::move(form)),
      params_(params),
      memory_(memory),
      lang_(lang),
      prompter_(prompter),
      browser_(browser),
      chooser_(std::move(chooser)),
      folderBox_(new QLineEdit),
      browseButton_(new QToolButton),
      editorBox_(new QLineEdit),
      chooserButton_(new QToolButton),
      editorNote_(new QLabel) {
  setObjectName("FrmSetParameter");
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Q(OptionsTitle(form_.list, lang)));

  const auto selRows = SaveSelRows(form_.list);
  for (int g = 0; g < kOptGroups; ++g) {
    auto* box = new QGroupBox(Q(lang.Row(kGroupTexts[g].frameRow)));
    box->setObjectName(QStringLiteral("Frame1_%1").arg(g));
    frames_[static_cast<std::size_t>(g)] = box;
    auto* buttons = new QButtonGroup(this);
    groups_[static_cast<std::size_t>(g)] = buttons;
    auto* layout = new QGridLayout(box);
    const int count = kOptChoiceCounts[static_cast<std::size_t>(g)];
    for (int i = 0; i < count; ++i) {
      QString text;
      switch (static_cast<OptGroup>(g)) {
        case OptGroup::SaveAs: text = (i == 0 ? "Ico " : "Bmp ") + Q(lang.Row(kRowFormatChoice)); break;
        case OptGroup::SaveSel: text = Q(lang.Row(selRows[static_cast<std::size_t>(i)])); break;
        case OptGroup::IcoSize: {
          const SizeChoice& size = kSizeChoices[static_cast<std::size_t>(i)];
          text = size.captionRow != 0 ? Q(lang.Row(size.captionRow)) : Q(std::string(size.suffix.substr(1)));
          break;
        }
        default: text = Q(lang.Row(kGroupTexts[g].rows[static_cast<std::size_t>(i)])); break;
      }
      auto* radio = new QRadioButton(text);
      buttons->addButton(radio, i);
      // The size group is two columns, filled down the first; the others one.
      const int perColumn = (count + 1) / 2;
      if (static_cast<OptGroup>(g) == OptGroup::IcoSize) layout->addWidget(radio, i % perColumn, i / perColumn);
      else layout->addWidget(radio, i, 0);
    }
    connect(buttons, &QButtonGroup::idClicked, this, [this, g](int id) {
      if (showing_) return;
      SelectOption(form_, static_cast<OptGroup>(g), id, memory_, lang_);
      Show();
    });
  }

  // Folder row inside the target-folder group.
  auto* folderRow = new QHBoxLayout;
  folderBox_->setObjectName("TextOtherDir");
  browseButton_->setObjectName("Image1");
  browseButton_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  SetControlName(browseButton_, lang.Row(kRowBrowseFolderTitle));  // it opens the folder browser of that title
  folderRow->addWidget(folderBox_, 1);
  folderRow->addWidget(browseButton_);
  static_cast<QGridLayout*>(frames_[2]->layout())->addLayout(folderRow, 3, 0);
  // The boxes' text counts however it got there: typed, pasted or set by a screen reader.
  connect(folderBox_, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!showing_) form_.folderText = t.toStdString();
  });
  connect(browseButton_, &QToolButton::clicked, this, &OptionsDialog::BrowseFolder);

  // The editor group.
  auto* editorFrame = new QGroupBox(Q(lang.Row(kRowIconEditorFrame)));
  editorFrame->setObjectName("Frame1_7");
  frames_[7] = editorFrame;
  auto* editorLayout = new QGridLayout(editorFrame);
  editorBox_->setObjectName("TextIconEditTool");
  chooserButton_->setObjectName("Image2");
  chooserButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogStart));
  editorNote_->setObjectName("Label2");
  editorNote_->setText(Q(lang.Row(kRowIconEditorNote)));
  editorNote_->setWordWrap(true);
  editorLayout->addWidget(editorBox_, 0, 0);
  editorLayout->addWidget(chooserButton_, 0, 1);
  editorLayout->addWidget(editorNote_, 1, 0, 1, 2);
  connect(editorBox_, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (!showing_) form_.editorText = t.toStdString();
  });
  connect(chooserButton_, &QToolButton::clicked, this, &OptionsDialog::ChooseProgram);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(Q(lang.Row(kRowOptionsOk)), QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(Q(lang.Row(kRowOptionsCancel)), QDialogButtonBox::RejectRole);
  cancel->setObjectName("CancelButton");
  connect(ok, &QPushButton::clicked, this, &OptionsDialog::PressOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // Two columns of groups, the folder and editor groups across the whole width.
  auto* grid = new QGridLayout;
  grid->addWidget(frames_[0], 0, 0);
  grid->addWidget(frames_[1], 0, 1);
  grid->addWidget(frames_[3], 1, 0, 2, 1);
  grid->addWidget(frames_[4], 1, 1);
  grid->addWidget(frames_[5], 2, 1);
  grid->addWidget(frames_[6], 3, 1);
  grid->addWidget(frames_[2], 3, 0);
  grid->addWidget(frames_[7], 4, 0, 1, 2);
  auto* main = new QVBoxLayout(this);
  main->addLayout(grid);
  main->addWidget(buttons);

  Show();
  adjustSize();
  // Centred on the screen, a little above the middle.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2,
         std::max(area.y(), area.y() + (area.height() - height()) / 2 - 10));
  }
}

QRadioButton* OptionsDialog::Choice(OptGroup group, int index) const {
  return qobject_cast<QRadioButton*>(groups_[static_cast<std::size_t>(group)]->button(index));
}

void OptionsDialog::Show() {
  showing_ = true;
  for (int g = 0; g < kOptGroups; ++g) {
    const OptChoiceGroup& group = form_.groups[static_cast<std::size_t>(g)];
    QButtonGroup* buttons = groups_[static_cast<std::size_t>(g)];
    frames_[static_cast<std::size_t>(g)]->setEnabled(form_.frameEnabled[static_cast<std::size_t>(g)]);
    for (QAbstractButton* b : buttons->buttons()) {
      const int id = buttons->id(b);
      b->setEnabled(group.enabled[static_cast<std::size_t>(id)] &&
                    form_.frameEnabled[static_cast<std::size_t>(g)]);
    }
    buttons->setExclusive(false);
    for (QAbstractButton* b : buttons->buttons()) b->setChecked(group.selected == buttons->id(b));
    buttons->setExclusive(true);
  }
  folderBox_->setText(Q(form_.folderText));
  folderBox_->setEnabled(form_.folderEnabled);
  browseButton_->setVisible(form_.browseShown);
  browseButton_->setEnabled(form_.folderEnabled);
  editorBox_->setText(Q(form_.editorText));
  editorBox_->setEnabled(form_.editorEnabled);
  chooserButton_->setEnabled(form_.editorEnabled);
  editorNote_->setEnabled(form_.editorEnabled);
  showing_ = false;
}

void OptionsDialog::BrowseFolder() {
  TakeBrowsedFolder(form_, memory_, browser_.BrowseForFolder(std::string()));
  Show();
  raise();
  activateWindow();
}

void OptionsDialog::ChooseProgram() {
  if (!chooser_) return;
  const std::string path = chooser_(lang_.Row(kRowIconEditorFrame));
  if (path.empty()) return;
  form_.editorText = path;
  Show();
}

std::string OptionsDialog::ChooseProgramFile(QWidget* parent, const std::string& title,
                                             const LanguageTable& lang) {
  QFileDialog dialog(parent, Q(title));
  dialog.setObjectName("CommonDialog1");
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Programs here carry no extension; which files may be run is told by a filter of Qt's own
  // dialog, which a desktop's dialog would not take.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* runnable = new RunnableFilesOnly(&dialog);
  dialog.setProxyModel(runnable);
  const auto filters = ProgramChooserFilters(lang);
  const QString programs = Q(filters[0]);
  dialog.setNameFilters({programs, Q(filters[1])});
  connect(&dialog, &QFileDialog::filterSelected, runnable,
          [runnable, programs](const QString& chosen) { runnable->SetActive(chosen == programs); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst().toStdString();
}

void OptionsDialog::PressOk() {
  if (PressOptionsOk(form_, params_, prompter_, lang_) != OptionsOk::Stored) return;
  accept();
}

}  // namespace glimmora
