#include "documents/OpenSaveDialog.h"

#include <QFileInfo>
#include <QRect>
#include <QVariant>

OpenSaveDialog::OpenSaveDialog(QObject* owner)
    : QObject(owner),
      filter_(QStringLiteral("VBSCRIPT(*.vbs;*.txt)|*.vbs;*.txt")),
      defaultExtension_(QStringLiteral("vbs"))
{
    setObjectName(QStringLiteral("通用对话框_打开保存"));
    setProperty("designGeometry", QRect(192, 40, 40, 32));
}

bool OpenSaveDialog::Show(QWidget* window)
{
    const QString folder = startFolder_.isEmpty() ? lastFolder_ : startFolder_;
    fileName_ = UserPrompts().choosePath(window, mode_, QtFilter(filter_), defaultExtension_, folder);
    if (fileName_.isEmpty()) return false;
    lastFolder_ = QFileInfo(fileName_).absolutePath();
    return true;
}

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList qt;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        qt << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return qt.join(QStringLiteral(";;"));
}
