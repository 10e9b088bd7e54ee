#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QTranslator;

namespace tivoro {

// The language whose catalogue serves a user who reads `uiLanguages` (as
// QLocale::uiLanguages() lists them, the preferred first, "de-DE" or
// "de"): the first of them that is English or has a catalogue built into
// the program. Empty for English, the language of the program's own texts.
QString catalogueLanguage(const QStringList &uiLanguages);

// Where the program's catalogue for `language` is built in.
QString catalogueFile(const QString &language);

// The toolkit's own catalogue for `language` (its standard buttons and
// dialogs), when the system has it installed: installed on the application
// and returned, otherwise nullptr.
QTranslator *installToolkitCatalogue(const QString &language);

// Installs the program's and the toolkit's catalogues for the language that
// catalogueLanguage() picks; returns what it installed (owned by the
// application), nothing for English.
QList<QTranslator *> installTranslations(const QStringList &uiLanguages);

} // namespace tivoro
