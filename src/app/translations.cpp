#include "app/translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tivoro {

QString catalogueLanguage(const QStringList &uiLanguages)
{
    for (QString name : uiLanguages) {
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        // "de_DE" may have a catalogue of its own; "de" serves every German.
        const QString language = name.section(QLatin1Char('_'), 0, 0);
        if (QLocale(language).language() == QLocale::English)
            return {};
        for (const QString &candidate : {name, language}) {
            if (!candidate.isEmpty() && QFileInfo::exists(catalogueFile(candidate)))
                return candidate;
        }
    }
    return {};
}

QString catalogueFile(const QString &language)
{
    return QStringLiteral(":/i18n/tivoro_%1.qm").arg(language);
}

QTranslator *installToolkitCatalogue(const QString &language)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString directory = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    // Only the file of the toolkit's installation; a missing one is no
    // fault, the toolkit's texts then stay English.
    const QString file = QStringLiteral("%1/qtbase_%2.qm").arg(directory, language);
    if (!QFileInfo::exists(file))
        return nullptr;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QList<QTranslator *> installTranslations(const QStringList &uiLanguages)
{
    const QString language = catalogueLanguage(uiLanguages);
    if (language.isEmpty())
        return {};
    QList<QTranslator *> installed;
    auto *own = new QTranslator(QCoreApplication::instance());
    if (own->load(catalogueFile(language)) && QCoreApplication::installTranslator(own))
        installed << own;
    else
        delete own;
    // The toolkit's catalogue for the language of ours, so that a window
    // and its dialogs speak one language.
    if (QTranslator *toolkit = installToolkitCatalogue(language.section(QLatin1Char('_'), 0, 0)))
        installed << toolkit;
    return installed;
}

} // namespace tivoro
