#pragma once
#include <QString>

// File names of the programs in the program folder, one constant each.
#ifdef _WIN32
#define QUILLON_EXE_SUFFIX ".exe"
#else
#define QUILLON_EXE_SUFFIX ""
#endif

inline const QString kEditorProgram = QStringLiteral("Quillon" QUILLON_EXE_SUFFIX);
inline const QString kUpgraderProgram = QStringLiteral("Vantrel" QUILLON_EXE_SUFFIX);
inline const QString kErrorPromptProgram = QStringLiteral("Korvane" QUILLON_EXE_SUFFIX);
inline const QString kDownloadFile = QStringLiteral("Brimlet" QUILLON_EXE_SUFFIX);
