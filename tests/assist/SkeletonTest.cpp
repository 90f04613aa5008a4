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
        QObject::connect(editor, &CodeEditor::CharTyped, &window, [this](const QString& typed) {
            assist.InsertBlockSkeleton(&window, editor, typed);
            assist.InsertProcedureSkeleton(&window, editor, typed);
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

        // Every trigger typed on an empty editor and ended by a space.
        QTest::newRow("for each") << "" << QStringList{"for each "} << "for each in \r\n|\r\nnext ";
        QTest::newRow("do") << "" << QStringList{"do "} << "do |\r\nloop ";
        QTest::newRow("for") << "" << QStringList{"for "} << "for |\r\nnext ";
        QTest::newRow("if") << "" << QStringList{"if "} << "if then \r\n|\r\nelse \r\nend if ";
        QTest::newRow("select case") << "" << QStringList{"select case "} << "select case |\r\nend select ";
        QTest::newRow("while") << "" << QStringList{"while "} << "while |\r\nwend ";
        QTest::newRow("with") << "" << QStringList{"with "} << "with |\r\nend with ";
        QTest::newRow("class") << "" << QStringList{"class "} << "class |\r\nend class  ";
        QTest::newRow("function") << "" << QStringList{"function "} << "function 函数名 \r\n|end function ";
        QTest::newRow("sub") << "" << QStringList{"sub "} << "sub 函数名 \r\n|end sub ";
        QTest::newRow("property get") << "" << QStringList{"property get "}
                                      << "property get 函数名 \r\n|end property ";
        QTest::newRow("property let") << "" << QStringList{"property let "}
                                      << "property let 函数名 \r\n|end property ";
        QTest::newRow("property set") << "" << QStringList{"property set "}
                                      << "property set 函数名 \r\n|end property ";

        // Ended by Enter instead: the same skeleton, the caret on the new line.
        QTest::newRow("do, enter") << "" << QStringList{"do", "<Enter>"} << "do\r\n|\r\nloop ";
        QTest::newRow("if, enter") << "" << QStringList{"if", "<Enter>"} << "if then \r\n|\r\nelse \r\nend if ";
        QTest::newRow("sub, enter") << "" << QStringList{"sub", "<Enter>"} << "sub 函数名 \r\n|end sub ";
        QTest::newRow("for each, enter") << "" << QStringList{"for each", "<Enter>"} << "for each in \r\n|\r\nnext ";
        QTest::newRow("space, then enter, fires once") << "" << QStringList{"with ", "<Enter>"}
                                                        << "with \r\n|\r\nend with ";

        // Case-blind matching; the inserted texts stay lower case.
        QTest::newRow("DO") << "" << QStringList{"DO "} << "DO |\r\nloop ";
        QTest::newRow("For Each") << "" << QStringList{"For Each "} << "For Each in \r\n|\r\nnext ";
        QTest::newRow("Sub") << "" << QStringList{"Sub "} << "Sub 函数名 \r\n|end sub ";

        // Indentation is repeated on the closing lines.
        QTest::newRow("indented while at the end") << "" << QStringList{"    while "} << "    while |\r\n    wend ";
        QTest::newRow("indented while in the middle")
            << "x\r\n\r\ny" << QStringList{"<Down>", "    while "} << "x\r\n    while |\r\n    wend \r\ny";
        QTest::newRow("indented if") << "" << QStringList{"  if "} << "  if then \r\n|\r\n  else \r\n  end if ";
        QTest::newRow("indented function") << "" << QStringList{"  function "}
                                           << "  function 函数名 \r\n|  end function ";
        QTest::newRow("indented for each") << "" << QStringList{"  for each "} << "  for each in \r\n|\r\n  next ";
        QTest::newRow("if in the middle") << "a\r\nb" << QStringList{"<End>", "<Enter>", "if "}
                                          << "a\r\nif then \r\n|\r\nelse \r\nend if \r\nb";

        // Words that merely begin with a trigger fire nothing.
        QTest::newRow("subtotal") << "" << QStringList{"subtotal = 5"} << "subtotal = 5|";
        QTest::newRow("iframe") << "" << QStringList{"iframe = 1"} << "iframe = 1|";
        QTest::newRow("done") << "" << QStringList{"done", "<Enter>"} << "done\r\n|";
        QTest::newRow("format") << "" << QStringList{"format "} << "format |";
        QTest::newRow("document") << "" << QStringList{"document "} << "document |";
        QTest::newRow("classic") << "" << QStringList{"classic", "<Enter>"} << "classic\r\n|";

        // Edge cases of the matching.
        QTest::newRow("do on an empty last line") << "x = 1\r\n" << QStringList{"<CtrlEnd>", "Do "}
                                                  << "x = 1\r\nDo |\r\nloop ";
        QTest::newRow("retyped space closes again")
            << "" << QStringList{"do ", "<Back>", " "} << "do |\r\nloop \r\nloop ";
        QTest::newRow("a second space does not") << "" << QStringList{"do  "} << "do  |\r\nloop ";
        QTest::newRow("enter in the middle of a line")
            << "xwith" << QStringList{"<Right>", "<Enter>"} << "x\r\n|with";
        QTest::newRow("select  case with two blanks") << "" << QStringList{"select  case "} << "select  case |";
        QTest::newRow("code before do") << "" << QStringList{"x = 1 : do "} << "x = 1 : do |";
        QTest::newRow("spaces inside do") << "" << QStringList{"d o "} << "d o |";
        QTest::newRow("text after the caret") << "x" << QStringList{"do "} << "do |x";
        QTest::newRow("for each with a variable")
            << "for each \r\nnext " << QStringList{"<End>", "item "} << "for each item |\r\nnext ";
        QTest::newRow("only the caret's line") << "do\r\n" << QStringList{"<CtrlEnd>", "x "} << "do\r\nx |";
        QTest::newRow("tab is not a blank") << "\t" << QStringList{"<End>", "do "} << "\tdo |";
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

    // A document with LF line ends gets LF skeletons.
    void skeletonsUseTheDocumentsLineEnds()
    {
        TypingWindow w;
        w.editor->SetLineEnd(LineEnd::Lf);
        w.Press({"if", "<Enter>", "do "});
        QCOMPARE(w.TextWithCaret(), "if then \ndo |\nloop \nelse \nend if ");
    }

    void withoutAnEditorNothingHappens()
    {
        CodeAssist assist;
        assist.InsertBlockSkeleton(nullptr, nullptr, " ");
        assist.InsertProcedureSkeleton(nullptr, nullptr, " ");
    }
};

static RegisterTest<SkeletonTest> registration;
#include "SkeletonTest.moc"
