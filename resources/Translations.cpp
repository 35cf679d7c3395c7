// SPDX-License-Identifier: GPL-2.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

// A static library's resources are only linked in when something asks for them. Outside any
// namespace, as the resource compiler defines its function.
static void registerTranslations()
{
    Q_INIT_RESOURCE(translations);
}

namespace Translations {

QStringList languages()
{
    registerTranslations();
    QStringList found;
    for (const QString &file : QDir(QStringLiteral(":/translations")).entryList({"*.qm"}))
        found << file.mid(int(qstrlen("ptz-panel_"))).chopped(3);
    return found;
}

bool install(const QLocale &locale)
{
    registerTranslations();
    auto *own = new QTranslator(QCoreApplication::instance());
    if (!own->load(locale, QStringLiteral("ptz-panel"), QStringLiteral("_"),
                   QStringLiteral(":/translations"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

} // namespace Translations
