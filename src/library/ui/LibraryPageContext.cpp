#include "library/ui/LibraryPageContext.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QProgressBar>
#include <algorithm>

#include "files/FileBytes.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryPage.h"
#include "save/CopyIcoFile.h"
#include "settings/AppState.h"
#include "shared/ui/IconImages.h"

namespace glimmora {
namespace {

constexpr std::size_t kLargestPreviewIcon = 4u << 20;

// Without a prompter attached nothing is asked and nothing is agreed to.
class DecliningPrompter : public Prompter {
 public:
  PromptAnswer Ask(const PromptRequest& r) override {
    return r.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
};

}  // namespace

LibraryPageContext::LibraryPageContext(LibraryPage& page, AppState& state)
    : Page(page), State(state), fallbackPrompter_(std::make_unique<DecliningPrompter>()),
      systemClock_(std::make_unique<SystemClock>()) {}

LibraryPageContext::~LibraryPageContext() = default;

Prompter& LibraryPageContext::Ask() { return Services.Ask ? *Services.Ask : *fallbackPrompter_; }
const Clock& LibraryPageContext::Time() const { return Services.Time ? *Services.Time : *systemClock_; }

bool LibraryPageContext::CurrentIs(Pane pane) const { return State.CurListView == pane; }

void LibraryPageContext::Progress(int value) {
  QProgressBar* bar = Page.ProgressBarLib();
  bar->show();
  bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

void LibraryPageContext::EndProgress() {
  Page.ProgressBarLib()->setValue(110);
  Page.ProgressBarLib()->hide();
}

void LibraryPageContext::PreviewPressed(QObject* viewport, const QMouseEvent& mouse, PreviewList list) {
  auto* view = qobject_cast<QAbstractItemView*>(static_cast<QWidget*>(viewport)->parentWidget());
  const QModelIndex index = view ? view->indexAt(mouse.position().toPoint()) : QModelIndex();
  if (!index.isValid()) return;
  const std::string path =
      list == PreviewList::IconClipboard ? Clip->PathOf(index.row()) : Icons->PathOf(index.row());
  if (const auto bytes = ReadFileBytes(path, kLargestPreviewIcon))
    Preview->ShowImage(IcoFileToImage(*bytes), list, mouse.globalPosition().toPoint());
}

bool LibraryPageContext::CopyToSystemClipboard(const std::string& dir, const std::string& fileName, int size) {
  CopyIcoRequest r;
  r.SizeSel = size;
  r.SourceDir = dir;
  r.FileName = fileName;
  r.TargetDir = "CopytoSysClipboard";
  r.TargetName = "CopytoSysClipboard";
  r.IcoBmp = SaveFormat::Bmp;
  r.ToSysClipboard = true;
  r.mask = MaskAnswer::No;
  const CopyIcoResult result = CopyIcoFile(r, Ask(), State.LangStr);
  if (!result.clipboard) return false;
  PutOnSystemClipboard(&*result.clipboard, result.clipboardAlpha ? &*result.clipboardAlpha : nullptr);
  return true;
}

}  // namespace glimmora
