#include "common/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallChineseTranslations()
{
    static QTranslator qt;
    if (qt.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}
