#include "QtTestMain.h"
#include "EditorHarness.h"

#include "core/ProgramVersion.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace {
const QString kQuestion = QStringLiteral("代码编辑框|代码编辑框的内容己修变,\r\n是否要保存?");
const QByteArray kGbkScript = QByteArray("msgbox \"\xD6\xD0\xCE\xC4\"\r\nx = 1\r\n");  // 中文
}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void newOnAnUntouchedEditorAsksNothing()
    {
        EditorHarness h;
        h.Run(Command::NewDocument);
        QVERIFY(h.prompts.questions.isEmpty());
        QCOMPARE(h.Message(), "");
        QCOMPARE(h.editor->TextLength(), 0);
    }

    void newAfterTypingAsksAndSavesIntoANewFile()
    {
        EditorHarness h;
        h.Type("abc");
        QVERIFY(DocumentModified);
        h.prompts.answers << Answer::Yes;
        h.prompts.paths << h.Path("a.vbs");
        h.Run(Command::NewDocument);
        QCOMPARE(h.prompts.questions, QStringList{kQuestion});
        QCOMPARE(h.prompts.questionHadCancel, QList<bool>{false});
        QCOMPARE(h.Read(h.Path("a.vbs")), "abc");
        QCOMPARE(h.Message(), "新建成功");
        QCOMPARE(h.editor->TextLength(), 0);
        QVERIFY(!DocumentModified);
        QCOMPARE(h.window.windowTitle(), VersionedTitle());
    }

    void newKeepsTheTextWhenItsSaveIsCancelled()
    {
        EditorHarness h;
        h.Type("abc");
        h.prompts.answers << Answer::Yes;
        h.prompts.paths << "";
        h.Run(Command::NewDocument);
        QCOMPARE(h.Message(), "保存失败");
        QCOMPARE(h.editor->Text(), "abc");
    }

    void newAnsweredNoDiscardsTheText()
    {
        EditorHarness h;
        h.Type("abc");
        h.prompts.answers << Answer::No;
        h.Run(Command::NewDocument);
        QCOMPARE(h.editor->TextLength(), 0);
        QCOMPARE(h.Message(), "");
        QVERIFY(h.prompts.pathModes.isEmpty());
    }

    void saveAfterNewAsksOnceThenSavesIntoTheChosenFile()
    {
        EditorHarness h;
        h.Run(Command::NewDocument);
        h.Type("abc");
        h.prompts.paths << h.Path("x.vbs");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存成功");
        QCOMPARE(h.window.windowTitle(), h.Path("x.vbs"));
        h.Type("d");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.prompts.pathModes, QList<PathMode>{PathMode::Save});
        QCOMPARE(h.Read(h.Path("x.vbs")), "abcd");
    }

    void cancelledSaveWritesNothingAndAsksAgainNextTime()
    {
        EditorHarness h;
        h.Type("abc");
        h.prompts.paths << "" << "";
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存失败");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.prompts.pathModes.size(), 2);  // still no file of its own
        QVERIFY(QDir(h.dir.path()).isEmpty());
    }

    void openShowsTheFileAndSaveWritesThatFileItself()
    {
        EditorHarness h;
        const QString path = h.Path("a.vbs");
        h.Write(path, kGbkScript);
        h.Open(path);
        QCOMPARE(h.prompts.pathModes, QList<PathMode>{PathMode::Open});
        QCOMPARE(h.Message(), "打开成功");
        QCOMPARE(h.window.windowTitle(), path);
        QCOMPARE(h.editor->Text(), "msgbox \"中文\"\r\nx = 1\r\n");
        QVERIFY(!DocumentModified);
        QVERIFY(!h.editor->CanUndo());
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存成功");
        QVERIFY(!QFileInfo::exists(path + ".vbs"));
        QCOMPARE(h.Read(path), kGbkScript);
    }

    void openingAnEmptyFileGivesAnEmptyDocument()
    {
        EditorHarness h;
        h.Write(h.Path("empty.vbs"), "");
        h.editor->SetText("old");
        h.Open(h.Path("empty.vbs"));
        QCOMPARE(h.Message(), "打开成功");
        QCOMPARE(h.editor->TextLength(), 0);
        QCOMPARE(h.window.windowTitle(), h.Path("empty.vbs"));
    }

    void unreadableFileChangesNothing_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("neither GBK nor UTF-8") << true;
        QTest::newRow("missing") << false;
    }
    void unreadableFileChangesNothing()
    {
        QFETCH(bool, exists);
        EditorHarness h;
        QByteArray noise(2048, '\0');
        for (char& b : noise) b = char(QRandomGenerator::global()->bounded(256));
        noise[0] = char(0xFF);
        noise[1] = char(0xFF);  // no byte-order mark, not GBK
        const QString path = h.Path("noise.vbs");
        if (exists) h.Write(path, noise);
        h.editor->SetText("keep me");
        h.Run(Command::OpenDocument);  // cancelled: nothing happens
        h.Open(path);
        QCOMPARE(h.Message(), "打开失败");
        QCOMPARE(h.editor->Text(), "keep me");
        QCOMPARE(h.window.windowTitle(), VersionedTitle());
        QCOMPARE(h.Read(path), exists ? noise : QByteArray());
    }

    void openWhileModifiedAsksFirst()
    {
        EditorHarness h;
        h.Write(h.Path("a.vbs"), "a");
        h.Type("abc");
        h.prompts.answers << Answer::No;
        h.prompts.paths << "";
        h.Run(Command::OpenDocument);  // asked, then the open dialog cancelled
        QCOMPARE(h.prompts.questions, QStringList{kQuestion});
        QCOMPARE(h.editor->Text(), "abc");
        QVERIFY(DocumentModified);  // a later 新建 still asks

        // Yes with a save that is cancelled cancels the open as well.
        h.prompts.answers << Answer::Yes;
        h.prompts.paths << "";
        h.Run(Command::OpenDocument);
        QCOMPARE(h.prompts.pathModes.last(), PathMode::Save);
        QCOMPARE(h.prompts.pathModes.size(), 2);
        QCOMPARE(h.editor->Text(), "abc");
    }

    void everyUserChangeMarksTheDocument_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("paste") << int(Command::Paste);
        QTest::newRow("clear") << int(Command::Clear);
        QTest::newRow("cut all") << int(Command::Cut);
    }
    void everyUserChangeMarksTheDocument()
    {
        QFETCH(int, command);
        EditorHarness h;
        QGuiApplication::clipboard()->setText("pasted");
        h.Write(h.Path("a.vbs"), "text");
        h.Open(h.Path("a.vbs"));
        QVERIFY(!DocumentModified);
        h.editor->SelectAll();
        h.Run(Command(command));
        QVERIFY(DocumentModified);
    }

    void undoAndRedoMarkTheDocument()
    {
        EditorHarness h;
        h.Write(h.Path("a.vbs"), "text");
        h.Open(h.Path("a.vbs"));
        h.Type("x");
        h.Run(Command::SaveDocument);
        QVERIFY(!DocumentModified);
        h.Run(Command::Undo);
        QVERIFY(DocumentModified);
        h.Run(Command::SaveDocument);
        h.Run(Command::Redo);
        QVERIFY(DocumentModified);
    }

    void saveAsWritesACopyAndChangesNothingElse()
    {
        EditorHarness h;
        h.Type("abc");
        h.prompts.paths << h.Path("copy.vbs");
        h.Run(Command::SaveDocumentAs);
        QCOMPARE(h.Message(), "另存为成功");
        QCOMPARE(h.Read(h.Path("copy.vbs")), "abc");
        QCOMPARE(h.window.windowTitle(), VersionedTitle());
        QVERIFY(DocumentModified);
        h.prompts.paths << "";
        h.Run(Command::SaveDocumentAs);  // cancelled: nothing shown
        QCOMPARE(h.Message(), "另存为成功");
    }

    void saveAfterNewAndOpenStillAsks()
    {
        EditorHarness h;
        h.Write(h.Path("a.vbs"), "a");
        h.Run(Command::NewDocument);
        h.Open(h.Path("a.vbs"));
        h.prompts.paths << h.Path("b.vbs");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.prompts.pathModes.last(), PathMode::Save);
        QCOMPARE(h.Read(h.Path("b.vbs")), "a");
        QCOMPARE(h.window.windowTitle(), h.Path("b.vbs"));
    }

    void textThatGbkCannotHoldIsNotSaved()
    {
        EditorHarness h;
        const QString path = h.Path("a.vbs");
        h.Write(path, "old");
        h.Open(path);
        h.editor->SetText("line 1\r\nline 2 한\r\n");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存失败");
        QCOMPARE(h.Read(path), "old");
        QCOMPARE(h.prompts.warnings.size(), 1);
        QVERIFY2(h.prompts.warnings[0].contains("第 2 行") && h.prompts.warnings[0].contains("한"),
                 qPrintable(h.prompts.warnings[0]));
    }

    void failedWriteReportsAndLeavesNoFile()
    {
        EditorHarness h;
        h.Type("abc");
        QDir(h.dir.path()).mkdir("folder");
        h.prompts.paths << h.Path("folder");  // a folder, not a file
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存失败");
        QVERIFY(QFileInfo(h.Path("folder")).isDir());
        QVERIFY(DocumentModified);
    }

    void encodingsRoundTripByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("gbk") << kGbkScript;
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFmsgbox \"\xE4\xB8\xAD\"\r\n");
        QTest::newRow("utf-8 without mark") << QByteArray("msgbox \"\xF0\x9F\x98\x80\"\r\n");
        QTest::newRow("utf-16le") << QByteArray("\xFF\xFE\x2D\x4E\x0D\x00\x0A\x00", 8);
    }
    void encodingsRoundTripByteForByte()
    {
        QFETCH(QByteArray, bytes);
        EditorHarness h;
        const QString path = h.Path("s.vbs");
        h.Write(path, bytes);
        h.Open(path);
        QCOMPARE(h.Message(), "打开成功");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存成功");
        QCOMPARE(h.Read(path), bytes);
    }

    void closingAsksAndCancelKeepsTheProgram_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("savePath");  // for Yes: "" cancels the save
        QTest::addColumn<bool>("mayClose");
        QTest::newRow("cancel") << int(Answer::Cancel) << "" << false;
        QTest::newRow("no") << int(Answer::No) << "" << true;
        QTest::newRow("yes, save cancelled") << int(Answer::Yes) << "" << false;
        QTest::newRow("yes, saved") << int(Answer::Yes) << "saved.vbs" << true;
    }
    void closingAsksAndCancelKeepsTheProgram()
    {
        QFETCH(int, answer);
        QFETCH(QString, savePath);
        QFETCH(bool, mayClose);
        EditorHarness h;
        h.Type("abc");
        h.prompts.answers << Answer(answer);
        h.prompts.paths << (savePath.isEmpty() ? QString() : h.Path(savePath));
        QCOMPARE(Objects().editorDocument->MayClose(h.window.Documents()), mayClose);
        QCOMPARE(h.prompts.questionHadCancel, QList<bool>{true});
        QCOMPARE(h.editor->Text(), "abc");
    }

    void windowCloseIsRefusedWhileTheUserCancels()
    {
        EditorHarness h;
        h.Type("abc");
        h.prompts.answers << Answer::Cancel;
        QVERIFY(!h.window.close());
        QVERIFY(h.window.isVisible());
        QCOMPARE(h.editor->Text(), "abc");
    }
};

static RegisterTest<FileCommandsTest> registration;
#include "FileCommandsTest.moc"
