#include "QtTestMain.h"

#include "documents/CodeEditor.h"

#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

namespace {
struct ShownEditor {
    CodeEditor editor;
    QWidget* input;
    ShownEditor() : input(editor.focusProxy())
    {
        editor.resize(400, 300);
        editor.show();
        if (!QTest::qWaitForWindowExposed(&editor)) qWarning("editor not exposed");
        input->setFocus();
    }
};
}  // namespace

class CodeEditorTest : public QObject {
    Q_OBJECT
private slots:
    void typedCharactersRaiseOneEventEach_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "do" << QStringList{"d", "o"} << "do";
        QTest::newRow("quote and apostrophe") << "\"'" << QStringList{"\"", "'"} << "\"'";
    }
    void typedCharactersRaiseOneEventEach()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, events);
        QFETCH(QString, text);
        ShownEditor e;
        QSignalSpy typedSpy(&e.editor, &CodeEditor::CharTyped);
        QTest::keyClicks(e.input, typed);
        QStringList got;
        for (const auto& args : typedSpy) got << args.at(0).toString();
        QCOMPARE(got, events);
        QCOMPARE(e.editor.Text(), text);
    }

    void inputMethodTextRaisesOneEventPerCharacter()
    {
        // Chinese arrives through the input method, not as key presses.
        ShownEditor e;
        QSignalSpy typedSpy(&e.editor, &CodeEditor::CharTyped);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("中文"));
        QCoreApplication::sendEvent(e.input, &commit);
        QCOMPARE(e.editor.Text(), "中文");
        QCOMPARE(typedSpy.size(), 2);
        QCOMPARE(typedSpy.at(0).at(0).toString(), "中");
        QCOMPARE(typedSpy.at(1).at(0).toString(), "文");
    }

    void enterGivesCarriageReturnThenLineFeed()
    {
        ShownEditor e;
        QSignalSpy typedSpy(&e.editor, &CodeEditor::CharTyped);
        QTest::keyClick(e.input, Qt::Key_A);
        QTest::keyClick(e.input, Qt::Key_Return);
        QCOMPARE(typedSpy.size(), 3);
        QCOMPARE(typedSpy.at(1).at(0).toString(), "\r");
        QCOMPARE(typedSpy.at(2).at(0).toString(), "\n");
        QCOMPARE(e.editor.Text(), "a\r\n");
        QCOMPARE(e.editor.LineCount(), 2);
    }

    void programInsertedTextRaisesNoTypedEvent()
    {
        ShownEditor e;
        QSignalSpy typedSpy(&e.editor, &CodeEditor::CharTyped);
        QSignalSpy modifiedSpy(&e.editor, &CodeEditor::TextModified);
        e.editor.SetText("x");
        e.editor.ClearAll();
        e.editor.InsertMovingCaret("abc");
        QCOMPARE(e.editor.CaretPosition(), 3);
        e.editor.InsertKeepingCaret("\r\nloop ");
        QCOMPARE(e.editor.CaretPosition(), 3);
        QCOMPARE(e.editor.Text(), "abc\r\nloop ");
        QCOMPARE(typedSpy.size(), 0);
        // The text changed, whoever changed it; told once the changes are done.
        QCOMPARE(modifiedSpy.size(), 0);
        QTRY_COMPARE(modifiedSpy.size(), 1);
    }

    void leavingTheSavedTextIsReportedAtOnce()
    {
        ShownEditor e;
        QSignalSpy leftSpy(&e.editor, &CodeEditor::SavePointLeft);
        e.editor.SetText("abc");
        e.editor.MarkSaved();
        leftSpy.clear();
        QTest::keyClick(e.input, Qt::Key_X);
        QCOMPARE(leftSpy.size(), 1);
        e.editor.MarkSaved();
        e.editor.Undo();  // back before the saved text counts as a change too
        QCOMPARE(leftSpy.size(), 2);
    }

    void enterStartsANewLineEvenWithAListOpen()
    {
        ShownEditor e;
        QTest::keyClicks(e.input, "x");
        QSignalSpy listSpy(&e.editor, &CodeEditor::ListChosen);
        e.editor.ShowList(2, "Xor");
        QTest::keyClick(e.input, Qt::Key_Return);
        QCOMPARE(listSpy.size(), 0);
        QCOMPARE(e.editor.Text(), "x\r\n");
    }

    void anEmptyListClosesTheOpenOne()
    {
        ShownEditor e;
        QTest::keyClicks(e.input, "m");
        QSignalSpy listSpy(&e.editor, &CodeEditor::ListChosen);
        e.editor.ShowList(2, "Month MsgBox ");
        e.editor.ShowList(2, "");
        QTest::keyClick(e.input, Qt::Key_Return);  // a new line, not a choice
        QCOMPARE(listSpy.size(), 0);
        QCOMPARE(e.editor.Text(), "m\r\n");
    }

    void linesAndPositions()
    {
        CodeEditor editor;
        QCOMPARE(editor.TextLength(), 0);
        QCOMPARE(editor.LineCount(), 1);
        editor.SetText("ab\r\n    中c");
        QCOMPARE(editor.LineCount(), 2);
        QCOMPARE(editor.LineText(0), "ab\r\n");
        QCOMPARE(editor.LineText(1), "    中c");
        editor.InsertMovingCaret("");  // caret stays at 0
        QCOMPARE(editor.LineFromPosition(editor.CaretPosition()), 0);
        int end = editor.TextLength();
        QCOMPARE(editor.LineFromPosition(end), 1);
        QCOMPARE(editor.ColumnFromPosition(end), 6);  // characters, not bytes
        QCOMPARE(editor.Text(), "ab\r\n    中c");
    }

    void keyPressIsReportedAndStillHandled()
    {
        ShownEditor e;
        QTest::keyClicks(e.input, "ms");
        QSignalSpy keySpy(&e.editor, &CodeEditor::KeyPressed);
        QTest::keyClick(e.input, Qt::Key_Backspace);
        QCOMPARE(keySpy.size(), 1);
        QCOMPARE(keySpy.at(0).at(0).toInt(), 8);
        QCOMPARE(keySpy.at(0).at(1).toInt(), 0);
        QCOMPARE(e.editor.Text(), "m");
        QTest::keyClick(e.input, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
        // The modifier keys are reported as they go down, as Windows does.
        QCOMPARE(keySpy.at(1).at(0).toInt(), 16);
        QCOMPARE(keySpy.last().at(0).toInt(), 65);
        QCOMPARE(keySpy.last().at(1).toInt(), 3);
    }

    void mouseReleaseComesAfterTheSelectionChanged()
    {
        ShownEditor e;
        e.editor.SetText("hello world");
        QWidget* view = e.input->findChild<QWidget*>("qt_scrollarea_viewport");
        QVERIFY(view);
        int start = -1, end = -1;
        connect(&e.editor, &CodeEditor::MouseReleased, this, [&](int, int, int) { e.editor.Selection(start, end); });
        QSignalSpy releaseSpy(&e.editor, &CodeEditor::MouseReleased);
        e.editor.SelectAll();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(60, 8));
        QCOMPARE(releaseSpy.size(), 1);
        QCOMPARE(releaseSpy.at(0).at(0).toInt(), 60);
        QCOMPARE(start, end);  // the click cleared the selection before the event
    }

    void choosingAListEntryReportsItWithoutInserting()
    {
        ShownEditor e;
        QTest::keyClicks(e.input, "Ms");
        QSignalSpy listSpy(&e.editor, &CodeEditor::ListChosen);
        e.editor.ShowList(2, "MsgBox MonthName");
        QTest::keyClick(e.input, Qt::Key_Tab);
        QCOMPARE(listSpy.size(), 1);
        QCOMPARE(listSpy.at(0).at(0).toInt(), 2);
        QCOMPARE(listSpy.at(0).at(1).toString(), "MsgBox");
        QCOMPARE(e.editor.Text(), "Ms");
    }

    void undoRedoAndClipboard()
    {
        ShownEditor e;
        QTest::keyClicks(e.input, "abc");
        QVERIFY(e.editor.CanUndo());
        QVERIFY(!e.editor.CanRedo());
        e.editor.Undo();
        QVERIFY(e.editor.CanRedo());
        e.editor.Redo();
        QCOMPARE(e.editor.Text(), "abc");
        e.editor.SelectAll();
        e.editor.Cut();
        QCOMPARE(e.editor.TextLength(), 0);
        QVERIFY(e.editor.CanPaste());
        e.editor.Paste();
        e.editor.Paste();
        QCOMPARE(e.editor.Text(), "abcabc");
    }
};

static RegisterTest<CodeEditorTest> registration;
#include "CodeEditorTest.moc"
