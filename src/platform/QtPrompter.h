#pragma once
// Message boxes of the program: the Prompter interface shown as a QMessageBox.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "text/LanguageTable.h"
#include "common/Prompter.h"

namespace glimmora {

class QtPrompter : public Prompter {
 public:
  // `parent` owns the boxes (may be null); `defaultTitle` is used when a request has no title.
  explicit QtPrompter(QWidget* parent = nullptr, QString defaultTitle = QStringLiteral("Glimmora"));

  PromptAnswer Ask(const PromptRequest& request) override;

  void SetParent(QWidget* parent) { parent_ = parent; }
  // The table whose current language names the buttons (English while none is set); it must
  // outlive the prompter's use.
  void SetLanguage(const LanguageTable* table) { language_ = table; }

 private:
  QPointer<QWidget> parent_;
  QString defaultTitle_;
  const LanguageTable* language_ = nullptr;
};

}  // namespace glimmora
