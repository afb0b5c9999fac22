#include "websites/ui/WebSiteEditor.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "text/LangRows.h"
#include "text/LanguageTable.h"
#include "text/TextCodec.h"
#include "shared/ui/QtText.h"

namespace glimmora {

namespace {

// Keeps a box within the bytes its field holds, cut at a character boundary: what was typed or
// pasted at the cursor gives way, the text after the cursor stays. A text put in whole (the
// cursor at its end) loses its end. What the box shows is thus exactly what a save stores.
void KeepToField(QLineEdit* box, std::size_t fieldBytes) {
  const QString text = box->text();
  if (static_cast<std::size_t>(text.toUtf8().size()) <= fieldBytes) return;
  const int cursor = box->cursorPosition();
  const QByteArray after = text.mid(cursor).toUtf8();
  const std::size_t room = fieldBytes > static_cast<std::size_t>(after.size()) ? fieldBytes - after.size() : 0;
  const QByteArray before = text.left(cursor).toUtf8();
  QString kept = QString::fromStdString(CutUtf8(std::string_view(before.constData(), before.size()), room));
  const int keptCursor = static_cast<int>(kept.size());
  // Only a text after the cursor that alone overflows the field is cut at its end; one that just
  // fills the field stays whole and what was typed before it goes.
  if (static_cast<std::size_t>(after.size()) > fieldBytes)
    kept = QString::fromStdString(CutUtf8(text.toStdString(), fieldBytes));
  else
    kept += QString::fromUtf8(after);
  const QSignalBlocker quiet(box);
  box->setText(kept);
  box->setCursorPosition(std::min(keptCursor, static_cast<int>(kept.size())));
}
}  // namespace

WebSiteEditor::WebSiteEditor(const LanguageTable& lang, QWidget* parent) : QDialog(parent) {
  setObjectName("FrmWebSite");
  setWindowTitle(Q(lang.Row(kRowWebSiteEditTitle)));
  setModal(false);

  auto* grid = new QGridLayout;
  for (int i = 0; i < kWebFieldCount; ++i) {
    auto idx = static_cast<std::size_t>(i);
    labels_[idx] = new QLabel(Q(lang.Row(kWebFields[idx].labelRow)), this);
    labels_[idx]->setObjectName(QString("LabelW%1").arg(i));
    boxes_[idx] = new QLineEdit(this);
    boxes_[idx]->setObjectName(QString("TextEditWebSite%1").arg(i));
    const std::size_t fieldBytes = kWebFields[idx].width;
    connect(boxes_[idx], &QLineEdit::textChanged, this,
            [box = boxes_[idx], fieldBytes] { KeepToField(box, fieldBytes); });
    labels_[idx]->setBuddy(boxes_[idx]);
    grid->addWidget(labels_[idx], i, 0);
    grid->addWidget(boxes_[idx], i, 1);
  }
  // The address and the description are the long texts.
  boxes_[kWebAddress]->setMinimumWidth(420);

  auto* row = new QHBoxLayout;
  for (int i = 0; i < kButtonCount; ++i) {
    const int captionRow = i == kNew ? kRowSiteNew : kRowSiteSave + i;
    auto* b = new QPushButton(Q(lang.Row(captionRow)), this);
    b->setObjectName(QString("Command1_%1").arg(i));
    // Enter in a box must not save by surprise.
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, i] { emit ButtonClicked(i); });
    buttons_[static_cast<std::size_t>(i)] = b;
    row->addWidget(b);
  }

  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addLayout(row);

  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

WebSiteEntry WebSiteEditor::Fields() const {
  WebSiteEntry e;
  for (int i = 0; i < kWebFieldCount; ++i) e.Field(i) = TextEditWebSite(i)->text().toStdString();
  return e;
}

void WebSiteEditor::SetFields(const WebSiteEntry& entry) {
  for (int i = 0; i < kWebFieldCount; ++i) TextEditWebSite(i)->setText(Q(entry.Field(i)));
}

void WebSiteEditor::reject() {
  hide();
  emit Unloading();
  deleteLater();
}

}  // namespace glimmora
