#include "platform/DesktopLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace glimmora {

QLocale DesktopLocale(Language lang) {
  switch (lang) {
    case Language::ChineseGB: return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    case Language::ChineseBig5: return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan);
    default: return QLocale(QLocale::English, QLocale::UnitedStates);
  }
}

void UseDesktopLanguage(Language lang) {
  // QMimeType::comment() and Qt's own dialogs follow the default locale.
  const QLocale locale = DesktopLocale(lang);
  QLocale::setDefault(locale);
  static QTranslator* qtTexts = nullptr;
  if (qtTexts != nullptr) {
    QCoreApplication::removeTranslator(qtTexts);
    delete qtTexts;
    qtTexts = nullptr;
  }
  if (lang == Language::English || QCoreApplication::instance() == nullptr) return;
  // Qt's translations are optional: without them its few own labels stay English.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator)) {
    qtTexts = translator;
  } else {
    delete translator;
  }
}

}  // namespace glimmora
