#pragma once
// Messages that are one row of the language table as it stands.

#include "common/Prompter.h"
#include "text/LanguageTable.h"

namespace glimmora {

inline PromptRequest RowRequest(const LanguageTable& lang, int row, PromptButtons buttons = PromptButtons::Ok,
                                PromptIcon icon = PromptIcon::None) {
  PromptRequest r;
  r.text = lang.Row(row);
  r.row = row;
  r.buttons = buttons;
  r.icon = icon;
  return r;
}

inline PromptAnswer AskRow(Prompter& prompter, const LanguageTable& lang, int row,
                           PromptButtons buttons = PromptButtons::Ok, PromptIcon icon = PromptIcon::None) {
  return prompter.Ask(RowRequest(lang, row, buttons, icon));
}

// A row whose Yes or OK deletes files or icons: Enter keeps them.
inline PromptAnswer AskRowToDelete(Prompter& prompter, const LanguageTable& lang, int row, PromptButtons buttons,
                                   PromptIcon icon = PromptIcon::None) {
  return prompter.AskToDelete(RowRequest(lang, row, buttons, icon));
}

}  // namespace glimmora
