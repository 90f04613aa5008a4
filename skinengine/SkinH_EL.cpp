#include "SkinH_EL.h"

#include "SkinFile.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QStyleFactory>

int SkinH_Attach(void)
{
    // Palettes apply the same way on every desktop with this style.
    if (qApp && qApp->style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return 0;
}

int SkinH_Attach_Ex(const char* path, const char* /*password*/)
{
    if (!path || !qApp) return 1;
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly)) return 1;
    auto skin = ParseSkin(QString::fromUtf8(file.readAll()));
    if (!skin) return 2;
    QApplication::setPalette(skin->palette);
    qApp->setStyleSheet(skin->styleSheet);
    return 0;
}
