#pragma once
#include <QString>

// From the project's version in CMake.
inline constexpr int ProgramVersion = QUILLON_VERSION_MAJOR;

// "Quillon 1.0版": the window title at start-up, the name of a document
// that has no file.
inline QString VersionedTitle()
{
    return QStringLiteral("Quillon ") + QString::number(ProgramVersion) + QStringLiteral(".0版");
}
