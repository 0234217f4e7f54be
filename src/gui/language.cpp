#include "gui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "gui/settings.h"

namespace lumet {

namespace {

// Where the settings keep the language, by its code ("ru", "en").
const char* const kSettingsLanguage = "ui/language";

Language inUse = Language::ru;

// The window's own translation and Qt's, installed while their language is.
QTranslator& own() {
  static QTranslator* t = new QTranslator(QCoreApplication::instance());
  return *t;
}
QTranslator& qts() {
  static QTranslator* t = new QTranslator(QCoreApplication::instance());
  return *t;
}

}  // namespace

Language rememberedLanguage() {
  const QString code =
      QSettings(kSettingsOrganisation, kSettingsApplication).value(kSettingsLanguage).toString();
  return languageByCode(code.toStdString()).value_or(Language::ru);
}

void rememberLanguage(Language language) {
  QSettings(kSettingsOrganisation, kSettingsApplication)
      .setValue(kSettingsLanguage, languageCode(language));
}

void useLanguage(Language language) {
  inUse = language;
  QCoreApplication::removeTranslator(&own());
  QCoreApplication::removeTranslator(&qts());
  const QString code = languageCode(language);
  // The source texts are English: only other languages have a translation.
  if (language != Language::en && own().load(":/i18n/lumet_" + code + ".qm"))
    QCoreApplication::installTranslator(&own());
  if (qts().load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qts());
}

Language currentLanguage() { return inUse; }

}  // namespace lumet
