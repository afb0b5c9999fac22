#include "library/ui/IconClipboardActions.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QListView>
#include <QStandardItemModel>
#include <QMouseEvent>
#include <QTreeWidget>
#include <algorithm>

#include "library/MoveToLib.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryPage.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/QtText.h"
#include "text/LangRows.h"
#include "text/RowPrompts.h"

namespace glimmora {

IconClipboardActions::IconClipboardActions(LibraryPageContext& ctx, LibraryPaneActions& pane, QObject* parent)
    : QObject(parent), ctx_(ctx), pane_(pane) {
  LibraryPageList* list = ctx_.Page.ListViewIcoClipboard();
  connect(list->Selection(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (ctx_.CurrentIs(Pane::ListViewIcoClipboard)) SelectClipIco();
  });
  for (QAbstractItemView* v :
       {static_cast<QAbstractItemView*>(list->ReportView()), static_cast<QAbstractItemView*>(list->IconView())}) {
    connect(v, &QAbstractItemView::doubleClicked, this, [this] { RunClipboardCommand(ClipCommand::OpenInEditor); });
    v->viewport()->installEventFilter(this);
    v->installEventFilter(this);
  }
}

bool IconClipboardActions::eventFilter(QObject* watched, QEvent* event) {
  if (ctx_.Detached) return false;
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress) return false;
  LibraryPageList* list = ctx_.Page.ListViewIcoClipboard();
  const bool viewport = watched == list->ReportView()->viewport() || watched == list->IconView()->viewport();
  if (!viewport && watched != list->ReportView() && watched != list->IconView()) return false;
  if ((type == QEvent::FocusIn || type == QEvent::MouseButtonPress) && ctx_.Clip->Dirty()) {
    // The editor may have changed the icons: list them again before the user acts on them.
    ctx_.Clip->SetDirty(false);
    ctx_.Clip->RelistIconClipboard(false);
  }
  if (type == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) ctx_.PreviewPressed(watched, *mouse, PreviewList::IconClipboard);
  }
  if (type == QEvent::MouseButtonRelease) ctx_.Preview->hide();
  return false;
}

void IconClipboardActions::CopyIcotoSysClipBoard(int size) {
  if (ctx_.Busy) return;
  PutOnSystemClipboard(nullptr);
  const int row = ctx_.Clip->FocusedRow();
  if (row < 0) return;
  ctx_.CopyToSystemClipboard(ctx_.Clip->ClipDir(), ctx_.Clip->File(row).FileName, size);
}

void IconClipboardActions::SelectClipIco() { ctx_.Clip->SelectClipIco(); }
void IconClipboardActions::ShowToolTip() { ctx_.Clip->ShowToolTip(); }

void IconClipboardActions::MoveIcoToLib(bool allIco) {
  QTreeWidgetItem* node = ctx_.Tree->Selected();
  if (!node) return;
  MoveRequest request;
  request.Target.IsCategory = LibraryTree::Kind(node) != LibNodeKind::Library;
  request.Target.CategoryHasChildren = node->childCount() > 0;
  request.Target.NodeText = node->text(0).toStdString();
  request.Target.ParentText = node->parent() ? node->parent()->text(0).toStdString() : std::string();
  request.Target.SrcPath = LibraryTree::SrcPath(node);
  request.AllIco = allIco;
  request.ClipFiles = ctx_.Clip->Files(allIco);
  request.ClipDir = ctx_.Clip->ClipDir();
  request.WorkDir = ctx_.Icons->WorkDir();
  request.LastPaneKey = ctx_.Icons->Count() > 0 ? ctx_.Icons->Items().back().Key : std::string();
  request.PaneCount = ctx_.Icons->Count();
  request.LibGrpSize = ctx_.State.LibGrpSize;
  ResetShiftKeys(ctx_.State, 0);
  MoveResult result;
  {
    BusyCursor wait;
    result = glimmora::MoveIcoToLib(request, ctx_.Ask(), ctx_.State.LangStr);
  }
  if (!result.Asked || !result.Ok) return;
  pane_.AddMovedIcons(result.NewPaneItems);
  if (!result.Moved.empty()) node->setText(0, Q(result.NodeText));
  pane_.ShowLibPages(result.IconCount);
  std::vector<std::string> gone;
  for (const auto& n : result.Moved)
    if (std::find(result.NotDeleted.begin(), result.NotDeleted.end(), n) == result.NotDeleted.end()) gone.push_back(n);
  ctx_.Clip->RemoveFiles(gone);
  ctx_.Icons->SelectLibIco(ctx_.Page.StatusPanel(2), ctx_.Page.StatusPanel(3));
}

void IconClipboardActions::RunClipboardCommand(ClipCommand command) {
  if (ctx_.Busy) return;
  switch (command) {
    case ClipCommand::MoveSelectedIntoLibrary: MoveIcoToLib(false); break;
    case ClipCommand::MoveAllIntoLibrary: MoveIcoToLib(true); break;
    case ClipCommand::CopySelectedToFolder:
    case ClipCommand::CopyAllToFolder:
    case ClipCommand::MoveSelectedToFolder:
    case ClipCommand::MoveAllToFolder: {
      ResetShiftKeys(ctx_.State, 0);
      const bool all = command == ClipCommand::CopyAllToFolder || command == ClipCommand::MoveAllToFolder;
      const bool move = command == ClipCommand::MoveSelectedToFolder || command == ClipCommand::MoveAllToFolder;
      if (ctx_.Services.Browser) ctx_.Clip->Export(all, move, *ctx_.Services.Browser, ctx_.Ask());
      break;
    }
    case ClipCommand::SelectAll: ctx_.Clip->SelectAll(); break;
    case ClipCommand::ClearSelection: ctx_.Clip->ClearSelection(); break;
    case ClipCommand::DeleteSelected:
    case ClipCommand::DeleteAll: {
      ResetShiftKeys(ctx_.State, 0);
      const bool all = command == ClipCommand::DeleteAll;
      const int row = all ? kRowAskDeleteAllClipIcons : kRowAskDeleteSelectedClipIcons;
      if (AskRowToDelete(ctx_.Ask(), ctx_.State.LangStr, row, PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
      ctx_.Clip->DelIcoClipBoard(all, ctx_.Ask());
      break;
    }
    case ClipCommand::CopyToSystemClipboard: CopyIcotoSysClipBoard(0); break;
    case ClipCommand::CutToSystemClipboard: {
      // Only the icon put on the system clipboard leaves the icon clipboard.
      const int row = ctx_.Clip->FocusedRow();
      CopyIcotoSysClipBoard(0);
      if (row >= 0) {
        ctx_.Clip->ClearSelection();
        ctx_.Clip->List()->Selection()->select(ctx_.Clip->List()->Model()->index(row, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
        ctx_.Clip->DelIcoClipBoard(false, ctx_.Ask());
      }
      break;
    }
    case ClipCommand::Refresh: ctx_.Clip->RelistIconClipboard(false); break;
    case ClipCommand::OpenInEditor: {
      const std::string editor =
          ctx_.Services.EditorPath ? ctx_.Services.EditorPath() : ctx_.State.SaveLibDir.IconEditTool;
      ctx_.Clip->OpenInEditor(editor, ctx_.Ask(),
                              ctx_.Services.StartEditor ? ctx_.Services.StartEditor : StartDetachedEditor);
      break;
    }
  }
  SelectClipIco();
}

}  // namespace glimmora
