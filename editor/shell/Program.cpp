#include "shell/Program.h"

#include "assist/KeywordLists.h"
#include "core/ErrorReporter.h"
#include "shell/Skins.h"

#include <QCoreApplication>

namespace {
bool ending = false;
}

ProgramObjects& Objects()
{
    static ProgramObjects objects;
    return objects;
}

void CreateProgramObjects()
{
    ProgramObjects& o = Objects();
    o.editorDocument = std::make_unique<EditorDocument>();
    o.toolbarStates = std::make_unique<ToolbarStates>();
    o.helpDatabase = std::make_unique<HelpDatabase>();
    o.codeAssist = std::make_unique<CodeAssist>();
    o.helpTree = std::make_unique<HelpTree>();
    o.hintBlock = std::make_unique<HintBlock>();
    o.cursorStatus = std::make_unique<CursorStatus>();
}

void ExitRoutine()
{
    ProgramObjects& o = Objects();
    o.editorDocument.reset();
    o.toolbarStates.reset();
    o.helpDatabase.reset();
    o.codeAssist.reset();
    o.helpTree.reset();
    o.hintBlock.reset();
    o.cursorStatus.reset();
    ReleaseCurrentSkin();
    ReleaseModuleLabel();
    ReleaseKeywordLists();
}

void EndProgram()
{
    if (ending) return;
    ending = true;
    QCoreApplication::exit(0);
}

bool ProgramEnding() { return ending; }
