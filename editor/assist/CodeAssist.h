#pragma once
// The VBScript word lists for colouring and completion, and the statement
// skeletons.
class CodeEditor;
class QString;
class QWidget;

class CodeAssist {
public:
    // Builds KeywordList and FileObjectMemberList.
    CodeAssist();

    // Hands lower-case copies of both lists to the editor as keyword sets 0
    // and 1.
    void InstallKeywordSets(QWidget* window, CodeEditor* editor);

    // Run after every typed character, Enter included: completes a block
    // statement (do, for, if, ...) or a procedure (sub, function, ...) once
    // its whole opening word stands alone on its line and is ended by the
    // space or the line break just typed; never inside a longer word.
    void InsertBlockSkeleton(QWidget* window, CodeEditor* editor, const QString& typed);
    void InsertProcedureSkeleton(QWidget* window, CodeEditor* editor, const QString& typed);
};

// The colouring steps of the main window's start-up, in their order: lexer,
// style bits, the six style colours, colourising, keyword sets, line-number
// margin.
void SetUpColouring(CodeAssist& assist, QWidget* window, CodeEditor* editor);
