#include "common/ProgramFolder.h"

#include <QCoreApplication>

namespace {
QString& TestFolder()
{
    static QString folder;
    return folder;
}
}  // namespace

QString ProgramFolder()
{
    if (!TestFolder().isEmpty()) return TestFolder();
    return QCoreApplication::applicationDirPath();
}

QString ProgramPath(const QString& relative) { return ProgramFolder() + relative; }

void SetProgramFolderForTests(const QString& folder)
{
    QString f = folder;
    while (f.size() > 1 && f.endsWith(u'/')) f.chop(1);
    TestFolder() = f;
}
