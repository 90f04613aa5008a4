#pragma once
// The program's spine: the seven program-wide objects, and how
// it ends.
#include "assist/CodeAssist.h"
#include "help/HelpDatabase.h"
#include "help/HelpTree.h"
#include "assist/HintBlock.h"
#include "core/ProgramVersion.h"
#include "documents/CursorStatus.h"
#include "documents/EditorDocument.h"
#include "documents/ToolbarStates.h"

#include <QString>

#include <memory>

// Holders of operations, created in this order at start-up and destroyed in
// the same order by ExitRoutine.
struct ProgramObjects {
    std::unique_ptr<EditorDocument> editorDocument;
    std::unique_ptr<ToolbarStates> toolbarStates;
    std::unique_ptr<HelpDatabase> helpDatabase;
    std::unique_ptr<CodeAssist> codeAssist;
    std::unique_ptr<HelpTree> helpTree;
    std::unique_ptr<HintBlock> hintBlock;
    std::unique_ptr<CursorStatus> cursorStatus;
};

ProgramObjects& Objects();
void CreateProgramObjects();

// Runs last, whichever way the program ended.
void ExitRoutine();

// Stops the message loop; the window is not asked whether it may close.
// A second request while ending does nothing.
void EndProgram();
bool ProgramEnding();
