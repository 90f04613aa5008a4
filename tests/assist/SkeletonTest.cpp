#include "QtTestMain.h"

#include "assist/CodeAssist.h"
#include "documents/CodeEditor.h"

#include <QTest>
#include <QVBoxLayout>

namespace {

// A shown main window stand-in with the editor wired as the typed-character
// handler wires it: block skeletons first, then procedures.
struct TypingWindow {
    QWidget window;
    CodeEditor* editor;
    CodeAssist assist;
    QWidget* input;

    TypingWindow() : editor(new CodeEditor(&window)), input(editor->focusProxy())
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        QObject::connect(editor, &CodeEditor::CharTyped, &window, [this](const QString&) {
            assist.InsertBlockSkeleton(&window, editor);
            assist.InsertProcedureSkeleton(&window, editor);
        });
        window.resize(500, 300);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) qWarning("window not exposed");
        input->setFocus();
    }

    // Keys: plain text is typed as it stands; <Enter>, <Back>, <Home>, <End>,
    // <Down>, <Up>, <Right>, <Left> and <CtrlEnd> press that key.
    void Press(const QStringList& steps)
    {
        static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys{
            {"<Enter>", {Qt::Key_Return, {}}}, {"<Back>", {Qt::Key_Backspace, {}}},
            {"<Home>", {Qt::Key_Home, {}}},    {"<End>", {Qt::Key_End, {}}},
            {"<Down>", {Qt::Key_Down, {}}},    {"<Up>", {Qt::Key_Up, {}}},
            {"<Right>", {Qt::Key_Right, {}}},  {"<Left>", {Qt::Key_Left, {}}},
            {"<CtrlEnd>", {Qt::Key_End, Qt::ControlModifier}},
        };
        for (const QString& step : steps) {
            auto key = keys.find(step);
            if (key != keys.end())
                QTest::keyClick(input, key->first, key->second);
            else
                QTest::keyClicks(input, step);
        }
    }

    // The text with | where the caret stands.
    QString TextWithCaret() const
    {
        QByteArray text = editor->Text().toUtf8();
        text.insert(editor->CaretPosition(), '|');
        return QString::fromUtf8(text);
    }
};

}  // namespace

class SkeletonTest : public QObject {
    Q_OBJECT
private slots:
    // initial: the text before typing (set by the program, caret at its
    // start); keys: what the user types; expected: the text with | at the
    // caret.
    void typing_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("expected");

        // Every trigger typed on an empty editor.
        QTest::newRow("for each") << "" << QStringList{"for each"} << "for each in \r\n|\r\nnext ";
        QTest::newRow("do") << "" << QStringList{"do"} << "do|\r\nloop ";
        QTest::newRow("for") << "" << QStringList{"for"} << "for|\r\nnext ";
        QTest::newRow("if") << "" << QStringList{"if"} << "if then \r\n|\r\nelse ";
        QTest::newRow("select case") << "" << QStringList{"select case"} << "select case|\r\nend select ";
        QTest::newRow("while") << "" << QStringList{"while"} << "while|\r\nwend ";
        QTest::newRow("with") << "" << QStringList{"with"} << "with|\r\nend with ";
        QTest::newRow("class") << "" << QStringList{"class"} << "class|\r\nend class  ";
        QTest::newRow("function") << "" << QStringList{"function"} << "function 函数名 \r\n|end function ";
        QTest::newRow("sub") << "" << QStringList{"sub"} << "sub 函数名 \r\n|end sub ";
        QTest::newRow("property get") << "" << QStringList{"property get"}
                                      << "property get 函数名 \r\n|end property ";
        QTest::newRow("property let") << "" << QStringList{"property let"}
                                      << "property let 函数名 \r\n|end property ";
        QTest::newRow("property set") << "" << QStringList{"property set"}
                                      << "property set 函数名 \r\n|end property ";

        // Case-blind matching; the inserted texts stay lower case.
        QTest::newRow("DO") << "" << QStringList{"DO"} << "DO|\r\nloop ";
        QTest::newRow("For Each") << "" << QStringList{"For Each"} << "For Each in \r\n|\r\nnext ";
        QTest::newRow("Sub") << "" << QStringList{"Sub"} << "Sub 函数名 \r\n|end sub ";

        // Indentation is repeated on the closing line.
        QTest::newRow("indented while at the end") << "" << QStringList{"    while"} << "    while|\r\n    wend ";
        QTest::newRow("indented while in the middle")
            << "x\r\n\r\ny" << QStringList{"<Down>", "    while"} << "x\r\n    while|\r\n    wend \r\ny";
        QTest::newRow("indented if") << "" << QStringList{"  if"} << "  if then \r\n|\r\n  else ";
        QTest::newRow("indented function") << "" << QStringList{"  function"}
                                           << "  function 函数名 \r\n|  end function ";
        QTest::newRow("indented for each") << "" << QStringList{"  for each"} << "  for each in \r\n|\r\n  next ";
        QTest::newRow("if in the middle") << "a\r\nb" << QStringList{"<End>", "<Enter>", "if"}
                                          << "a\r\nif then \r\n|\r\nelse \r\nb";

        // Edge cases of the matching.
        QTest::newRow("do on an empty last line") << "x = 1\r\n" << QStringList{"<CtrlEnd>", "Do"}
                                                  << "x = 1\r\nDo|\r\nloop ";
        QTest::newRow("document leaves a loop line") << "" << QStringList{"document"} << "document|\r\nloop ";
        QTest::newRow("subtotal fires at its third letter") << "" << QStringList{"subtotal"}
                                                            << "sub 函数名 \r\ntotal|end sub ";
        QTest::newRow("retyped last letter closes again")
            << "" << QStringList{"do", "<Back>", "o"} << "do|\r\nloop \r\nloop ";
        QTest::newRow("enter after a trigger") << "" << QStringList{"do", "<Enter>"} << "do\r\n|\r\nloop ";
        QTest::newRow("enter leaves a trigger alone on the caret's line")
            << "xwith" << QStringList{"<Right>", "<Enter>"} << "x\r\n|\r\nend with with";
        QTest::newRow("select  case with two blanks") << "" << QStringList{"select  case"} << "select  case|";
        QTest::newRow("code before do") << "" << QStringList{"x = 1 : do"} << "x = 1 : do|";
        QTest::newRow("spaces inside do") << "" << QStringList{"d o"} << "d o|";
        QTest::newRow("blanks before the line break stay")
            << "d  \r\nz" << QStringList{"<Right>", "o"} << "do|  \r\nz";
        QTest::newRow("blanks at the end of the last line do not")
            << "d  " << QStringList{"<Right>", "o"} << "do|\r\nloop   ";
        QTest::newRow("for each with a variable")
            << "for each \r\nnext " << QStringList{"<End>", "item"} << "for each item|\r\nnext ";
        QTest::newRow("for each with more on the last line")
            << "for each it" << QStringList{"<End>", "em"} << "for each item|";
        QTest::newRow("only the caret's line") << "do\r\n" << QStringList{"<CtrlEnd>", "x"} << "do\r\nx|";
        QTest::newRow("tab is not a blank") << "\t" << QStringList{"<End>", "do"} << "\tdo|";
    }
    void typing()
    {
        QFETCH(QString, initial);
        QFETCH(QStringList, keys);
        QFETCH(QString, expected);
        TypingWindow w;
        w.editor->SetText(initial);
        w.Press(keys);
        QCOMPARE(w.TextWithCaret(), expected);
    }

    // The length test counts the characters of the trimmed line, not what
    // they are: a one-letter word after the trigger on the last line passes
    // as if it were the line's CR LF.
    void lengthTestCountsOnlyCharacters_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("for x") << "for " << "x" << "for x|\r\nnext ";
        QTest::newRow("for each x") << "for each " << "x" << "for each x in \r\n|";
        QTest::newRow("character beyond 16 bits counts once") << "do" << "𠀀" << "do𠀀|";
    }
    void lengthTestCountsOnlyCharacters()
    {
        QFETCH(QString, initial);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TypingWindow w;
        w.editor->SetText(initial);
        QTest::keyClick(w.input, Qt::Key_End);
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QCoreApplication::sendEvent(w.input, &commit);
        QCOMPARE(w.TextWithCaret(), expected);
    }

    void withoutAnEditorNothingHappens()
    {
        CodeAssist assist;
        assist.InsertBlockSkeleton(nullptr, nullptr);
        assist.InsertProcedureSkeleton(nullptr, nullptr);
    }
};

static RegisterTest<SkeletonTest> registration;
#include "SkeletonTest.moc"
