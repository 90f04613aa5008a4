#pragma once
#include <QString>

inline constexpr int ProgramVersion = 1;

// "Quillon 1.0版": the window title at start-up, the name of a document
// that has no file.
inline QString VersionedTitle()
{
    return QStringLiteral("Quillon ") + QString::number(ProgramVersion) + QStringLiteral(".0版");
}
