// The language of the window: Russian, the laboratory's own and the default
// whatever the system's locale, or English. The window's own texts are
// English in the source (tr()) and Russian through the translation built in
// from translations/lumet_ru.ts; Qt's dialogs and buttons follow through
// Qt's own translations (qtbase_ru, qtbase_en). The choice takes effect at
// once and, made in the menu "Язык / Language", is remembered.
#pragma once

#include "model/local_text.h"

namespace lumet {

// The language the settings remember; Russian when they name none.
Language rememberedLanguage();
void rememberLanguage(Language language);

// Installs the translations of the language for the whole application (Qt
// sends every widget a LanguageChange event).
void useLanguage(Language language);
// The language in use (Russian before any useLanguage()).
Language currentLanguage();

}  // namespace lumet
