#include "common/CommandLine.h"

#include <QCoreApplication>

QStringList ProgramArguments() { return QCoreApplication::arguments().mid(1); }
