#include "QtTestMain.h"
#include "EditorHarness.h"

#include "core/ProgramVersion.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace {
const QString kQuestion = QStringLiteral("代码编辑框|代码编辑框的内容己修变,\r\n是否要保存?");
// A literal's bytes, NULs included.
template <std::size_t N>
QByteArray Bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}
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
        QVERIFY(h.Doc().DocumentModified);
        h.prompts.answers << Answer::Yes;
        h.prompts.paths << h.Path("a.vbs");
        h.Run(Command::NewDocument);
        QCOMPARE(h.prompts.questions, QStringList{kQuestion});
        QCOMPARE(h.prompts.questionHadCancel, QList<bool>{true});
        QCOMPARE(h.Read(h.Path("a.vbs")), "abc");
        QCOMPARE(h.Message(), "新建成功");
        QCOMPARE(h.editor->TextLength(), 0);
        QVERIFY(!h.Doc().DocumentModified);
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
        QVERIFY(!h.Doc().DocumentModified);
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
        h.Open(path);  // the offer of other encodings is cancelled
        QCOMPARE(h.Message(), "打开失败");
        QCOMPARE(h.prompts.offeredItems.size(), exists ? 1 : 0);
        QCOMPARE(h.prompts.warnings, exists ? QStringList() : QStringList{path + "\n\n文件不存在。"});
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
        QVERIFY(h.Doc().DocumentModified);  // a later 新建 still asks

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
        QVERIFY(!h.Doc().DocumentModified);
        h.editor->SelectAll();
        h.Run(Command(command));
        QVERIFY(h.Doc().DocumentModified);
    }

    void undoAndRedoMarkTheDocument()
    {
        EditorHarness h;
        h.Write(h.Path("a.vbs"), "text");
        h.Open(h.Path("a.vbs"));
        h.Type("x");
        h.Run(Command::SaveDocument);
        QVERIFY(!h.Doc().DocumentModified);
        h.Run(Command::Undo);
        QVERIFY(h.Doc().DocumentModified);
        h.Run(Command::SaveDocument);
        h.Run(Command::Redo);
        QVERIFY(h.Doc().DocumentModified);
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
        QVERIFY(h.Doc().DocumentModified);
        h.prompts.paths << "";
        h.Run(Command::SaveDocumentAs);  // cancelled: nothing shown
        QCOMPARE(h.Message(), "另存为成功");
    }

    // The opened file is the document's own, whatever 新建 armed before.
    void saveAfterNewAndOpenWritesTheOpenedFile()
    {
        EditorHarness h;
        h.Write(h.Path("b.vbs"), "b");
        h.Type("a");
        h.prompts.answers << Answer::Yes;
        h.prompts.paths << h.Path("a.vbs");
        h.Run(Command::NewDocument);
        h.Open(h.Path("b.vbs"));
        h.Type("x");
        h.Run(Command::SaveDocument);
        QCOMPARE(h.prompts.pathModes, (QList<PathMode>{PathMode::Save, PathMode::Open}));
        QCOMPARE(h.Message(), "保存成功");
        QCOMPARE(h.Read(h.Path("b.vbs")), "xb");
        QCOMPARE(h.Read(h.Path("a.vbs")), "a");
    }

    // Esc on the question of 新建 or 打开 answers 取消: nothing changes.
    void cancellingTheQuestionOfNewOrOpenChangesNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("new") << int(Command::NewDocument);
        QTest::newRow("open") << int(Command::OpenDocument);
    }
    void cancellingTheQuestionOfNewOrOpenChangesNothing()
    {
        QFETCH(int, command);
        EditorHarness h;
        h.Type("abc");
        h.prompts.answers << Answer::Cancel;
        h.Run(Command(command));
        QCOMPARE(h.prompts.questionHadCancel, QList<bool>{true});
        QCOMPARE(h.editor->Text(), "abc");
        QVERIFY(h.Doc().DocumentModified);
        QVERIFY(h.prompts.pathModes.isEmpty());
        QVERIFY(!h.Doc().AskNameOnNextSave);
    }

    void fileDialogsStartInTheDocumentsFolder()
    {
        EditorHarness h;
        QDir(h.dir.path()).mkdir("sub");
        const QString path = h.Path("sub/a.vbs");
        h.Write(path, "a");
        h.Open(path);
        h.prompts.paths << "";
        h.Run(Command::SaveDocumentAs);
        h.Run(Command::NewDocument);
        h.prompts.paths << "";
        h.Run(Command::OpenDocument);  // no file now: the folder last used
        QCOMPARE(h.prompts.startFolders.mid(1), (QStringList{h.Path("sub"), h.Path("sub")}));
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
        QVERIFY(h.Doc().DocumentModified);
        QCOMPARE(h.prompts.warnings.size(), 1);
        QVERIFY(h.prompts.warnings[0].contains("这是一个文件夹"));
    }

    // Each failure says why, in the box that follows "保存失败".
    void saveFailuresSayWhy_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder missing") << "no/such/folder/a.vbs" << "文件夹不存在";
        // Not even root may create files here.
        QTest::newRow("permission") << "/sys/a.vbs" << "没有权限";
    }
    void saveFailuresSayWhy()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        EditorHarness h;
        h.Type("abc");
        h.prompts.paths << (target.startsWith('/') ? target : h.Path(target));
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存失败");
        QCOMPARE(h.prompts.warnings.size(), 1);
        QVERIFY2(h.prompts.warnings[0].contains(reason), qPrintable(h.prompts.warnings[0]));
        QCOMPARE(h.editor->Text(), "abc");
    }

    // Opened, typed into at the end, saved: the file is the old bytes plus
    // the typed line in the same encoding and line ends, and the status bar
    // names them.
    void encodingsAndLineEndsRoundTripByteForByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("typedLine");  // "x" and a new line, as stored
        QTest::addColumn<QString>("format");
        const QByteArray x = "x\r\n", gbkNul = Bytes("a = \"\xD6\xD0\0\xCE\xC4\"\r\nb = 1234567\r\n");
        QTest::newRow("gbk") << kGbkScript << x << "GBK · CRLF";
        QTest::newRow("gbk with a nul") << gbkNul << x << "GBK · CRLF";
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFmsgbox \"\xE4\xB8\xAD\"\r\n") << x
                                         << "UTF-8 BOM · CRLF";
        QTest::newRow("utf-8 without mark") << QByteArray("msgbox \"\xF0\x9F\x98\x80\"\r\n") << x
                                            << "UTF-8 · CRLF";
        // "苹果香蕉" is valid GBK too; read as GBK it would be 鑻规灉棣欒晧.
        QTest::newRow("ambiguous utf-8") << QByteArray("WScript.Echo \"\xE8\x8B\xB9\xE6\x9E\x9C\xE9\xA6\x99\xE8\x95\x89\"\n")
                                         << QByteArray("x\n") << "UTF-8 · LF";
        QTest::newRow("utf-16le") << QByteArray("\xFF\xFE\x2D\x4E\x0D\x00\x0A\x00", 8)
                                  << Bytes("x\0\r\0\n\0") << "UTF-16LE · CRLF";
        // WScript.Echo "十六位无BOM" and a line end: 48 bytes.
        const QByteArray le = Bytes("W\0S\0c\0r\0i\0p\0t\0.\0E\0c\0h\0o\0 \0\"\0\x41\x53\x6D\x51\x4D\x4F\xE0\x65"
                                    "B\0O\0M\0\"\0\r\0\n\0");
        QByteArray be = le;
        for (qsizetype i = 0; i < be.size(); i += 2) std::swap(be[i], be[i + 1]);
        QTest::newRow("utf-16le without mark") << le << Bytes("x\0\r\0\n\0") << "UTF-16LE 无BOM · CRLF";
        QTest::newRow("utf-16be without mark") << be << Bytes("\0x\0\r\0\n") << "UTF-16BE 无BOM · CRLF";
        QTest::newRow("lf") << QByteArray("a = 1\nb = 2\n") << QByteArray("x\n") << "GBK · LF";
        QTest::newRow("mostly lf") << QByteArray("a\nb\r\nc\n") << QByteArray("x\n") << "GBK · LF";
        QTest::newRow("cr") << QByteArray("a\rb\r") << QByteArray("x\r") << "GBK · CR";
    }
    void encodingsAndLineEndsRoundTripByteForByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, typedLine);
        QFETCH(QString, format);
        EditorHarness h;
        const QString path = h.Path("s.vbs");
        h.Write(path, bytes);
        h.Open(path);
        QCOMPARE(h.Message(), "打开成功");
        QCOMPARE(h.Panel(kFormatPanel), format);
        QTest::keyClick(h.input, Qt::Key_End, Qt::ControlModifier);
        h.Type("x");
        QTest::keyClick(h.input, Qt::Key_Return);
        h.Run(Command::SaveDocument);
        QCOMPARE(h.Message(), "保存成功");
        QCOMPARE(h.Read(path), bytes + typedLine);
    }

    void aNewDocumentIsGbkWithCrLf()
    {
        EditorHarness h;
        QCOMPARE(h.Panel(kFormatPanel), "GBK · CRLF");
        h.Write(h.Path("a.vbs"), "a\nb\n\xE4\xB8\xAD");
        h.Open(h.Path("a.vbs"));
        QCOMPARE(h.Panel(kFormatPanel), "UTF-8 · LF");
        h.Run(Command::NewDocument);
        QCOMPARE(h.Panel(kFormatPanel), "GBK · CRLF");
        h.Type("y");
        QTest::keyClick(h.input, Qt::Key_Return);
        QCOMPARE(h.editor->Text(), "y\r\n");
    }

    // A file of none of the recognised encodings: the user may pick one;
    // cancelling, or a pick that does not fit, leaves the editor as it was.
    void otherEncodingsAreOfferedForAFileThatIsNotText_data()
    {
        QTest::addColumn<int>("choice");  // -1 cancels
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");  // empty: not opened
        QTest::newRow("gb18030") << 0 << QByteArray("x = \x81\x30\x81\x30") << "x = \u0080";
        QTest::newRow("latin-1") << 2 << QByteArray("caf\xE9") << "café";
        QTest::newRow("cancelled") << -1 << QByteArray("caf\xE9") << "";
        QTest::newRow("does not fit") << 3 << QByteArray("caf\xE9\xFF") << "";
    }
    void otherEncodingsAreOfferedForAFileThatIsNotText()
    {
        QFETCH(int, choice);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        EditorHarness h;
        const QString path = h.Path("other.vbs");
        h.Write(path, bytes);
        h.editor->SetText("keep me");
        h.prompts.itemChoices << choice;
        h.Open(path);
        QCOMPARE(h.prompts.offeredItems, (QList<QStringList>{{"GB18030", "Big5", "Latin-1", "Shift-JIS"}}));
        if (text.isEmpty()) {
            QCOMPARE(h.Message(), "打开失败");
            QCOMPARE(h.editor->Text(), "keep me");
            QCOMPARE(h.window.windowTitle(), VersionedTitle());
            return;
        }
        QCOMPARE(h.editor->Text(), text);
        h.Run(Command::SaveDocument);
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
