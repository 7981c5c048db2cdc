#include "gui/shell/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

bool QtTranslations::install(QCoreApplication &app, const QString &languageCode)
{
    QStringList files;
    if (languageCode == QLatin1String("0"))
        files = {QStringLiteral("qtbase_zh_CN")};
    else if (languageCode == QLatin1String("2"))
        // Qt ships Brazilian Portuguese for its base texts; it reads well enough where no European
        // translation is installed.
        files = {QStringLiteral("qtbase_pt_PT"), QStringLiteral("qtbase_pt_BR")};
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString &file : files) {
        auto *translator = new QTranslator(&app);
        if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}
