#include "QtTestMain.h"
#include "EditorHarness.h"

#include "core/TabControl.h"
#include "run/ScriptDialogs.h"
#include "run/ScriptHost.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {

// Answers the script's dialogs and records them.
struct ScriptedScriptDialogs {
    QStringList echoes;
    QList<int> msgBoxStyles;
    QQueue<int> msgBoxAnswers;
    ScriptedScriptDialogs()
    {
        TheScriptDialogs().echo = [this](QWidget*, const QString& text, const StopScript&) { echoes << text; };
        TheScriptDialogs().msgBox = [this](QWidget*, const QString&, int style, const QString&, const StopScript&) {
            msgBoxStyles << style;
            return msgBoxAnswers.isEmpty() ? 1 : msgBoxAnswers.dequeue();
        };
        TheScriptDialogs().inputBox = [](QWidget*, const QString&, const QString&, const QString& def,
                                         const StopScript&) {
            return std::optional<QString>(def + "!");
        };
    }
    ~ScriptedScriptDialogs() { RestoreDefaultScriptDialogs(); }
};

struct RunHarness : EditorHarness {
    ScriptedScriptDialogs dialogs;
    void RunCode(const QString& code)
    {
        editor->SetText(code);
        Run(Command::RunScript);
    }
    QString Output() const { return window.OutputBox()->toPlainText(); }
    int Page() const { return window.TabControl1()->CurrentPage(); }
};

}  // namespace

class RunScriptTest : public QObject {
    Q_OBJECT
private slots:
    void errorsShowOnTheOutputPageOnce_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("syntax") << "x = 1\r\nIf Then\r\n" << "第 2 行，第 4 列：编译错误 ";
        QTest::newRow("runtime") << "x = 1\r\ny = 1 / 0\r\n" << "第 2 行，第 1 列：运行时错误 11：";
    }
    void errorsShowOnTheOutputPageOnce()
    {
        QFETCH(QString, code);
        QFETCH(QString, error);
        RunHarness h;
        for (int run = 0; run < 2; ++run) {
            h.RunCode(code);
            QCOMPARE(h.Page(), 1);
            QVERIFY2(h.Output().startsWith(error), qPrintable(h.Output()));
            QCOMPARE(h.Output().count(error), 1);
            QVERIFY(h.Output().endsWith("\n"));  // the CR LF after the text
        }
    }

    void aSuccessfulRunLeavesNoTrace()
    {
        RunHarness h;
        h.RunCode("x = 1 / 0");
        h.RunCode("x = 1");
        QCOMPARE(h.Output(), "");
        QCOMPARE(h.Page(), 1);  // a success does not switch pages
        h.window.TabControl1()->SetCurrentPage(0);
        h.RunCode("");
        QCOMPARE(h.Page(), 0);
        QCOMPARE(h.Output(), "");
    }

    void nothingCarriesOverBetweenRuns()
    {
        RunHarness h;
        h.RunCode("x = 5");
        h.RunCode("WScript.Echo \"[\" & x & \"]\"");
        QCOMPARE(h.dialogs.echoes, QStringList{"[]"});
    }

    // The working folder and the environment belong to the editor's process;
    // what a script changes there is undone after its run.
    void theProcessStateIsRestoredAfterARun()
    {
        RunHarness h;
        const QString folder = QDir::currentPath();
        qputenv("QUILLON_KEPT", "before");
        qunsetenv("QUILLON_ADDED");
        h.RunCode("Set sh = CreateObject(\"WScript.Shell\")\r\n"
                  "sh.CurrentDirectory = \"/\"\r\n"
                  "Set env = sh.Environment(\"Process\")\r\n"
                  "env(\"QUILLON_KEPT\") = \"changed\"\r\n"
                  "env(\"QUILLON_ADDED\") = \"new\"\r\n"
                  "WScript.Echo sh.CurrentDirectory & \"|\" & env(\"QUILLON_KEPT\")");
        QCOMPARE(h.Output(), "");
        QCOMPARE(h.dialogs.echoes, QStringList{"/|changed"});
        QCOMPARE(QDir::currentPath(), folder);
        QCOMPARE(qgetenv("QUILLON_KEPT"), QByteArray("before"));
        QVERIFY(!qEnvironmentVariableIsSet("QUILLON_ADDED"));
    }

    void msgBoxReturnsTheAnswer()
    {
        RunHarness h;
        h.dialogs.msgBoxAnswers << 6 << 7;
        h.RunCode("WScript.Echo MsgBox(\"q\", vbYesNo + vbQuestion, \"t\") = vbYes\r\n"
                  "WScript.Echo MsgBox(\"q\", vbYesNo) = vbNo\r\n"
                  "WScript.Echo InputBox(\"p\", \"t\", \"d\")");
        QCOMPARE(h.Output(), "");
        QCOMPARE(h.dialogs.msgBoxStyles, (QList<int>{4 + 32, 4}));
        QCOMPARE(h.dialogs.echoes, (QStringList{"-1", "-1", "d!"}));
    }

    void scriptSeesTheDocumentPath()
    {
        RunHarness h;
        h.Write(h.Path("示例.vbs"), "WScript.Echo WScript.ScriptFullName");
        h.Open(h.Path("示例.vbs"));
        h.Run(Command::RunScript);
        QCOMPARE(h.dialogs.echoes, QStringList{h.Path("示例.vbs")});
    }

    void anEndlessLoopIsStoppedAndTheEditorGoesOn()
    {
        RunHarness h;
        connect(h.window.ScriptHost1(), &ScriptHost::RunningWindowShown, this, [](QWidget* running) {
            running->findChild<QPushButton*>("停止")->click();
        });
        h.RunCode("Do\r\n  i = i + 1\r\nLoop");
        QCOMPARE(h.Output(), "脚本已被用户停止\n");
        QCOMPARE(h.Page(), 1);
        h.RunCode("x = 1");
        QCOMPARE(h.Output(), "");
        h.Type("a");
        QVERIFY(h.editor->Text().contains("a"));
    }

    // A script that opens one dialog after another is stopped from the
    // dialog itself: each of the real dialogs has 停止.
    void endlessDialogsAreStoppedFromTheDialog_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("echo") << "Do : WScript.Echo Now : Loop";
        QTest::newRow("msgbox") << "Do : MsgBox \"again\", vbYesNo : Loop";
        QTest::newRow("inputbox") << "Do : x = InputBox(\"again\") : Loop";
    }
    void endlessDialogsAreStoppedFromTheDialog()
    {
        QFETCH(QString, code);
        RunHarness h;
        RestoreDefaultScriptDialogs();
        int dialogs = 0;
        bool pressedStop = false;
        QTimer presser;
        connect(&presser, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            // The first two are answered as usual; the third is stopped.
            if (++dialogs < 3) {
                QTest::keyClick(dialog, Qt::Key_Return);
                return;
            }
            QPushButton* stop = dialog->findChild<QPushButton*>("停止");
            pressedStop = stop != nullptr;
            if (stop) stop->click();
            else h.window.ScriptHost1()->RequestStop();  // ends the run, and the test fails
        });
        presser.start(50);
        h.RunCode(code);
        presser.stop();
        QCOMPARE(dialogs, 3);
        QVERIFY(pressedStop);
        QCOMPARE(h.Output(), "脚本已被用户停止\n");
    }

    // Closing the main window while a script runs asks to stop it; the
    // close then goes on to the save question.
    void closingTheWindowStopsTheScriptAndAsksToSave()
    {
        RunHarness h;
        h.Type("x = 1");
        h.prompts.answers << Answer::Yes << Answer::Cancel;  // stop it; then keep the text
        QTimer::singleShot(200, &h.window, [&] { h.window.close(); });
        h.editor->SetText("Do\r\n  i = i + 1\r\nLoop");
        h.Doc().DocumentModified = true;
        h.Run(Command::RunScript);
        QCOMPARE(h.Output(), "脚本已被用户停止\n");
        QTRY_COMPARE(h.prompts.questions.size(), 2);
        QVERIFY2(h.prompts.questions[0].contains("要停止脚本并关闭程序吗"), qPrintable(h.prompts.questions[0]));
        QVERIFY(h.prompts.questions[1].contains("是否要保存"));
        QVERIFY(h.window.isVisible());
    }

    // An error of one document is not shown for the next.
    void theOutputPageStartsEmptyForAnotherDocument()
    {
        RunHarness h;
        h.Write(h.Path("b.vbs"), "x = 2");
        h.RunCode("x = 1 / 0");
        QVERIFY(!h.Output().isEmpty());
        h.Open(h.Path("b.vbs"));
        QCOMPARE(h.Output(), "");
        h.RunCode("x = 1 / 0");
        h.Run(Command::NewDocument);
        QCOMPARE(h.Output(), "");
    }

    void unboundedRecursionIsError28()
    {
        RunHarness h;
        h.RunCode("Sub Down(n)\r\n  Down n + 1\r\nEnd Sub\r\nDown 0");
        QVERIFY2(h.Output().contains("运行时错误 28"), qPrintable(h.Output()));
    }

    void doubleClickingAnErrorGoesToItsPlace()
    {
        RunHarness h;
        h.RunCode("x = 1\r\n  y = 1 / 0\r\n");
        QPlainTextEdit* box = h.window.OutputBox();
        QPoint at = box->cursorRect(QTextCursor(box->document()->firstBlock())).center();
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
        const int caret = h.editor->CaretPosition();
        QCOMPARE(h.editor->LineFromPosition(caret), 1);
        QCOMPARE(h.editor->ColumnFromPosition(caret), 2);
    }
};

static RegisterTest<RunScriptTest> registration;
#include "RunScriptTest.moc"
