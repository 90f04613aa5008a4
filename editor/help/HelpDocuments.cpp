#include "help/HelpDocuments.h"

#include "common/ProgramFolder.h"
#include "core/Prompts.h"

void OpenScriptGuide() { UserPrompts().openDocument(ProgramPath(QStringLiteral("/帮助文档/VB脚本从入门到精通.CHM"))); }

void OpenProgramHelp() { UserPrompts().openDocument(ProgramPath(QStringLiteral("/帮助文档/帮助文档.chm"))); }
