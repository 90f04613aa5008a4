#include "QtTestMain.h"
#include "EditorHarness.h"

#include "assist/Completion.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace ToolbarButton;

class EditorEventsTest : public QObject {
    Q_OBJECT
private slots:
    void typingShowsTheCaretInTheStatusBar()
    {
        EditorHarness h;
        QCOMPARE(h.Panel(2), "");
        h.Type("a");
        QCOMPARE(h.Panel(2), "1");
        QCOMPARE(h.Panel(4), "1");
        QCOMPARE(h.Panel(6), "X 0  Y 1");
        QVERIFY(h.Doc().DocumentModified);
    }

    void typingOnTheFifthLine()
    {
        EditorHarness h;
        h.editor->SetText("1\r\n2\r\n3\r\n4\r\n");
        QTest::keyClick(h.input, Qt::Key_End, Qt::ControlModifier);
        h.Type("z");
        QCOMPARE(h.Panel(2), "5");
        QCOMPARE(h.Panel(4), "5");
        QCOMPARE(h.Panel(6), "X 4  Y 1");
    }

    void panelsFollowTheCaretWithoutTyping()
    {
        EditorHarness h;
        h.Type("abc");
        QTest::keyClick(h.input, Qt::Key_Left);
        QTRY_COMPARE(h.Panel(6), "X 0  Y 2");
        h.editor->SetText("x\r\ny\r\nz");
        QTRY_COMPARE(h.Panel(2), "3");
    }

    void selectingEnablesCutAndCopy_data()
    {
        QTest::addColumn<bool>("withMouse");
        QTest::newRow("mouse") << true;
        QTest::newRow("keyboard") << false;
    }
    void selectingEnablesCutAndCopy()
    {
        QFETCH(bool, withMouse);
        EditorHarness h;
        h.Type("abc def");
        QWidget* view = h.input->findChild<QWidget*>("qt_scrollarea_viewport");
        if (withMouse) {
            h.editor->SelectAll();
            QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(5, 5));
            h.editor->SelectAll();  // the release reads the selection as it then is
            QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(5, 5));
        } else {
            QTest::keyClick(h.input, Qt::Key_Escape);  // closes the completion list
            QTest::keyClick(h.input, Qt::Key_Home);
            QTest::keyClick(h.input, Qt::Key_Right, Qt::ShiftModifier);
        }
        QTRY_VERIFY(h.Button(Cut));
        QVERIFY(h.Button(Copy));
        QVERIFY(h.MenuItem(Command::Cut) && h.MenuItem(Command::Copy));

        // Clicking without selecting switches them off again.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(60, 5));
        QTRY_VERIFY(!h.Button(Cut));
        QVERIFY(!h.MenuItem(Command::Copy));
    }

    void backspaceRemovesOneWholeCharacterOfTheTypedWord_data()
    {
        QTest::addColumn<QString>("typedWord");
        QTest::addColumn<QString>("after");
        QTest::newRow("ms") << "ms" << "m";
        QTest::newRow("chinese") << "中文" << "中";
        QTest::newRow("empty") << "" << "";
    }
    void backspaceRemovesOneWholeCharacterOfTheTypedWord()
    {
        QFETCH(QString, typedWord);
        QFETCH(QString, after);
        EditorHarness h;
        h.editor->SetText("xx");
        h.Typing().SetTypedWord(typedWord);
        QTest::keyClick(h.input, Qt::Key_End);
        QTest::keyClick(h.input, Qt::Key_Backspace);
        QCOMPARE(h.Typing().TypedWord(), after);
        QCOMPARE(h.editor->Text(), "x");  // the editor deletes as usual
    }

    void choosingACompletionInsertsTheRestInTheTypedCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("listType");
        QTest::addColumn<QString>("result");
        QTest::newRow("Ms") << "Ms" << 2 << "MsgBox";
        QTest::newRow("ms") << "ms" << 2 << "msgBox";
        QTest::newRow("other list type") << "Ms" << 3 << "Ms";
    }
    void choosingACompletionInsertsTheRestInTheTypedCase()
    {
        QFETCH(QString, typed);
        QFETCH(int, listType);
        QFETCH(QString, result);
        EditorHarness h;
        h.Type(typed);
        QCOMPARE(h.Typing().TypedPrefixLength(), 2);
        emit h.editor->ListChosen(listType, "MsgBox");
        QCOMPARE(h.editor->Text(), result);
        QCOMPARE(h.editor->CaretPosition(), result.size());
    }

    void choosingFromTheRealListWorks()
    {
        EditorHarness h;
        h.Type("ms");
        QTest::keyClick(h.input, Qt::Key_Tab);  // takes the one entry, MsgBox
        QCOMPARE(h.editor->Text(), "msgBox");
        QVERIFY(h.Doc().DocumentModified);
    }
};

static RegisterTest<EditorEventsTest> registration;
#include "EditorEventsTest.moc"
