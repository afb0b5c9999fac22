// The web-site page's commands and the work of the editor's buttons.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <set>

#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "shared/WebAddress.h"
#include "websites/ui/WebSiteEditor.h"
#include "websites/ui/WebSitePanel.h"
#include "text/RowPrompts.h"

namespace glimmora {

namespace {

bool AskYesToDelete(Prompter& prompter, const LanguageTable& lang, int row) {
  return AskRowToDelete(prompter, lang, row, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
}
}  // namespace

void WebSitePanel::RunWebSiteCommand(WebCommand command) {
  switch (command) {
    case WebCommand::Open: OpenSite(); break;
    case WebCommand::Edit: EditEntry(); break;
    case WebCommand::Add: AddEntry(); break;
    case WebCommand::DeleteTicked: DeleteCheckedEntries(); break;
  }
}

void WebSitePanel::OpenSite() {
  if (QTreeWidgetItem* item = list_->currentItem()) OpenWebAddress(opener_, item->text(WebColumnOf(kWebAddress)).toStdString(), "WEB");
}

WebSiteEditor& WebSitePanel::EnsureEditor() {
  if (!editor_) {
    editor_ = new WebSiteEditor(lang_, window());
    connect(editor_, &WebSiteEditor::ButtonClicked, this, [this](int i) { OnEditorButton(i); });
    connect(editor_, &WebSiteEditor::Unloading, this, [this] { editor_ = nullptr; });
  }
  return *editor_;
}

void WebSitePanel::ShowEditor() {
  editor_->show();
  editor_->raise();
  editor_->activateWindow();
}

// The previous-entry button is off at the first entry, the next-entry button at the last.
void WebSitePanel::SetStepButtons(int position) {
  const int count = list_->topLevelItemCount();
  editor_->Command1(WebSiteEditor::kPrevious)->setEnabled(count > 0 && position > 0);
  editor_->Command1(WebSiteEditor::kNext)->setEnabled(count > 0 && position < count - 1);
}

void WebSitePanel::FillEditor(QTreeWidgetItem* item) {
  editor_->SetFields(EntryOf(item));
  editor_->FilledFromRecord = RecordOf(item);
}

void WebSitePanel::EditEntry() {
  QTreeWidgetItem* item = list_->currentItem();
  // Without an entry to edit the editor would show whatever it held before.
  if (!item) return;
  WebSiteEditor& ed = EnsureEditor();
  ShowEditor();
  ed.WebSiteAddNew = false;
  ed.Command1(WebSiteEditor::kSaveAsNew)->setEnabled(true);
  ed.Command1(WebSiteEditor::kRestore)->setEnabled(true);
  FillEditor(item);
  // Text typed into the page's detail box is carried into the editor.
  ed.TextEditWebSite(5)->setText(text_->toPlainText());
  SetStepButtons(list_->indexOfTopLevelItem(item));
}

void WebSitePanel::AddEntry() {
  WebSiteEditor& ed = EnsureEditor();
  ShowEditor();
  ed.WebSiteAddNew = true;
  ed.Command1(WebSiteEditor::kSaveAsNew)->setEnabled(false);
  ed.Command1(WebSiteEditor::kRestore)->setEnabled(false);
  ed.SetFields(WebSiteEntry{});
  ed.FilledFromRecord = 0;
  SetStepButtons(list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1);
}

void WebSitePanel::OnEditorButton(int index) {
  if (!editor_) return;
  switch (index) {
    case WebSiteEditor::kSave:
      if (editor_->WebSiteAddNew) AddFromEditor();
      else SaveFromEditor();
      break;
    case WebSiteEditor::kSaveAsNew: AddFromEditor(); break;
    case WebSiteEditor::kRestore:
      if (QTreeWidgetItem* item = ItemOfRecord(editor_->FilledFromRecord)) FillEditor(item);
      break;
    case WebSiteEditor::kPrevious: StepEditor(-1); break;
    case WebSiteEditor::kNext: StepEditor(+1); break;
    case WebSiteEditor::kClose: editor_->hide(); break;
    case WebSiteEditor::kNew: AddEntry(); break;
    default: break;
  }
}

void WebSitePanel::ReportFailure(const WebStoreResult& result) {
  if (result.Status == WebStoreStatus::Full) {
    AskRow(prompter_, lang_, kRowWebSiteListFull, PromptButtons::Ok, PromptIcon::Warning);
  } else if (result.Status == WebStoreStatus::WriteFailed) {
    prompter_.Tell(lang_.Row(kRowWebSiteListNotSaved) + "\n" + FaultText(lang_, result.Error), kRowWebSiteListNotSaved,
                   PromptIcon::Critical);
  }
}

void WebSitePanel::AddFromEditor() {
  const WebStoreResult r = store_.Add(editor_->Fields(), lang_.CurLang);
  if (!r.Ok()) return ReportFailure(r);
  QTreeWidgetItem* item = MakeItem(r.RecordNo, r.Stored);
  list_->addTopLevelItem(item);
  list_->setCurrentItem(item);
  list_->scrollToItem(item);
  text_->setPlainText(QString::fromStdString(r.Stored.Detail));
  editor_->FilledFromRecord = r.RecordNo;
  ShowShortened(r.Stored);
}

void WebSitePanel::ShowShortened(const WebSiteEntry& stored) {
  if (stored == editor_->Fields()) return;
  // The boxes show what was stored, which a field too small for the text typed has cut.
  editor_->SetFields(stored);
  prompter_.Tell(lang_.Row(kRowFieldsShortened), kRowFieldsShortened, PromptIcon::Information);
}

void WebSitePanel::SaveFromEditor() {
  // Only the record the boxes came from is overwritten. Without one (or when the file no longer
  // holds it) the texts become a new entry rather than landing on somebody else's record.
  const WebStoreResult r = store_.Save(editor_->FilledFromRecord, editor_->Fields(), lang_.CurLang);
  if (r.Status == WebStoreStatus::NoSuchRecord) return AddFromEditor();
  if (!r.Ok()) return ReportFailure(r);
  if (QTreeWidgetItem* item = ItemOfRecord(r.RecordNo)) {
    ShowEntry(item, r.Stored);
    list_->setCurrentItem(item);
    text_->setPlainText(QString::fromStdString(r.Stored.Detail));
  }
  ShowShortened(r.Stored);
}

void WebSitePanel::StepEditor(int delta) {
  const int count = list_->topLevelItemCount();
  if (count == 0) return;
  QTreeWidgetItem* from = ItemOfRecord(editor_->FilledFromRecord);
  if (!from) from = list_->currentItem();
  const int k = std::clamp((from ? list_->indexOfTopLevelItem(from) : 0) + delta, 0, count - 1);
  SetStepButtons(k);
  QTreeWidgetItem* item = list_->topLevelItem(k);
  list_->setCurrentItem(item);
  list_->scrollToItem(item);
  FillEditor(item);
}

void WebSitePanel::DeleteCheckedEntries() {
  std::set<int> records;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->checkState(0) == Qt::Checked) records.insert(RecordOf(list_->topLevelItem(i)));
  if (records.empty()) return;
  if (!AskYesToDelete(prompter_, lang_, kRowAskDeleteSites)) return;
  if (AskYesToDelete(prompter_, lang_, kRowAskDeleteSitesFromFile)) {
    const WebStoreResult r = store_.Kill(records);
    if (!r.Ok()) return ReportFailure(r);
    // Records after a dropped one have moved up: what the editor was filled from is gone.
    if (editor_) editor_->FilledFromRecord = 0;
    if (r.Count == 0) list_->clear();
    LoadList();
    return;
  }
  // From the list only; the item that moves into a removed item's place is looked at next.
  for (int i = 0; i < list_->topLevelItemCount();) {
    if (list_->topLevelItem(i)->checkState(0) == Qt::Checked) delete list_->takeTopLevelItem(i);
    else ++i;
  }
}

}  // namespace glimmora
