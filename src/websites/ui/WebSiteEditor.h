#pragma once
// The window in which one entry of the web-site list is edited or a new one typed: six labelled
// boxes and seven buttons. It keeps no list of its own; the page does the work of every button.

#include <QDialog>

#include <array>

#include "websites/WebSiteRecord.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace glimmora {

struct LanguageTable;

class WebSiteEditor : public QDialog {
  Q_OBJECT

 public:
  enum Button { kSave = 0, kSaveAsNew, kRestore, kPrevious, kNext, kClose, kNew, kButtonCount };

  explicit WebSiteEditor(const LanguageTable& lang, QWidget* parent = nullptr);

  QLineEdit* TextEditWebSite(int i) const { return boxes_[static_cast<std::size_t>(i)]; }
  QPushButton* Command1(int i) const { return buttons_[static_cast<std::size_t>(i)]; }

  WebSiteEntry Fields() const;
  void SetFields(const WebSiteEntry& entry);

  // True while the window was opened for a new entry: its save button adds.
  bool WebSiteAddNew = false;
  // The record the boxes were last filled from (0: none). Saving overwrites this record, whatever
  // entry the list has selected by then.
  int FilledFromRecord = 0;

  // Esc or the window's close box: the window and what it holds are dropped.
  void reject() override;

 signals:
  void ButtonClicked(int index);
  void Unloading();

 private:
  std::array<QLineEdit*, kWebFieldCount> boxes_{};
  std::array<QLabel*, kWebFieldCount> labels_{};
  std::array<QPushButton*, kButtonCount> buttons_{};
};

}  // namespace glimmora
