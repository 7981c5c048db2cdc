#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (the Yes/No/OK/Cancel of message boxes, the file and font dialogs, the fields' context
// menus) in the interface language, from the translations the system's Qt ships. Without them a Chinese
// or Portuguese operator answers every question in English.
namespace QtTranslations {

// Installs Qt's translation for the language code of `Manage`.`borderism` ("0" Simplified Chinese, "1"
// English, "2" Portuguese); the translator belongs to `app`. False when the language needs none or no
// file could be loaded (the texts then stay English).
bool install(QCoreApplication &app, const QString &languageCode);

} // namespace QtTranslations
