#include "QtTestMain.h"
#include "EditorHarness.h"


#include <QClipboard>
#include <QGuiApplication>

using namespace ToolbarButton;

class EditCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void startUpStatesFollowTheClipboard_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("empty clipboard") << "";
        QTest::newRow("text on the clipboard") << "x";
    }
    void startUpStatesFollowTheClipboard()
    {
        QFETCH(QString, clipboard);
        if (clipboard.isEmpty())
            QGuiApplication::clipboard()->clear();
        else
            QGuiApplication::clipboard()->setText(clipboard);
        EditorHarness h;
        QCOMPARE(h.Button(Paste), !clipboard.isEmpty());
        QVERIFY(!h.Button(Clear));
        QVERIFY(h.MenuItem(Command::Paste));
    }

    void typingEnablesUndoAndClear()
    {
        EditorHarness h;
        h.Type("a");
        QVERIFY(h.Button(Undo));
        QVERIFY(h.Button(Clear));
        QVERIFY(h.MenuItem(Command::Undo));
        QVERIFY(!h.Button(Redo));
    }

    void undoAndRedo()
    {
        EditorHarness h;
        h.Type("a");
        h.Run(Command::Undo);
        QCOMPARE(h.editor->TextLength(), 0);
        QCOMPARE(h.Message(), "撤消成功");
        QVERIFY(h.Button(Redo));
        QVERIFY(h.MenuItem(Command::Redo));
        h.Run(Command::Redo);
        QCOMPARE(h.editor->Text(), "a");
        QCOMPARE(h.Message(), "重复成功");
        QVERIFY(h.Button(Undo));

        h.window.StatusBar1()->SetPanelText(kMessagePanel, "");
        h.Run(Command::Redo);  // nothing left to redo
        QVERIFY(!h.Button(Redo));
        h.Run(Command::Undo);
        h.Run(Command::Undo);  // nothing left to undo
        QVERIFY(!h.Button(Undo));
        QVERIFY(h.MenuItem(Command::Undo));  // menu items stay enabled
        QCOMPARE(h.Message(), "撤消成功");  // only from the first of the two
    }

    void copyKeepsTheSelectionButSwitchesTheButtons()
    {
        EditorHarness h;
        h.Type("abc");
        h.Run(Command::SelectAll);
        QVERIFY(h.Button(Cut) && h.Button(Copy));
        QVERIFY(h.MenuItem(Command::Cut) && h.MenuItem(Command::Copy));
        h.Run(Command::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), "abc");
        int start, end;
        h.editor->Selection(start, end);
        QCOMPARE(end - start, 3);
        QVERIFY(!h.Button(Cut) && !h.Button(Copy));
        QVERIFY(h.Button(Paste));
    }

    void cutAllThenTheSelectionIsGone()
    {
        EditorHarness h;
        h.Type("abc");
        h.Run(Command::SelectAll);
        h.Run(Command::Cut);
        QCOMPARE(QGuiApplication::clipboard()->text(), "abc");
        QCOMPARE(h.editor->TextLength(), 0);
        QVERIFY(!h.Button(Cut) && !h.Button(Copy));
        // The menu items follow the selection, which the cut removed.
        QTRY_VERIFY(!h.MenuItem(Command::Cut));
        QVERIFY(!h.MenuItem(Command::Copy));
    }

    void pasteEnablesUndo()
    {
        QGuiApplication::clipboard()->setText("pasted");
        EditorHarness h;
        h.Run(Command::Paste);
        QCOMPARE(h.editor->Text(), "pasted");
        QVERIFY(h.Button(Undo));
    }

    void clearEmptiesWithoutAQuestion()
    {
        EditorHarness h;
        h.Type("abc");
        h.Run(Command::Clear);
        QCOMPARE(h.editor->TextLength(), 0);
        QVERIFY(!h.Button(Clear));
        QVERIFY(h.prompts.questions.isEmpty());
        QCOMPARE(h.Message(), "");
    }

    void hotkeysReachTheCommands()
    {
        EditorHarness h;
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        h.input->setFocus();
        h.Type("abc");
        QTest::keyClick(h.input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(h.input, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "abc");
        QTest::keyClick(h.input, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.Message(), "撤消成功");
    }
};

static RegisterTest<EditCommandsTest> registration;
#include "EditCommandsTest.moc"
