#pragma once
#include <QString>

// The folder that holds the running program, without a trailing separator.
// Every data file is found relative to it, so the programs run from any place.
QString ProgramFolder();

// ProgramFolder() followed by a relative path that begins with "/".
QString ProgramPath(const QString& relative);

// Tests lay out a temporary program folder; an empty text restores the real one.
void SetProgramFolderForTests(const QString& folder);
