#pragma once
// The VBScript word lists for colouring and completion, and the statement
// skeletons.
class CodeEditor;
class QWidget;

class CodeAssist {
public:
    // Builds KeywordList and FileObjectMemberList.
    CodeAssist();

    // Hands lower-case copies of both lists to the editor as keyword sets 0
    // and 1.
    void InstallKeywordSets(QWidget* window, CodeEditor* editor);

    // Run after every typed character, Enter included: completes a block
    // statement (do, for, if, ...) or a procedure (sub, function, ...) that
    // stands alone on the caret's line.
    void InsertBlockSkeleton(QWidget* window, CodeEditor* editor);
    void InsertProcedureSkeleton(QWidget* window, CodeEditor* editor);
};

// The colouring steps of the main window's start-up, in their order: lexer,
// style bits, the six style colours, colourising, keyword sets, line-number
// margin.
void SetUpColouring(CodeAssist& assist, QWidget* window, CodeEditor* editor);
