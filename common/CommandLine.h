#pragma once
#include <QStringList>

// The program's command-line arguments, its own path excluded. Each argument
// arrives whole, spaces and all, as the caller passed it.
QStringList ProgramArguments();
