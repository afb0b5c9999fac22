#pragma once
// The texts the desktop and Qt supply themselves (file type names from the MIME database, the
// folder chooser's labels, a text box's context menu) in the program's language rather than the
// system's: simplified Chinese for GB, traditional for BIG5, English otherwise.

#include <QLocale>

#include "text/LanguageTable.h"

namespace glimmora {

QLocale DesktopLocale(Language lang);

// Makes `lang` the language of those texts for the rest of the run. Called once at start-up,
// before any worker thread: Qt's default locale may not change while others read it.
void UseDesktopLanguage(Language lang);

}  // namespace glimmora
